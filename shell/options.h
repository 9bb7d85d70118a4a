// The command line as a plan of the run: a value, made by ParseOptions from the arguments
// and from one table of options, before anything starts. Nothing else is written; main
// hands each module its part of the plan (shell/run_setup.h).
#pragma once
#include <string>
#include <vector>

#include "base/status.h"
#include "shell/run_plan.h"

namespace lumaro {

// Each argument is one option. A value option ("-video=FILE") takes the rest of its own
// argument, spaces and all; given twice or empty it is refused. The original's switches are
// case-sensitive substring tests, so "-windowed" still counts as "-window"; an argument that
// holds no option at all is refused. A refusal is a usage error: the program exits with 2.
Status ParseOptions(const std::vector<std::string>& arguments, RunPlan* plan);

std::string OptionsHelpText();

}  // namespace lumaro
