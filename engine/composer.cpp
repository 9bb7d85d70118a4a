#include "engine/composer.h"

#include <GL/gl.h>

#include <cstdio>

#include "base/run_state.h"
#include "engine/show.h"
#include "gfx/overlays.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
constexpr float kHalfTurn = 180.0f;  // degrees a card turns over its window
}

float IntroAngle(const SceneSlot& slot, float localTime) {
  return localTime * (kHalfTurn / slot.duration) - kHalfTurn / 2;
}

void FormatFrameRate(int rate, char* text, int size) { std::snprintf(text, size, "%3d FPS", rate); }

void ComposeFrame(const SceneSlot& slot, const FrameSpan& span, bool showFps, int shownFrameRate) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ResetProjection();
  DrawBackdrop(slot.backdrop);

  const float localTime = static_cast<float>(static_cast<double>(span.now) - slot.start);
  glPushMatrix();
  if (slot.card()) DrawIntroScene(slot.scene, IntroAngle(slot, localTime));
  glPopMatrix();

  if (!slot.card()) {
    RunScene(slot.scene, {localTime, slot.duration, span, Show().safe});
    if (slot.logo) DrawLogoOverlay();
  }
  if (slot.fadeIn && localTime < 1.0f) DrawFade(localTime);
  const float remaining = static_cast<float>(static_cast<double>(slot.duration) - localTime);
  if (slot.fadeOut && remaining < 1.0f) DrawFade(remaining);

  if (showFps) {
    char text[16];
    FormatFrameRate(shownFrameRate, text, sizeof text);
    DrawGlyphString(0, text, 0.01f, 0.93666667f, 0.25f);
  }
  glFlush();
}

}  // namespace lumaro
