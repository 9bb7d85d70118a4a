// The page's options, from its query string: "?fps&seed=1&start=70&w=640", and the modes
// "?stills=2,6,10" (the fixed clock, each still shown until the page asks for the next)
// and "?timedemo".
#pragma once
#include <string>

#include "base/status.h"
#include "engine/show.h"
#include "gfx/draw.h"

namespace lumaro::web {

// The show's settings and the drawing area for `query` (with or without its leading '?'),
// and the web run's mode and stills; what is wrong otherwise.
Status ApplyQuery(const std::string& query, ShowSettings* show, DrawingArea* area);

}  // namespace lumaro::web
