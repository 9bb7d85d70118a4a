#include "scenes/safe_passages.h"

#include <algorithm>

namespace lumaro {

float TamingWeight(float t, std::span<const Passage> passages) {
  for (const Passage& p : passages)
    if (t >= p.from && t <= p.to) return std::clamp(std::min(t - p.from, p.to - t) / kTamingRamp, 0.0f, 1.0f);
  return 0;
}

}  // namespace lumaro
