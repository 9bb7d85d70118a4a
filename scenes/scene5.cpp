// Scene 5: the title "Lumaro" as windows onto three drifting plasma clouds.
#include <GL/gl.h>

#include <cstdlib>

#include "assets/assets.h"
#include "gfx/draw.h"
#include "gfx/sine.h"
#include "gfx/texture.h"
#include "scenes/plasma.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
struct Scene5State {
  uint8_t* PlasmaBuffer = nullptr;
  GLuint Scene5Textures[4] = {0, 0, 0, 0};  // plasma red, green, blue, then the title
};
Scene5State State;
GLuint* const PlasmaTextures = State.Scene5Textures;
constexpr int kTitleSlot = 3;

// The middle half of the screen, in a box one unit high and Widening() wide: across a wider
// drawing, and scaled down to fit a narrower one. `du` is the texture's width over a 4:3
// screen's width.
void Band(float u, float v, float du, float dv) {
  const float wide = Widening(), shrink = Shrinking(), bottom = 0.5f - 0.25f * shrink, top = 0.5f + 0.25f * shrink;
  const float across = du * (wide / shrink);
  DrawTexturedQuad({u, v, 0, bottom, 0}, {u + across, v, wide, bottom, 0}, {u + across, v + dv, wide, top, 0},
                   {u, v + dv, 0, top, 0});
}
}  // namespace

void SetupScene5() {
  State.PlasmaBuffer = static_cast<uint8_t*>(std::malloc(kPlasmaSize * kPlasmaSize));
  for (GLuint& name : State.Scene5Textures) glGenTextures(1, &name);
  for (int layer = 0; layer < 3; ++layer) {
    if (!State.PlasmaBuffer) break;  // no memory: the band stays dark rather than reading nothing
    FillPlasma(State.PlasmaBuffer);
    glBindTexture(GL_TEXTURE_2D, PlasmaTextures[layer]);
    SetTextureParameters(GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE8, kPlasmaSize, kPlasmaSize, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                 State.PlasmaBuffer);
  }
  UploadClamped(kPlasmaTitleImage, State.Scene5Textures[kTitleSlot], GL_RGBA8, GL_BGRA_EXT);
}

void DrawScene5(const SceneFrame& frame) {
  const float t = frame.localTime;
  const float uR = FastSin(0.5f * t), vR = FastCos(0.65f * t);
  const float uG = FastSin(0.615f * t + 1), vG = FastCos(0.435f * t + 1);
  const float uB = FastSin(0.47f * t + 2), vB = FastCos(0.52f * t + 2);

  PushOrthoBox(0, Widening(), 0, 1);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);

  glColor4f(0.9f, 0, 0, 0);
  glBindTexture(GL_TEXTURE_2D, PlasmaTextures[0]);
  Band(uR, vR, 1, 0.5f);
  glColor4f(0, 0.7f, 0, 0);
  glBindTexture(GL_TEXTURE_2D, PlasmaTextures[1]);
  Band(uG, vG, 1, 0.5f);
  glColor4f(0, 0, 1, 0);
  glBindTexture(GL_TEXTURE_2D, PlasmaTextures[2]);
  Band(uB, vB, 1, 0.5f);

  // Inside the letters (alpha 1) the plasma stays; outside, the title's glow replaces it.
  glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
  glColor4f(1, 1, 1, 1);
  glBindTexture(GL_TEXTURE_2D, State.Scene5Textures[kTitleSlot]);
  // Centred: the sides of a wider band take the title's edge, its dark surround.
  Band((1 - Widening() / Shrinking()) / 2, 0, 1, 1);

  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  PopOrthoBox();
}

void ReleaseScene5() {
  std::free(State.PlasmaBuffer);
  State.PlasmaBuffer = nullptr;
  for (GLuint& name : State.Scene5Textures) {
    glDeleteTextures(1, &name);
    name = 0;
  }
}

}  // namespace lumaro
