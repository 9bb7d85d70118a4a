#include "gfx/overlays.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "gfx/glyphs.h"
#include "gfx/texture.h"
#include "base/run_state.h"

namespace lumaro {

namespace {
void EnterOverlaySpace() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, OverlayWidth, 0, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void LeaveOverlaySpace() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

// The common tail of the additive and fading overlays.
void RestoreSceneState() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  LeaveOverlaySpace();
}
}  // namespace

void ResetProjection() {
  glViewport(0, 0, ScreenWidth, ScreenHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.33f, 0.01f, 150.0);  // aspect fixed whatever the window's shape
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_CULL_FACE);
}

void DrawBackdrop(int index) {
  if (index < 0) return;
  EnterOverlaySpace();
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);  // the scene drawn next is never hidden by it
  glDisable(GL_LIGHTING);
  glBindTexture(GL_TEXTURE_2D, BackdropTexture);
  glColor4f(1, 1, 1, 0);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(0, 0, 0);
  glTexCoord2f(0, 1);
  glVertex3f(0, 1, 0);
  glTexCoord2f(1, 1);
  glVertex3f(OverlayWidth, 1, 0);
  glTexCoord2f(1, 0);
  glVertex3f(OverlayWidth, 0, 0);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
  LeaveOverlaySpace();
}

void DrawLogoOverlay() {
  EnterOverlaySpace();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, TitleTextures[0]);
  glColor4f(1, 1, 1, 0);
  const float width = 0.3325f, height = 0.083125f;  // 4 : 1, a quarter of the screen wide
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(0, 0, 0);
  glTexCoord2f(1, 0);
  glVertex3f(width, 0, 0);
  glTexCoord2f(1, 1);
  glVertex3f(width, height, 0);
  glTexCoord2f(0, 1);
  glVertex3f(0, height, 0);
  glEnd();
  RestoreSceneState();
}

void DrawFade(float factor) {
  EnterOverlaySpace();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_SRC_ALPHA);  // black plus the frame times factor
  glDisable(GL_TEXTURE_2D);
  glColor4f(0, 0, 0, factor);
  glBegin(GL_QUADS);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 1, 0);
  glVertex3f(OverlayWidth, 1, 0);
  glVertex3f(OverlayWidth, 0, 0);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  RestoreSceneState();
}

void DrawGlyphString(int fontSet, const char* text, float x, float y, float brightness) {
  EnterOverlaySpace();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  const float w = GlyphSize;
  for (const char* c = text; *c; ++c) {
    glBindTexture(GL_TEXTURE_2D, GlyphTextures[fontSet * GlyphCount + GlyphIndex(*c)]);
    glColor4f(brightness, brightness, brightness, 0);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x, y, 0);
    glTexCoord2f(1, 0);
    glVertex3f(x + w, y, 0);
    glTexCoord2f(1, 1);
    glVertex3f(x + w, y + w, 0);
    glTexCoord2f(0, 1);
    glVertex3f(x, y + w, 0);
    glEnd();
    x += w;
  }
  RestoreSceneState();
}

}  // namespace lumaro
