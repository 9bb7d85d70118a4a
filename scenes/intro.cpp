// Scenes 1 to 4: a caption card swinging about the (1, -1, 0) axis, drawn as five
// additive copies a little apart in depth for a glowing thickness.
#include <GL/gl.h>

#include "gfx/draw.h"
#include "gfx/texture.h"
#include "scenes/scenes.h"

namespace lumaro {

void DrawIntroScene(int sceneNumber, float angle) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glTranslatef(0, 0, -2);
  glRotatef(angle, 1, -1, 0);
  glBindTexture(GL_TEXTURE_2D, ShowTextures().TitleTextures[sceneNumber - 1]);
  glColor4f(1, 1, 1, 0);
  const float depths[] = {0.05f, 0.025f, 0.0f, -0.025f, -0.05f};
  for (float z : depths)
    DrawTexturedQuad({0, 0, -1, -0.25f, z}, {0, 1, -1, 0.25f, z}, {1, 1, 1, 0.25f, z}, {1, 0, 1, -0.25f, z});
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
}

}  // namespace lumaro
