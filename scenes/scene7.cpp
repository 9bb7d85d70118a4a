// Scene 7: fireworks over the backdrop, seen only through their sparks.
#include "scenes/particles.h"
#include "scenes/scenes.h"
#include "scenes/sparks.h"

namespace lumaro {

void AdvanceScene7(float t, float d) { UpdateFireworks(t, d); }

void DrawScene7(float t, float d) {
  AdvanceScene7(t, d);
  DrawLiveSparks(false);
}

}  // namespace lumaro
