// The demo's one random generator: the classic rand()/srand() pair with a fixed
// linear congruential definition, so scene formulas scaled by 1/32767 behave alike everywhere.
#pragma once
#include <cstdint>

namespace lumaro {

constexpr int RandMax = 32767;

void srand(uint32_t seed);
int rand();  // 0 .. 32767

}  // namespace lumaro
