#include "gfx/gl_reset.h"

#include <GL/gl.h>

#include <initializer_list>

namespace lumaro {

namespace {
void ResetLights() {
  const float none[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1}, overhead[] = {0, 0, 1, 0};
  for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2}) {
    glDisable(light);
    glLightfv(light, GL_AMBIENT, none);
    glLightfv(light, GL_DIFFUSE, light == GL_LIGHT0 ? white : none);
    glLightfv(light, GL_SPECULAR, light == GL_LIGHT0 ? white : none);
    glLightfv(light, GL_POSITION, overhead);  // with the modelview at identity
  }
  const float ambient[] = {0.2f, 0.2f, 0.2f, 1}, diffuse[] = {0.8f, 0.8f, 0.8f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

void ResetFogAndPoints() {
  const float black[] = {0, 0, 0, 0};
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, 1);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 1);
  glFogfv(GL_FOG_COLOR, black);
  glPointSize(1);
}
}  // namespace

void ResetGlState() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  for (GLenum cap : {GL_LIGHTING, GL_BLEND, GL_CULL_FACE, GL_FOG, GL_POINT_SMOOTH, GL_SCISSOR_TEST, GL_COLOR_MATERIAL,
                     GL_TEXTURE_2D, GL_DEPTH_TEST})
    glDisable(cap);
  ResetLights();
  ResetFogAndPoints();
  glBlendFunc(GL_ONE, GL_ZERO);
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glCullFace(GL_BACK);
  glShadeModel(GL_SMOOTH);
  glColor4f(1, 1, 1, 1);
  glNormal3f(0, 0, 1);
  glTexCoord2f(0, 0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  for (GLenum hint : {GL_POLYGON_SMOOTH_HINT, GL_POINT_SMOOTH_HINT, GL_PERSPECTIVE_CORRECTION_HINT})
    glHint(hint, GL_DONT_CARE);
}

}  // namespace lumaro
