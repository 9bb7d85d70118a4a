#include "engine/composer.h"

#include <GL/gl.h>

#include <cstdio>

#include "engine/timeline.h"
#include "gfx/overlays.h"
#include "scenes/scenes.h"
#include "base/run_state.h"

namespace lumaro {

float IntroAngle(int scene, float localTime) {
  return scene == 4 ? localTime * 22.5f - 90.0f : localTime * 45.0f - 90.0f;
}

void FormatFrameRate(int rate, char* text, int size) { std::snprintf(text, size, "%3d FPS", rate); }

void DrawSceneBody(int scene, float localTime, float duration) {
  switch (scene) {
    case 5: DrawScene5(localTime, duration); break;
    case 6: DrawScene6(localTime, duration); break;
    case 7: DrawScene7(localTime, duration); break;
    case 8: DrawScene8(localTime, duration); break;
    case 9: DrawScene9(localTime, duration); break;
    case 10: DrawScene10(localTime, duration); break;
    case 11: DrawScene11(localTime, duration); break;
    case 12: DrawScene12(localTime, duration); break;
    case 13: DrawScene13(localTime, duration); break;
    case 14: DrawScene14(localTime, duration); break;
    default: break;
  }
}

namespace {
bool HasLogo(int scene) { return scene >= 6 && scene <= 13; }
}  // namespace

void ComposeFrame(int scene, float start, float duration, int backdrop, bool fadeIn, bool fadeOut) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ResetProjection();
  DrawBackdrop(backdrop);

  const float localTime = static_cast<float>(static_cast<double>(DemoClock) - start);
  glPushMatrix();
  if (scene >= 1 && scene <= 4) DrawIntroScene(scene, IntroAngle(scene, localTime));
  glPopMatrix();

  if (scene >= 5) {
    DrawSceneBody(scene, localTime, duration);
    if (HasLogo(scene)) DrawLogoOverlay();
  }
  if (fadeIn && localTime < 1.0f) DrawFade(localTime);
  const float remaining = static_cast<float>(static_cast<double>(duration) - localTime);
  if (fadeOut && remaining < 1.0f) DrawFade(remaining);

  if (ShowFps) {
    char text[16];
    FormatFrameRate(ShownFrameRate, text, sizeof text);
    DrawGlyphString(0, text, 0.01f, 0.93666667f, 0.25f);
  }
  glFlush();
}

}  // namespace lumaro
