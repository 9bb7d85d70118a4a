// The fire automaton. Each stage writes 5 random hot blocks into rows 107..125, then every
// cell of rows 0..125 becomes the average of itself and the three cells of the row below
// (by linear index, so the edges wrap into the neighbouring row), less one. Heat thus rises
// one row a stage towards row 0 and fades as it goes. Rows 126 and 127 are never written
// and stay cold; every read and write stays inside the 128 x 128 grid.
#include "scenes/fire.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/random.h"
#include "base/report.h"

namespace lumaro {

namespace {
FireState State;
constexpr size_t kGridBytes = kFireCells * sizeof(uint32_t);
constexpr size_t kImageBytes = kFireCells * 3;
constexpr int kSparkBottomRow = 123;  // a spark's first row is 123 - Y
constexpr uint32_t kHot = 255;
}  // namespace

bool AllocateFire(void* (*allocate)(size_t)) {
  if (!allocate) allocate = std::malloc;
  FreeFire();
  State.FireHeat = static_cast<uint32_t*>(allocate(kGridBytes));
  State.FireScratch = static_cast<uint32_t*>(allocate(kGridBytes));
  State.FireImage = static_cast<uint8_t*>(allocate(kImageBytes));
  if (!FireReady()) {
    Say("no memory for the fire simulation; the fireball burns without flames");
    FreeFire();
    return false;
  }
  std::memset(State.FireHeat, 0, kGridBytes);
  std::memset(State.FireScratch, 0, kGridBytes);
  std::memset(State.FireImage, 0, kImageBytes);
  return true;
}

void FreeFire() {
  std::free(State.FireImage);
  std::free(State.FireHeat);
  std::free(State.FireScratch);
  State.FireImage = nullptr;
  State.FireHeat = State.FireScratch = nullptr;
}

const FireState& FireGrids() { return State; }

bool FireReady() { return State.FireHeat && State.FireScratch && State.FireImage; }

void BuildFirePalette() {
  for (int i = 0; i < 256; ++i) {
    uint8_t* entry = State.FirePalette[i];
    if (i < 64) {
      entry[0] = static_cast<uint8_t>(4 * i), entry[1] = 0, entry[2] = 0;
    } else if (i < 128) {
      entry[0] = 255, entry[1] = static_cast<uint8_t>(4 * (i - 64)), entry[2] = 0;
    } else if (i < 192) {
      entry[0] = 255, entry[1] = 255, entry[2] = static_cast<uint8_t>(4 * (i - 128));
    } else {
      entry[0] = entry[1] = entry[2] = 255;
    }
  }
}

void SeedFireSpark(int x, int y) {
  for (int j = -2; j <= 2; ++j)
    for (int k = 0; k < 3; ++k)  // C's % truncates: columns -1 and -2 fall into the row above
      State.FireHeat[(kSparkBottomRow - y + k) * kFireSize + (x + j) % kFireSize] = kHot;
}

void FireStage() {
  for (int spark = 0; spark < kFireSparksPerStage; ++spark) {
    const int x = (rand() * kFireSize) / kRandMax;
    const int y = (rand() * 16) / kRandMax;
    SeedFireSpark(x, y);
  }
  SpreadFire();
}

void SpreadFire() {
  const uint32_t* __restrict in = State.FireHeat;
  uint32_t* __restrict out = State.FireScratch;
  for (int i = 0; i < kFireSpreadCells; ++i) {
    const uint32_t v = (in[i] + in[i + kFireSize - 1] + in[i + kFireSize] + in[i + kFireSize + 1]) >> 2;
    out[i] = v > 0 ? v - 1 : 0;
  }
  std::swap(State.FireHeat, State.FireScratch);
}

void ConvertFire() {
  for (int i = 0; i < kFireCells; ++i) std::memcpy(State.FireImage + 3 * i, State.FirePalette[State.FireHeat[i]], 3);
}

void StepFire(int stages) {
  if (!FireReady() || stages <= 0) return;
  for (int stage = 0; stage < stages; ++stage) FireStage();
  ConvertFire();
}

}  // namespace lumaro
