// Scenes for blending, the depth mask and function, culling, points, reading pixels back
// in packed formats, the scissor box, and the state queries the demo and its tests make.
#include <GL/gl.h>
#include <GL/glu.h>

#include "scene_kit.h"

namespace glctest::GLCTEST_SIDE {

// The demo's four blend modes, by variant: ONE/ONE, SRC_ALPHA/ONE_MINUS_SRC_ALPHA,
// ONE/SRC_ALPHA (the fades), ONE_MINUS_SRC_ALPHA/SRC_ALPHA (the plasma title); overlapping
// quads of several alphas over a coloured ground.
void Blending(int variant, Values*) {
  Start(0.2f, 0.35f, 0.5f);
  glTranslatef(0, 0, -4);
  glColor4f(0.9f, 0.5f, 0.1f, 1);
  Quad(-1.8f, -0.4f, 1.8f, 0.4f, -0.5f);
  const GLenum modes[4][2] = {{GL_ONE, GL_ONE},
                              {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
                              {GL_ONE, GL_SRC_ALPHA},
                              {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA}};
  glEnable(GL_BLEND);
  glBlendFunc(modes[variant][0], modes[variant][1]);
  for (int i = 0; i < 5; ++i) {
    glBegin(GL_QUADS);
    const float x = -1.6f + 0.6f * i, alpha = 0.1f + 0.2f * i;
    glColor4f(0.2f * i, 0.8f - 0.1f * i, 0.5f, alpha);
    glVertex3f(x, -1.2f, 0);
    glVertex3f(x + 0.9f, -1.2f, 0);
    glColor4f(1 - 0.2f * i, 0.3f, 0.2f * i, 1 - alpha);
    glVertex3f(x + 0.9f, 1.2f - 0.2f * i, 0);
    glVertex3f(x, 1.2f - 0.2f * i, 0);
    glEnd();
  }
  glDisable(GL_BLEND);
}

// Sparks as the fountain draws them: hundreds of additive textured quads, each after a bind
// of its sprite, grouped by sprite, so that most binds repeat the bound texture.
void Sparks(int, Values*) {
  Start();
  GLuint sprites[2];
  glGenTextures(2, sprites);
  for (int i = 0; i < 2; ++i) {
    glBindTexture(GL_TEXTURE_2D, sprites[i]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, 8, 8, GL_BGR_EXT, GL_UNSIGNED_BYTE, Pattern(8, 8, 3, 20 + i).data());
  }
  glTranslatef(0, 0, -4);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glColor4f(0.3f, 0.3f, 0.3f, 0);
  for (int k = 0; k < 400; ++k) {
    glBindTexture(GL_TEXTURE_2D, sprites[k / 200]);
    const float x = -1.5f + 0.0075f * k, y = 1.2f * std::sin(0.05f * k), h = 0.06f;
    Quad(x - h, y - h, x + h, y + h, 0);
  }
  glDisable(GL_BLEND);
  glDeleteTextures(2, sprites);
}

// The scissor box as the catch-up to "-start" uses it: a quad still pending in the layer
// when the box comes is drawn whole; inside the box a clear and a bar through it are cut at
// its edges, the bar by the box it was given under even when the box then moves; after the
// test is off again a quad is drawn whole. The box and the enable
// are queried on the way.
void Scissor(int, Values* out) {
  Start(0.1f, 0.1f, 0.3f);
  glTranslatef(0, 0, -4);
  glColor4f(0.9f, 0.6f, 0.2f, 1);
  Quad(-1.2f, -1.2f, 1.2f, 1.2f, 0);
  glScissor(32, 40, 64, 48);
  glEnable(GL_SCISSOR_TEST);
  out->push_back(glIsEnabled(GL_SCISSOR_TEST));
  GLint box[4] = {};
  glGetIntegerv(GL_SCISSOR_BOX, box);
  out->insert(out->end(), box, box + 4);
  glClearColor(0.2f, 0.8f, 0.3f, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor4f(0.3f, 0.3f, 1, 1);
  Quad(-0.4f, -2, 0.4f, 2, 0.5f);  // still pending when the box moves: cut by the first box
  glScissor(8, 8, 40, 100);
  glColor4f(1, 0.3f, 0.6f, 1);
  Quad(-2, -0.3f, 2, 0.3f, 0.5f);  // cut by the second
  glDisable(GL_SCISSOR_TEST);
  glScissor(0, 0, kWidth, kHeight);
  out->push_back(glIsEnabled(GL_SCISSOR_TEST));
  glColor4f(1, 1, 1, 1);
  Quad(1.0f, -0.2f, 1.5f, 0.2f, 0);
}

// Near quads drawn first; with the depth mask off (variant 0) they leave no depth and the
// far quads drawn after cover them, with it on (1) they hide them. A second pass at equal
// depth passes GL_LEQUAL only.
void DepthMask(int variant, Values* out) {
  Start(0, 0.1f, 0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glTranslatef(0, 0, -5);
  glDepthMask(variant == 0 ? GL_FALSE : GL_TRUE);
  glColor4f(1, 0.2f, 0.2f, 1);
  Quad(-1.5f, -1.5f, 0.5f, 0.5f, 0.5f);
  GLboolean mask = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
  out->push_back(mask);
  glDepthMask(GL_TRUE);
  glColor4f(0.2f, 0.4f, 1, 1);
  Quad(-0.5f, -0.5f, 1.5f, 1.5f, -0.5f);
  glColor4f(1, 1, 0.3f, 1);
  Quad(-0.5f, -0.5f, 0.5f, 0.5f, -0.5f);  // the same depth as the blue: passes LEQUAL
  glDepthFunc(GL_LESS);
  glColor4f(0, 1, 0, 1);
  Quad(0.6f, 0.6f, 1.4f, 1.4f, -0.5f);  // the same depth again: fails LESS
  ReadInteger(GL_DEPTH_FUNC, out);
}

// Quads of both windings, back-face culled, and a sphere seen from inside and outside.
void Culling(int variant, Values*) {
  Start(0.1f, 0.1f, 0.1f);
  glTranslatef(0, 0, -5);
  glCullFace(GL_BACK);
  if (variant == 1) glEnable(GL_CULL_FACE);
  glColor4f(1, 0.5f, 0, 1);
  Quad(-1.8f, 0.2f, -0.2f, 1.6f, 0);  // counter-clockwise: front
  glColor4f(0, 0.5f, 1, 1);
  Quad(0.2f, 1.6f, 1.8f, 0.2f, 0);  // clockwise: back
  glColor4f(0.6f, 1, 0.6f, 1);
  glTranslatef(0, -1, 0);
  glRotatef(30, 1, 0, 0);
  Sphere(0.9f, 8, 12);
  glDisable(GL_CULL_FACE);
}

// Points as the star field draws them: a list of points at several sizes, smooth and
// blended by alpha (variant 1), or plain (variant 0).
void Points(int variant, Values*) {
  Start();
  glTranslatef(0, 0, -5);
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glColor4f(0.9f, 0.9f, 1.0f, 1.0f);
  for (int pass = 0; pass < 6; ++pass) {
    glPointSize(1.0f + 0.5f * pass + (pass == 5 ? 3 : 0));
    glBegin(GL_POINTS);
    for (int i = 0; i < 12; ++i)
      glVertex3f(-1.8f + 0.31f * i + 0.013f * pass, -1.8f + 0.7f * pass + 0.029f * i, 0.1f * (i % 3));
    glEnd();
  }
  glEndList();
  if (variant == 1) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POINT_SMOOTH);
  }
  glCallList(list);
  glDisable(GL_POINT_SMOOTH);
  glDisable(GL_BLEND);
  glDeleteLists(list, 1);
}

// A picture read back as the capture reads it (GL_BGR_EXT, rows packed to 1 byte) and as
// the tests do (GL_RGB), and with 4-byte rows over an odd width; the bytes are the values.
void ReadPixelsPacked(int, Values* out) {
  Start(0.1f, 0.2f, 0.3f);
  glTranslatef(0, 0, -3);
  glBegin(GL_TRIANGLES);
  glColor4f(1, 0, 0, 1);
  glVertex3f(-1, -1, 0);
  glColor4f(0, 1, 0, 1);
  glVertex3f(1, -1, 0);
  glColor4f(0, 0, 1, 1);
  glVertex3f(0, 1, 0);
  glEnd();
  const struct {
    GLenum format;
    int alignment, x, y, width, height;
  } reads[] = {{GL_BGR_EXT, 1, 0, 0, kWidth, kHeight},
               {GL_RGB, 1, 10, 20, 33, 7},
               {GL_BGR_EXT, 4, 5, 50, 31, 9},
               {GL_RGBA, 4, 40, 40, 17, 3},
               {GL_BGRA_EXT, 1, 60, 60, 5, 5}};
  for (const auto& r : reads) {
    glPixelStorei(GL_PACK_ALIGNMENT, r.alignment);
    const int channels = r.format == GL_RGBA || r.format == GL_BGRA_EXT ? 4 : 3;
    const size_t stride = (static_cast<size_t>(r.width) * channels + r.alignment - 1) / r.alignment * r.alignment;
    std::vector<uint8_t> bytes(stride * r.height, 7);
    glReadPixels(r.x, r.y, r.width, r.height, r.format, GL_UNSIGNED_BYTE, bytes.data());
    out->push_back(static_cast<double>(bytes.size()));
    out->insert(out->end(), bytes.begin(), bytes.end());
  }
}

// The capabilities and values the demo's tests query, after the demo's start-up calls.
void StateQueries(int, Values* out) {
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_DONT_CARE);
  glHint(GL_POINT_SMOOTH_HINT, GL_DONT_CARE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP);
  glDisable(GL_FOG);
  glEnable(GL_LIGHT1);
  for (GLenum cap : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_COLOR_MATERIAL, GL_CULL_FACE, GL_LIGHTING, GL_BLEND, GL_FOG,
                     GL_POINT_SMOOTH, GL_LIGHT0, GL_LIGHT1})
    out->push_back(glIsEnabled(cap));
  for (GLenum name : {GL_DEPTH_FUNC, GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT, GL_FOG_MODE, GL_MATRIX_MODE,
                      GL_MODELVIEW_STACK_DEPTH, GL_PROJECTION_STACK_DEPTH, GL_RED_BITS, GL_GREEN_BITS, GL_BLUE_BITS})
    ReadInteger(name, out);
  GLboolean mask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
  out->push_back(mask);
  out->push_back(glGetString(GL_RENDERER) != nullptr);
  out->push_back(glGetError());
  glFinish();
  glFlush();
}

}  // namespace glctest::GLCTEST_SIDE
