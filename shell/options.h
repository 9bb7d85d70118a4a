// The command line: sets the run flags and sizes of base/run_state.h before the window
// exists. One table of options drives the parsing, the checks and the help text.
#pragma once
#include <string>
#include <vector>

#include "base/run_state.h"
#include "base/status.h"

namespace lumaro {

// What the command line asks for besides a run.
enum class OptionsAction { Run, Help, Version };

// Each argument is one option. A value option ("-video=FILE") takes the rest of its own
// argument, spaces and all; given twice or empty it is refused. The original's switches are
// case-sensitive substring tests, so "-windowed" still counts as "-window"; an argument that
// holds no option at all is refused. A refusal is a usage error: the program exits with 2.
Status ParseOptions(const std::vector<std::string>& arguments, OptionsAction* action);

std::string OptionsHelpText();

}  // namespace lumaro
