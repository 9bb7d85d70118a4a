#include "scenes/scene_frame.h"

#include <cmath>

namespace lumaro {

int FrameSpan::Ticks(int perSecond) const {
  if (fixedRate > 0) {
    if (fixedFrame == 0) return 0;
    const uint64_t rate = static_cast<uint64_t>(fixedRate), n = fixedFrame;
    return static_cast<int>(n * perSecond / rate - (n - 1) * perSecond / rate);
  }
  const double ticks = std::floor(double{now} * perSecond) - std::floor(double{previous} * perSecond);
  return ticks < 0 ? 0 : ticks > perSecond ? perSecond : static_cast<int>(ticks);
}

}  // namespace lumaro
