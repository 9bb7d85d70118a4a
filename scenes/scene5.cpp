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
uint8_t* PlasmaBuffer = nullptr;
GLuint Scene5Textures[4] = {0, 0, 0, 0};  // plasma red, green, blue, then the title
GLuint* const PlasmaTextures = Scene5Textures;
GLuint& TitleTexture = Scene5Textures[3];

// The middle half of the screen, in a box one unit wide.
void Band(float u, float v, float du, float dv) {
  DrawTexturedQuad({u, v, 0, 0.25f, 0}, {u + du, v, 1, 0.25f, 0}, {u + du, v + dv, 1, 0.75f, 0},
                   {u, v + dv, 0, 0.75f, 0});
}
}  // namespace

void SetupScene5() {
  PlasmaBuffer = static_cast<uint8_t*>(std::malloc(kPlasmaSize * kPlasmaSize));
  for (GLuint& name : Scene5Textures) glGenTextures(1, &name);
  for (int layer = 0; layer < 3; ++layer) {
    if (!PlasmaBuffer) break;  // no memory: the band stays dark rather than reading nothing
    FillPlasma(PlasmaBuffer);
    glBindTexture(GL_TEXTURE_2D, PlasmaTextures[layer]);
    SetTextureParameters(GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE8, kPlasmaSize, kPlasmaSize, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                 PlasmaBuffer);
  }
  UploadClamped(kPlasmaTitleImage, TitleTexture, GL_RGBA8, GL_BGRA_EXT);
}

void DrawScene5(float t, float) {
  const float uR = FastSin(0.5f * t), vR = FastCos(0.65f * t);
  const float uG = FastSin(0.615f * t + 1), vG = FastCos(0.435f * t + 1);
  const float uB = FastSin(0.47f * t + 2), vB = FastCos(0.52f * t + 2);

  PushOrthoBox(0, 1, 0, 1);
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
  glBindTexture(GL_TEXTURE_2D, TitleTexture);
  Band(0, 0, 1, 1);

  glDisable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  PopOrthoBox();
}

void ReleaseScene5() {
  std::free(PlasmaBuffer);
  PlasmaBuffer = nullptr;
  for (GLuint& name : Scene5Textures) {
    glDeleteTextures(1, &name);
    name = 0;
  }
}

}  // namespace lumaro
