#include "base/frame_ticks.h"

#include <cmath>

#include "base/run_state.h"

namespace lumaro {

namespace {
uint32_t FrameNumber = 0;
float Previous = 0, Now = 0;
}  // namespace

void NoteFrameClock(uint32_t fixedFrameNumber, float previousClock, float clock) {
  FrameNumber = fixedFrameNumber;
  Previous = previousClock;
  Now = clock;
}

int TicksThisFrame(int perSecond) {
  if (FixedClock()) {
    if (FrameNumber == 0) return 0;
    const uint64_t rate = static_cast<uint64_t>(ThisRun.videoRate), n = FrameNumber;
    return static_cast<int>(n * perSecond / rate - (n - 1) * perSecond / rate);
  }
  const double ticks = std::floor(double{Now} * perSecond) - std::floor(double{Previous} * perSecond);
  return ticks < 0 ? 0 : ticks > perSecond ? perSecond : static_cast<int>(ticks);
}

}  // namespace lumaro
