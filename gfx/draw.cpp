#include "gfx/draw.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>

namespace lumaro {

namespace {
DrawingArea Area;
}  // namespace

void SetDrawingArea(const DrawingArea& area) { Area = area; }
const DrawingArea& CurrentDrawingArea() { return Area; }

float Widening() {
  if (!Area.widescreen || Area.ScreenHeight <= 0) return 1.0f;
  constexpr float kFourThirds = 4.0f / 3.0f;
  return static_cast<float>(Area.ScreenWidth) / static_cast<float>(Area.ScreenHeight) / kFourThirds;
}

void MultStandardPerspective() { gluPerspective(kFieldOfView, ProjectionAspect(), kNearPlane, kFarPlane); }

void LoadStandardView() {
  glViewport(0, 0, Area.ScreenWidth, Area.ScreenHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  MultStandardPerspective();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void PushOrthoBox(float left, float right, float bottom, float top) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(left, right, bottom, top, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void PopOrthoBox() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void DrawTexturedQuad(const TexVertex& a, const TexVertex& b, const TexVertex& c, const TexVertex& d) {
  glBegin(GL_QUADS);
  for (const TexVertex* v : {&a, &b, &c, &d}) {
    glTexCoord2f(v->s, v->t);
    glVertex3f(v->x, v->y, v->z);
  }
  glEnd();
}

}  // namespace lumaro
