// The values of our options, checked as they are read, and what the options mean together.
#pragma once
#include <string>

#include <vector>

#include "base/status.h"
#include "engine/capture_settings.h"

namespace lumaro {

struct RunPlan;

// The show's length in seconds as the messages print it ("329").
std::string ShowLengthText();

Status ParseSeed(const std::string& name, const std::string& value, uint32_t* seed);
// A demo second: 0 up to 329 for "-start", above 0 up to 329 for "-end".
Status ParseSecond(const std::string& name, const std::string& value, float* second);
// Ascending.
Status ParseStills(const std::string& name, const std::string& value, std::vector<float>* seconds);
Status ParseReadback(const std::string& name, const std::string& value, Readback* readback);
// A whole number from `lowest` to `highest`; `meaning` says what it is in the refusal.
Status ParseWhole(const std::string& name, const std::string& value, int lowest, int highest, const char* meaning,
                  int* number);
// "WxH", both even, each from 240 to 7680.
Status ParseFrameSize(const std::string& name, const std::string& value, int* width, int* height);
// One of x264's preset names.
Status ParsePreset(const std::string& name, const std::string& value, std::string* preset);
// A name that ends in one of the containers we make.
Status ParseVideoFile(const std::string& name, const std::string& value, std::string* file);

// A path as a shell would read it: a leading "~/" (or a lone "~") is the home folder.
std::string ExpandHome(const std::string& path);

// The container ffmpeg writes for a video name's extension, or null when we know none.
const char* VideoContainerFor(const std::string& file);

// After every argument: what the options imply for each other, and the pairs refused.
struct Given {
  bool range = false;       // "-start" or "-end"
  bool sizeSwitch = false;  // one of the "-wNNN" switches
  bool encoder = false;     // "-crf" or "-preset"
};
Status SettleCombinations(const Given& given, RunPlan* plan);

}  // namespace lumaro
