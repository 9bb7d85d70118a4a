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
  lumaro::OptionsAction action = lumaro::OptionsAction::Run;
  const lumaro::Status parsed = lumaro::ParseOptions(arguments, &action);
  // A refusal names what it refused; a run starts from a window of the show.
  if (!parsed.ok() && parsed.why().empty()) __builtin_trap();
  if (parsed.ok() && action == lumaro::OptionsAction::Run && !(lumaro::ThisRun.endTime > lumaro::ThisRun.startTime) &&
      lumaro::ThisRun.stillTimes.empty())
    __builtin_trap();
  return 0;
}
