// The values of our options, checked as they are read, and what the options mean together.
#pragma once
#include <string>

#include "base/run_state.h"
#include "base/status.h"

namespace lumaro {

// The show's length in seconds as the messages print it ("329").
std::string ShowLengthText();

Status ParseSeed(const std::string& name, const std::string& value);
// A demo second: 0 up to 329 for "-start", above 0 up to 329 for "-end".
Status ParseSecond(const std::string& name, const std::string& value, float* second);
Status ParseStills(const std::string& name, const std::string& value);
Status ParseReadback(const std::string& name, const std::string& value);
// A whole number from `lowest` to `highest`; `meaning` says what it is in the refusal.
Status ParseWhole(const std::string& name, const std::string& value, int lowest, int highest, const char* meaning,
                  int* number);
// "WxH", both even, each from 240 to 7680.
Status ParseFrameSize(const std::string& name, const std::string& value);
// One of x264's preset names.
Status ParsePreset(const std::string& name, const std::string& value);

// A path as a shell would read it: a leading "~/" (or a lone "~") is the home folder.
std::string ExpandHome(const std::string& path);

// The container ffmpeg writes for a video name's extension, or null when we know none.
const char* VideoContainerFor(const std::string& file);

// After every argument: what the options imply for each other, and the pairs refused.
struct Given {
  bool range = false;       // "-start" or "-end"
  bool sizeSwitch = false;  // one of the "-wNNN" switches
};
Status SettleCombinations(const Given& given);

}  // namespace lumaro
