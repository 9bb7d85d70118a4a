// libFuzzer: the whole command line, one argument a line, through the option table.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n')
      arguments.emplace_back();
    else
      arguments.back() += static_cast<char>(data[i]);
  }
  lumaro::RunPlan plan;
  const lumaro::Status parsed = lumaro::ParseOptions(arguments, &plan);
  // A refusal names what it refused and leaves the plan as it was; a run starts from a
  // window of the show, and the same arguments make the same plan.
  if (!parsed.ok() && (parsed.why().empty() || !(plan == lumaro::RunPlan{}))) __builtin_trap();
  if (parsed.ok() && plan.action == lumaro::OptionsAction::Run && !(plan.endTime > plan.startTime) &&
      plan.stillTimes.empty())
    __builtin_trap();
  lumaro::RunPlan again;
  if (parsed.ok() && (!lumaro::ParseOptions(arguments, &again).ok() || !(again == plan))) __builtin_trap();
  return 0;
}
