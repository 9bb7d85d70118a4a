// Scene 7: fireworks over the backdrop, seen only through their sparks.
#include "scenes/particles.h"
#include "scenes/scenes.h"
#include "scenes/sparks.h"

namespace lumaro {

void AdvanceScene7(const SceneFrame& frame) { UpdateFireworks(frame.localTime, frame.duration); }

void DrawScene7(const SceneFrame&) { DrawLiveSparks(false); }

}  // namespace lumaro
