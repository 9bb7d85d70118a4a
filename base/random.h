// The demo's one random generator: the classic rand()/srand() pair with a fixed
// linear congruential definition, so scene formulas scaled by 1/32767 behave alike everywhere.
#pragma once
#include <cstdint>

namespace lumaro {

constexpr int kRandMax = 32767;

void srand(uint32_t seed);
int rand();                       // 0 .. 32767
uint32_t RandomGeneratorState();  // where the sequence stands, for checks

// The single-precision factor that maps rand() onto 0 .. range: rand() * RandScale(2)
// lies in 0 .. 2. Formed as range / 32767 in float, as every scene formula expects.
consteval float RandScale(float range) { return range / static_cast<float>(kRandMax); }

constexpr float kTwoPi = 6.28318548f;  // 2 pi in single precision

}  // namespace lumaro
