// Everything the show sets in GL put back to what a new context has, so that the show can
// start over on the context it ran on (the viewer jumping back, the show looping) and find
// what it found the first time.
#pragma once

namespace lumaro {

void ResetGlState();

}  // namespace lumaro
