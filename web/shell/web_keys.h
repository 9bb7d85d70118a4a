// The desktop's keys on the page: Escape stops the show, Space pauses and resumes picture
// and music together, Left and Right go to the previous and next scene's start, F toggles
// the full screen.
#pragma once

namespace lumaro::web {

void InstallKeys();

}  // namespace lumaro::web
