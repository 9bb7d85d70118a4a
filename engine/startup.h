// Shared rendering state made before time zero and released after the loop.
#pragma once

namespace lumaro {

void RenderStartup();
// The show as at time zero, without the music or the shared textures: the timeline and its
// steps, the seed, the GL state every scene starts from, the particle pools.
void ResetShowState();
void RenderShutdown();

}  // namespace lumaro
