#include "gfx/sine.h"

#include <cmath>
#include <cstdint>

namespace lumaro {

namespace {
SineTableData MakeSines() {
  SineTableData sines;
  // One step is (2*pi rounded to float) / 8192, kept in double like the index scale below.
  const double step = static_cast<double>(6.2831854820251465f) / 8192.0;
  for (int i = 0; i < kSineTableSize; ++i) sines.SineTable[i] = static_cast<float>(std::sin(i * step));
  return sines;
}
}  // namespace

const SineTableData& Sines() {
  static const SineTableData sines = MakeSines();
  return sines;
}

void BuildSineTable() { (void)Sines(); }

int SineIndex(float x) {
  const float scale = 1303.7972412109375f;  // 8192 / 2pi in single precision
  const float scaled = x * scale;
  // Out of range (or NaN) gives the x86 "integer indefinite" 0x80000000, whose low bits are 0.
  if (!(scaled > -2147483648.0f && scaled < 2147483648.0f)) return 0;
  int32_t k = static_cast<int32_t>(scaled);  // truncation toward zero
  return static_cast<int>(static_cast<uint32_t>(k) & 8191u);
}

float FastSin(float x) { return Sines().SineTable[SineIndex(x)]; }
float FastCos(float x) { return Sines().SineTable[SineIndex(x) + 2048]; }

float TangentPolarAngle(float u) {
  constexpr float kTanOne = 1.5574077f;
  constexpr float kHalfTurnOverTwoTanOne = 1.0085968f;
  return (FastSin(u) / FastCos(u) + kTanOne) * kHalfTurnOverTwoTanOne;
}

float Clamp(float value, float low, float high) {
  if (value > high) return high;
  if (value < low) return low;
  if (value >= low) return value;
  return low;  // NaN
}

}  // namespace lumaro
