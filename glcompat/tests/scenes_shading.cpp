// Scenes for lighting, colour material, normals carried over many vertices, fog, and a
// lit, textured, list-built composition after the demo's ornament scene.
#include <GL/gl.h>
#include <GL/glu.h>

#include "scene_kit.h"

namespace glctest::GLCTEST_SIDE {

namespace {
const float kNone[] = {0, 0, 0, 0};

void SetLight(GLenum light, const float* diffuse, const float* specular, const float* position) {
  glLightfv(light, GL_AMBIENT, kNone);
  glLightfv(light, GL_DIFFUSE, diffuse);
  glLightfv(light, GL_SPECULAR, specular);
  glLightfv(light, GL_POSITION, position);
  glEnable(light);
}

void LitStart() {
  Start(0.05f, 0.05f, 0.1f);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glShadeModel(GL_SMOOTH);
  const float ambient[] = {0.15f, 0.15f, 0.2f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glEnable(GL_LIGHTING);
}

GLuint Texture(int seed) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, 32, 32, GL_BGR_EXT, GL_UNSIGNED_BYTE, Pattern(32, 32, 3, seed).data());
  return texture;
}

// Two spheres and a wall behind them, whose flat normal shows a positional light's falloff.
// The wall stays inside the view: Mesa splits a lit quad along its other diagonal when the
// draw needs clipping, which the layer does not copy (see the README).
void Spheres(float red, float green, float blue) {
  glColor4f(red, green, blue, 1);
  glPushMatrix();
  glTranslatef(-0.9f, 0, 0);
  Sphere(0.8f, 16, 24);
  glTranslatef(1.8f, 0.2f, -0.5f);
  glColor4f(blue, red, green, 1);
  Sphere(0.7f, 16, 24);
  glPopMatrix();
  glNormal3f(0, 0, 1);
  glColor4f(0.7f, 0.7f, 0.7f, 1);
  Quad(-1.8f, -1.8f, 1.8f, 1.8f, -1.5f);
}
}  // namespace

// 0 ambient only; 1 a directional light given under a rotation; 2 a positional light moved
// by the modelview when given, which then changes; 3 specular with two shininesses; 4 colour
// material switched off, keeping the colour of that moment, with a translucent diffuse
// alpha; 5 three coloured positional lights with specular on a textured sphere.
void Lighting(int variant, Values*) {
  LitStart();
  const float white[] = {1, 1, 1, 1}, warm[] = {1, 0.9f, 0.7f, 1};
  glTranslatef(0, 0, -5);
  if (variant == 1 || variant == 3) {
    glPushMatrix();
    glRotatef(40, 0, 1, 0);
    const float direction[] = {0.5f, 0.8f, 1, 0};
    SetLight(GL_LIGHT0, warm, variant == 3 ? white : kNone, direction);
    glPopMatrix();
  }
  if (variant == 2 || variant == 3) {
    const float at[] = {-0.4f, 0, 1.6f, 1}, blue[] = {0.3f, 0.5f, 1, 1};
    glPushMatrix();
    SetLight(GL_LIGHT1, blue, variant == 3 ? white : kNone, at);  // a first position, replaced
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);  // compiled here, and moved by the modelview of the call
    glLightfv(GL_LIGHT1, GL_POSITION, at);
    glEndList();
    glTranslatef(0.5f, 0.5f, 0);
    glRotatef(30, 1, 0, 0);
    glCallList(list);
    glDeleteLists(list, 1);
    glPopMatrix();
    glRotatef(15, 0, 0, 1);  // the light stays where it was put
  }
  if (variant == 3) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 8);
  }
  if (variant == 4) {
    SetLight(GL_LIGHT0, warm, kNone, warm);
    glColor4f(0.9f, 0.4f, 0.3f, 0.5f);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  if (variant == 5) {
    const float at[3][4] = {{1.5f, 1, 1, 1}, {-1.5f, 0.5f, 1.5f, 1}, {0, -1.5f, 1, 1}};
    const float diffuse[3][4] = {{0, 0, 0.5f, 0}, {0.5f, 0, 0, 0}, {0, 0.5f, 0, 0}};
    const float specular[3][4] = {{0, 0.5f, 1, 1}, {1, 0.5f, 0, 1}, {0.25f, 1, 0.25f, 1}};
    for (int i = 0; i < 3; ++i) SetLight(GL_LIGHT0 + i, diffuse[i], specular[i], at[i]);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 8);
    glEnable(GL_TEXTURE_2D);
    Texture(5);
  }
  Spheres(0.8f, 0.6f, 0.4f);
  if (variant == 3) {
    const float shine[] = {30, 0, 0, 0};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, shine);
    glTranslatef(0, -1.2f, 0.8f);
    glColor4f(0.3f, 0.3f, 0.9f, 1);
    Sphere(0.4f, 12, 16);
  }
}

// One normal given per face, then many vertices, as the fractal scene compiles it; lit by
// three lights; then the translucent shell drawn without culling: back faces lit with the
// front's normal, as GL does without two-sided lighting.
void FlatNormals(int, Values*) {
  LitStart();
  const float a[3][4] = {{1, 1, 1, 0}, {-1, 0.5f, 0.5f, 0}, {0, -1, 0.3f, 0}};
  const float colours[3][4] = {{1, 0.5f, 0.2f, 1}, {0.2f, 0.4f, 1, 1}, {0.3f, 1, 0.3f, 1}};
  for (int i = 0; i < 3; ++i) SetLight(GL_LIGHT0 + i, colours[i], kNone, a[i]);
  const float corners[4][3] = {{0, 1.2f, 0}, {-1.1f, -0.6f, 0.6f}, {1.1f, -0.6f, 0.6f}, {0, -0.6f, -1.2f}};
  const int faces[4][3] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 1}, {1, 3, 2}};
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (const auto& f : faces) {
    const float* p[3] = {corners[f[0]], corners[f[1]], corners[f[2]]};
    const float u[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
    const float v[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
    float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    glNormal3f(n[0] / length, n[1] / length, n[2] / length);
    for (int k = 0; k < 4; ++k)  // four small triangles a face, sharing the normal
      for (int c = 0; c < 3; ++c) {
        const float w = (c == k % 3) ? 1.0f : 0.5f - 0.1f * k;
        glVertex3f(p[c][0] * w, p[c][1] * w, p[c][2] * w);
      }
  }
  glEnd();
  glEndList();
  glTranslatef(0, 0, -4);
  glRotatef(40, 1, 0, 0);
  glRotatef(47.3f, 0, 1, 0);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glColor4f(1, 1, 1, 0);
  glCallList(list);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, 0.4f);
  glScalef(1.6f, 1.6f, 1.6f);
  glCallList(list);
  glDeleteLists(list, 1);
}

// Exponential fog over quads receding into the distance: 0 black fog, untextured; 1
// coloured fog, textured; 2 fog on lit spheres; 3 fog on additive glows, as the lattice's
// shells are drawn.
void Fog(int variant, Values*) {
  variant == 2 ? LitStart() : Start(0.3f, 0.4f, 0.6f);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, variant == 1 ? 0.25f : 0.12f);
  glFogf(GL_FOG_START, 0);
  glFogf(GL_FOG_END, 6);
  const float black[] = {0, 0, 0, 0}, blue[] = {0.3f, 0.4f, 0.6f, 1};
  glFogfv(GL_FOG_COLOR, variant == 1 ? blue : black);
  if (variant == 1) {
    glEnable(GL_TEXTURE_2D);
    Texture(6);
  }
  if (variant == 2) {
    const float light[] = {0, 1, 1, 0}, white[] = {1, 1, 1, 1};
    SetLight(GL_LIGHT0, white, kNone, light);
  }
  if (variant == 3) {
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
  }
  glRotatef(-30, 0, 1, 0);
  for (int i = 0; i < 12; ++i) {
    glPushMatrix();
    glTranslatef(-2.5f + 0.45f * i, -1.5f + 0.2f * i, -3.0f - 2.5f * i);
    glRotatef(20.0f * i, 0.3f, 1, 0.2f);
    glColor4f(1 - 0.05f * i, 0.6f + 0.03f * i, 0.3f, 1);
    if (variant == 2)
      Sphere(0.9f, 10, 14);
    else
      Quad(-1, -1, 1, 1, 0);
    glPopMatrix();
  }
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glDisable(GL_FOG);
}

namespace {
// The sheets leave their placement on the matrix; the body sets its own colour and material.
GLuint CompileOrnamentLists(GLuint glow) {
  const GLuint sheet = glGenLists(2), body = sheet + 1;
  glNewList(sheet, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, glow);
  glRotatef(60, 0, 1, 0);
  glColor4f(0.35f, 0.15f, 0.15f, 0);
  Quad(-6, -6, 6, 6, -2);
  glTranslatef(-1, 0, 0);
  glRotatef(30, 0, 0, 1);
  glColor4f(0.15f, 0.15f, 0.35f, 0);
  Quad(-6, -6, 6, 6, -2);
  glEndList();
  glNewList(body, GL_COMPILE);
  glColor4f(0.45f, 0.45f, 0.5f, 0);
  const float white[] = {1, 1, 1, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 8);
  Sphere(0.9f, 14, 20);
  glEndList();
  return sheet;
}

// Four glows around the body, turned back to face the viewer by the matrix read back.
void FacingGlows(GLuint glow) {
  float facing[16];
  glPushMatrix();
  glLoadIdentity();
  glRotatef(-27, 1, 0, 0);
  glRotatef(-35, 0, 1, 0);
  glTranslatef(0, 0, 0.01f);
  glGetFloatv(GL_MODELVIEW_MATRIX, facing);
  glPopMatrix();
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
  glBindTexture(GL_TEXTURE_2D, glow);
  glColor4f(0.8f, 0.6f, 0.3f, 0);
  for (int k = 0; k < 4; ++k) {
    glPushMatrix();
    glTranslatef(k % 2 ? 0.8f : -0.8f, k / 2 ? 0.8f : -0.8f, 0.6f);
    glMultMatrixf(facing);
    Quad(-0.4f, -0.4f, 0.4f, 0.4f, 0);
    glPopMatrix();
  }
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
}
}  // namespace

// After the demo's ornament scene: a sheet list that leaves its placement on the matrix,
// a light given under it, a lit list with its own material and colour, and glows turned to
// face the viewer by a matrix read back with glGetFloatv.
void Ornament(int, Values*) {
  Start();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_COLOR_MATERIAL);
  const GLuint glow = Texture(7), sheet = CompileOrnamentLists(glow), body = sheet + 1;
  const float cyan[] = {0.25f, 0.5f, 0.5f, 0}, cyanSpecular[] = {0.5f, 1, 1, 1}, centre[] = {0.2f, 0, -4, 1};
  SetLight(GL_LIGHT0, cyan, cyanSpecular, centre);
  glPushMatrix();
  glDepthMask(GL_FALSE);
  glTranslatef(0, 0, -8);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glCallList(sheet);
  const float purple[] = {0.4f, 0.2f, 0.4f, 0}, behind[] = {0, 0, 4, 1}, grey[] = {0.3f, 0.3f, 0.3f, 0};
  SetLight(GL_LIGHT1, purple, grey, behind);  // under the sheets' placement
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_LIGHTING);
  glTranslatef(0.2f, 0, -4);
  glPushMatrix();
  glRotatef(35, 0, 1, 0);
  glRotatef(27, 1, 0, 0);
  glCallList(body);
  FacingGlows(glow);
  glPopMatrix();
  glDeleteLists(sheet, 2);
  glDeleteTextures(1, &glow);
}

}  // namespace glctest::GLCTEST_SIDE
