// The desktop's keys on the page: Escape stops the show, Space pauses and resumes picture
// and music together (with stills: the next one), Left and Right go to the previous and
// next scene's start, F toggles the full screen. The page's touch controls call the same.
#pragma once
#include "base/run_state.h"

namespace lumaro::web {

void InstallKeys();
// Ends a show that is on (at the frame loop's next turn); false when none is.
bool StopShow(StopReason reason);
// Space: pause or resume a live show, or go on from a still.
void PauseOrNext();

}  // namespace lumaro::web
