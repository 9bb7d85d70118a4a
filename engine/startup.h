// Shared rendering state made before time zero and released after the loop.
#pragma once

namespace lumaro {

void RenderStartup();
void RenderShutdown();

}  // namespace lumaro
