#include "base/random.h"

namespace lumaro {

namespace {
uint32_t RandomState = 1;
}

void srand(uint32_t seed) { RandomState = seed; }

uint32_t RandomGeneratorState() { return RandomState; }

int rand() {
  RandomState = RandomState * 214013u + 2531011u;
  return static_cast<int>((RandomState >> 16) & 32767u);
}

}  // namespace lumaro
