// "-safe": the passages of a scene that flash more than WCAG 2.x allows, as -flashcheck
// finds them (the README's warning lists the same), and how strongly each moment of them is
// tamed. Outside them the picture stays exactly as designed.
#pragma once
#include <span>

namespace lumaro {

struct Passage {
  float from, to;  // seconds of the scene's own time
};
// 0 outside every passage; inside, rising to 1 over kTamingRamp seconds from its start and
// falling back to 0 by its end, so the taming comes and goes as a slow fade, no flash.
constexpr float kTamingRamp = 0.4f;
float TamingWeight(float t, std::span<const Passage> passages);
// 1 where nothing is tamed, `tamed` at full weight, between in proportion.
inline float Tamed(float weight, float tamed) { return 1 - weight * (1 - tamed); }

}  // namespace lumaro
