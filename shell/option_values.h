// The values of our options, checked as they are read, and what the options mean together.
#pragma once
#include <string>

#include "base/run_state.h"
#include "base/status.h"

namespace lumaro {

Status ParseSeed(const std::string& name, const std::string& value);
// A demo second: 0 up to 329 for "-start", above 0 up to 329 for "-end".
Status ParseSecond(const std::string& name, const std::string& value, float* second);
Status ParseStills(const std::string& name, const std::string& value);
Status ParseReadback(const std::string& name, const std::string& value);

// The container ffmpeg writes for a video name's extension, or null when we know none.
const char* VideoContainerFor(const std::string& file);

// After every argument: what the options imply for each other, and the pairs refused.
Status SettleCombinations(bool rangeGiven);

}  // namespace lumaro
