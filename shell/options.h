// The command line as a plan of the run: a value, made by ParseOptions from the arguments
// and from one table of options, before anything starts. Nothing else is written; main
// hands each module its part of the plan (shell/run_setup.h).
#pragma once
#include <span>
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

// The options as -help and the manual page show them: the sizes together in one row, the
// help with its lines split by '\n' and its placeholders filled, and a value option's
// default (empty when it has none).
struct OptionRow {
  std::string heads;  // "-video=FILE", or "-w320 -w512 ... -w1600"
  std::string help;
  std::string byDefault;
};
std::vector<OptionRow> OptionRows();
// The keys of the show while it plays.
struct KeyRow {
  const char* keys;  // "Left, Right"
  const char* action;
};
std::span<const KeyRow> KeyRows();

std::string OptionsHelpText();

}  // namespace lumaro
