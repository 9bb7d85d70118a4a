// The command line: sets the run flags and sizes of base/run_state.h before the window exists.
#pragma once
#include <string>

#include "base/run_state.h"

namespace lumaro {

// Case-sensitive substring tests over the whole line, in a fixed order.
void ParseOptions(const char* commandLine);

// Joins argv[1..] with blanks, the one-string form the options are read from.
std::string JoinCommandLine(int argc, char** argv);

const char* OptionsHelpText();

}  // namespace lumaro
