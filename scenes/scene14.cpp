// Scene 14: "The End" fades up on black, stays, and fades out: the show's last card.
#include <GL/gl.h>

#include "assets/assets.h"
#include "gfx/overlays.h"
#include "gfx/texture.h"
#include "scenes/end_card.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
GLuint EndTexture = 0;
}  // namespace

void SetupScene14() {
  glGenTextures(1, &EndTexture);
  UploadClamped(kEndCardImage, EndTexture, GL_RGBA8, GL_BGRA_EXT);
}

void DrawScene14(const SceneFrame& frame) {
  const float t = frame.localTime;
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  DrawCaptionBand(EndTexture, EndCardBrightness(t));
}

void ReleaseScene14() {
  if (EndTexture) glDeleteTextures(1, &EndTexture);
  EndTexture = 0;
}

}  // namespace lumaro
