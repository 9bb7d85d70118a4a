// Included by the scene sources after <GL/gl.h>: picks the namespace of the side being
// compiled (the layer's <GL/gl.h> announces itself) and gives the scenes common steps.
#pragma once
#include <cmath>

#include "scenes.h"

#ifdef GLCOMPAT_LAYER
#define GLCTEST_SIDE layer
#else
#define GLCTEST_SIDE native
#endif

namespace glctest::GLCTEST_SIDE {

// Viewport, cleared colour and depth, a 45 degree perspective, an identity modelview.
inline void Start(float red = 0, float green = 0, float blue = 0) {
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(red, green, blue, 0);
  glClearDepth(1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, 1, 0.5, 60);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

// A quad in the z plane from (x0, y0) to (x1, y1), texture coordinates s0..s1 by t0..t1,
// counter-clockwise as seen from +z.
inline void Quad(float x0, float y0, float x1, float y1, float z, float s0 = 0, float t0 = 0, float s1 = 1,
                 float t1 = 1) {
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex3f(x0, y0, z);
  glTexCoord2f(s1, t0);
  glVertex3f(x1, y0, z);
  glTexCoord2f(s1, t1);
  glVertex3f(x1, y1, z);
  glTexCoord2f(s0, t1);
  glVertex3f(x0, y1, z);
  glEnd();
}

// A sphere of quad strips with unit normals and texture coordinates, as the demo's scenes
// build them.
inline void Sphere(float radius, int rings, int segments) {
  for (int i = 0; i < rings; ++i) {
    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j <= segments; ++j)
      for (int ring : {i + 1, i}) {
        const float theta = 3.14159265f * ring / rings, phi = 6.2831853f * j / segments;
        const float n[3] = {std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
        glNormal3f(n[0], n[1], n[2]);
        glTexCoord2f(static_cast<float>(j) / segments, static_cast<float>(ring) / rings);
        glVertex3f(radius * n[0], radius * n[1], radius * n[2]);
      }
    glEnd();
  }
}

inline void Read(GLenum pname, Values* out, int count = 1) {
  double values[16] = {};
  glGetDoublev(pname, values);
  out->insert(out->end(), values, values + count);
}

inline void ReadInteger(GLenum pname, Values* out) {
  GLint value = -1;
  glGetIntegerv(pname, &value);
  out->push_back(value);
}

}  // namespace glctest::GLCTEST_SIDE
