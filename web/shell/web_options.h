// The page's options, from its query string: "?fps&seed=1&start=70&w=640", and the modes
// "?stills=2,6,10" (the fixed clock, each still shown until the page asks for the next)
// and "?timedemo".
#pragma once
#include <string>

#include "base/status.h"

namespace lumaro::web {

// Sets the run's switches (ThisRun, ShowFps, SoundOn, the drawing size) and the web run's
// mode and stills for `query` (with or without its leading '?'); what is wrong otherwise.
Status ApplyQuery(const std::string& query);

}  // namespace lumaro::web
