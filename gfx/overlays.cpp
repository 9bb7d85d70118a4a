#include "gfx/overlays.h"

#include <GL/gl.h>

#include "gfx/glyphs.h"
#include "gfx/texture.h"

namespace lumaro {

namespace {
// The common tail of the additive and fading overlays.
void RestoreSceneState() {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  PopOrthoBox();
}
}  // namespace

void ResetProjection() {
  LoadStandardView();
  glDisable(GL_CULL_FACE);
}

void DrawBackdrop(int index) {
  if (index < 0) return;
  PushOverlayBox();
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);  // the scene drawn next is never hidden by it
  glDisable(GL_LIGHTING);
  glBindTexture(GL_TEXTURE_2D, ShowTextures().BackdropTexture);
  glColor4f(1, 1, 1, 0);
  // Over the whole box: a wider one shows the picture's middle rows, a narrower its middle
  // columns, never stretched.
  const float w = OverlayWidth(), wide = Widening();
  const float s0 = wide < 1 ? (1 - wide) / 2 : 0, s1 = 1 - s0;
  const float t0 = wide > 1 ? (1 - 1 / wide) / 2 : 0, t1 = 1 - t0;
  DrawTexturedQuad({s0, t0, 0, 0, 0}, {s0, t1, 0, 1, 0}, {s1, t1, w, 1, 0}, {s1, t0, w, 0, 0});
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glEnable(GL_LIGHTING);
  PopOrthoBox();
}

void DrawLogoOverlay() {
  PushOverlayBox();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, ShowTextures().TitleTextures[0]);
  glColor4f(1, 1, 1, 0);
  // 4 : 1, a quarter of the 4:3 screen wide, in the bottom-left corner of any frame.
  const float w = 0.3325f * Shrinking(), h = 0.083125f * Shrinking();
  DrawTexturedQuad({0, 0, 0, 0, 0}, {1, 0, w, 0, 0}, {1, 1, w, h, 0}, {0, 1, 0, h, 0});
  RestoreSceneState();
}

void DrawFade(float factor) {
  PushOverlayBox();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_SRC_ALPHA);  // black plus the frame times factor
  glDisable(GL_TEXTURE_2D);
  glColor4f(0, 0, 0, factor);
  glBegin(GL_QUADS);
  glVertex3f(0, 0, 0);
  glVertex3f(0, 1, 0);
  glVertex3f(OverlayWidth(), 1, 0);
  glVertex3f(OverlayWidth(), 0, 0);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  RestoreSceneState();
}

void DrawGlyphString(int fontSet, const char* text, float x, float y, float brightness) {
  PushOverlayBox();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  const float w = kGlyphSize;
  for (const char* c = text; *c; ++c) {
    glBindTexture(GL_TEXTURE_2D, ShowTextures().GlyphTextures[fontSet * kGlyphCount + GlyphIndex(*c)]);
    glColor4f(brightness, brightness, brightness, 0);
    DrawTexturedQuad({0, 0, x, y, 0}, {1, 0, x + w, y, 0}, {1, 1, x + w, y + w, 0}, {0, 1, x, y + w, 0});
    x += w;
  }
  RestoreSceneState();
}

void DrawCaptionBand(unsigned texture, float b) {
  // The 4:3 screen's width, in the middle of a wider box.
  const float shrink = Shrinking(), width = kOverlayWidth * shrink;
  const float left = (OverlayWidth() - width) / 2, right = left + width;
  constexpr float kBottom = 0.416875f, kTop = 0.583125f;  // the middle sixth
  const float bottom = 0.5f + (kBottom - 0.5f) * shrink, top = 0.5f + (kTop - 0.5f) * shrink;
  PushOverlayBox();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor4f(b, b, b, 0);
  DrawTexturedQuad({0, 0, left, bottom, 0}, {0, 1, left, top, 0}, {1, 1, right, top, 0}, {1, 0, right, bottom, 0});
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  PopOrthoBox();
}

}  // namespace lumaro
