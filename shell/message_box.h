// The original's message boxes, each shown by a process of its own. A box waits in SDL's
// own event loop, which no signal breaks; a stop signal ends the process that shows it.
#pragma once
#include "base/report.h"

namespace lumaro {

enum class BoxKind { Error, Information, OkCancel };

// In the process started to show a box: shows it and gives the exit code (0: OK). -1 in any
// other run of the program.
int ShowBoxIfAsked(int argc, char** argv);

// Shows a box in a process of its own and waits for it. A stop signal, now or while it is
// up, closes it at once (Cancel): the run ends as it would without the box.
DialogAnswer ShowBoxAside(BoxKind kind, const char* text, const char* caption);

}  // namespace lumaro
