// Scene 6: a fountain of light-blue sparks rising from a ring over the backdrop.
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

#include "gfx/draw.h"
#include "gfx/texture.h"
#include "scenes/particles.h"
#include "scenes/scenes.h"
#include "scenes/sparks.h"

namespace lumaro {

namespace {
constexpr float kSparkHalfSize = 0.03f;  // scene units
}

void DrawSparkSprite(int index) {
  const SparkRecord& s = Particles().SparkPool[index];
  glBindTexture(GL_TEXTURE_2D, ShowTextures().SpriteTextures[s.sprite]);
  const float h = kSparkHalfSize;
  DrawTexturedQuad({0, 0, s.x - h, s.y - h, s.z}, {0, 1, s.x - h, s.y + h, s.z}, {1, 1, s.x + h, s.y + h, s.z},
                   {1, 0, s.x + h, s.y - h, s.z});
}

void DrawLiveSparks(bool bindFirstSprite) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);  // overlapping sparks brighten each other in any order
  glColor4f(1, 1, 1, 0);
  if (bindFirstSprite) glBindTexture(GL_TEXTURE_2D, ShowTextures().SpriteTextures[0]);
  // Grouped by sprite, since the renderer ends its batch at every change of texture (in
  // index order the fireworks' colours alternate: a draw call a spark). Added light is
  // the same in any order; the last spark in index order leaves its sprite bound.
  static uint16_t order[kSparkCount];
  const int live = LiveSparksBySprite(order);
  for (int k = 0; k < live; ++k) DrawSparkSprite(order[k]);
  if (live > 0) {
    const SparkRecord& last = Particles().SparkPool[*std::max_element(order, order + live)];
    glBindTexture(GL_TEXTURE_2D, ShowTextures().SpriteTextures[last.sprite]);
  }
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
}

void AdvanceScene6(const SceneFrame& frame) { UpdateFountain(frame.localTime, frame.duration); }

void DrawScene6(const SceneFrame&) { DrawLiveSparks(true); }

}  // namespace lumaro
