// What the program asks of its system about itself: its standard files, arguments, folder,
// memory, and the stop requests from outside. One file per system (process_posix.cpp,
// process_win.cpp); the stop requests are declared in shell/platform.h.
#pragma once
#include <string>
#include <vector>

#include "base/status.h"

namespace lumaro {

// A program started from a console writes there even when it has none of its own (Windows'
// window programs); files 0 to 2 open before anything else is: a program started with
// stderr closed would otherwise write its messages into the first frame or sound.wav it opens.
void PrepareStandardFiles();
// The command line in UTF-8, whatever the system's own encoding of it.
std::vector<std::string> ProgramArguments(int argc, char** argv);
// The program's own file, or "" when the system will not say.
std::string ExecutablePath();
// Whether files can be made in `folder`: the reason when not.
Status CheckFolderWritable(const std::string& folder);
// The most memory the run held at once, in megabytes.
double PeakMemoryMegabytes();

}  // namespace lumaro
