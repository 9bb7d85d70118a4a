// "-flashcheck": every frame of the fixed clock read back and handed to the flash analyser
// (engine/flash_check.h) instead of a file, and at the end, on stdout, each stretch that
// flashes too much and a last line saying whether the show passes.
#pragma once
#include <string>

#include "base/status.h"
#include "engine/capture_settings.h"

namespace lumaro {

struct FlashWatchSettings {
  CaptureSettings capture{};  // the frame's size and how it is read back
  std::string tableFile{};    // "-flashcheck=FILE.csv": every frame's measures
};

// The exit code of a run whose frames fail the check.
constexpr int kFlashesFail = 4;

Status StartFlashWatch(const FlashWatchSettings& settings);
// After the loop: the frames in flight measured, the report said, the table written.
// False when a stretch fails; a run that ended early or failed gets no verdict.
bool EndFlashWatch(int signal);

// "from 260.52 s to 262.20 s: general flashes, 5 a second, over 98 % of a 10-degree field"
struct FlashStretch;
std::string DescribeFlashStretch(const FlashStretch& stretch);

}  // namespace lumaro
