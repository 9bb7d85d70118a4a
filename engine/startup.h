// Shared rendering state made before time zero and released after the loop.
#pragma once
#include "engine/show.h"

namespace lumaro {

// Keeps the run's settings for the engine (engine/show.h), then makes what the show needs.
void RenderStartup(const ShowSettings& settings);
// The show as at time zero, without the music or the shared textures: the timeline and its
// steps, the seed, the GL state every scene starts from, the particle pools.
void ResetShowState();
void RenderShutdown();

}  // namespace lumaro
