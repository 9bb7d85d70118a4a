#include <gtest/gtest.h>

#include <vector>

#include "base/random.h"
#include "scenes/plasma.h"

using namespace lumaro;

namespace {
std::vector<uint8_t> Plasma(uint32_t seed) {
  std::vector<uint8_t> buffer(kPlasmaSize * kPlasmaSize);
  lumaro::srand(seed);
  FillPlasma(buffer.data());
  return buffer;
}
}  // namespace

// The four seeds are the first draws, mid-grey; no later step writes over them.
TEST(Plasma, EveryPixelIsSetWithinRangeAndSeedsSurvive) {
  const std::vector<uint8_t> p = Plasma(99);
  for (uint8_t v : p) ASSERT_GE(v, 1);
  lumaro::srand(99);
  for (int at : {0, 128, 32768, 32896}) EXPECT_EQ(p[at], lumaro::rand() % 128 + 64) << at;
}

// 4 seed draws plus one per remaining pixel: the whole grid, each pixel set once.
TEST(Plasma, OneDrawPerNewPixel) {
  lumaro::srand(5);
  for (int i = 0; i < kPlasmaSize * kPlasmaSize; ++i) lumaro::rand();
  const int expectedNext = lumaro::rand();
  Plasma(5);
  EXPECT_EQ(lumaro::rand(), expectedNext);
}

TEST(Plasma, EdgesWrapOntoRowAndColumnZero) {
  // A square touching coordinate 256 writes the bytes of row/column 0, so a pixel set
  // there beforehand is kept and read, not duplicated.
  std::vector<uint8_t> b(kPlasmaSize * kPlasmaSize, 0);
  b[0] = 100;
  b[128] = 100;
  b[128 * 256] = 100;
  b[128 * 256 + 128] = 100;
  lumaro::srand(1);
  GeneratePlasma(b.data(), 128, 128, 256, 256);
  // The square's far corners (256, 128), (128, 256) and (256, 256) are bytes already set.
  EXPECT_EQ(b[128 * 256 + 0], 100);
  EXPECT_EQ(b[0], 100);
  // Its right edge midpoint (256, 192) is column 0.
  EXPECT_NE(b[192 * 256 + 0], 0);
  EXPECT_EQ(b[192 * 256 + 127], 0);  // left of the square: untouched
  EXPECT_EQ(b[64 * 256 + 0], 0);     // column 0 outside the square's rows: untouched
}

TEST(Plasma, SharedEdgePixelsAreWrittenOnce) {
  std::vector<uint8_t> b(kPlasmaSize * kPlasmaSize, 0);
  b[0] = 64;
  b[2] = 64;
  b[2 * 256] = 64;
  b[2 * 256 + 2] = 64;
  b[1] = 200;  // the top edge midpoint, already set by a neighbouring square
  lumaro::srand(3);
  for (int i = 0; i < 4; ++i) lumaro::rand();
  const int afterFourDraws = lumaro::rand();
  lumaro::srand(3);
  GeneratePlasma(b.data(), 0, 0, 2, 2);
  EXPECT_EQ(b[1], 200);
  EXPECT_EQ(lumaro::rand(), afterFourDraws);  // four new pixels, four draws
}

TEST(Plasma, DisplacementHalvesWithTheSpan) {
  lumaro::srand(8);
  for (int i = 0; i < 5000; ++i) {
    int d = PlasmaDisplacement(128);
    ASSERT_GE(d, -64);
    ASSERT_LE(d, 64);
  }
  // At the two-pixel level only lumaro::rand() == 32767 gives +1.
  int plusOne = 0;
  for (int i = 0; i < 40000; ++i) plusOne += PlasmaDisplacement(2) == 1;
  EXPECT_LT(plusOne, 10);
}
