// The command line: sets the run flags and sizes of base/run_state.h before the window exists.
#pragma once
#include <string>
#include <vector>

#include "base/run_state.h"

namespace lumaro {

// Case-sensitive substring tests over the whole line, in a fixed order.
void ParseOptions(const char* commandLine);
// Empty, or what is wrong with a value given (a usage error: the program exits with 2).
extern std::string OptionsProblem;
// Arguments that match no option, and sizes that are not one of the eight.
std::vector<std::string> ArgumentWarnings(int argc, char** argv);

// Joins argv[1..] with blanks, the one-string form the options are read from.
std::string JoinCommandLine(int argc, char** argv);

const char* OptionsHelpText();

}  // namespace lumaro
