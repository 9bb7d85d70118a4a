#include <gtest/gtest.h>

#include <cmath>

#include "gfx/sine.h"
#include "scenes/end_card.h"
#include "scenes/ripples.h"
#include "scenes/tunnel.h"

using namespace lumaro;

// The string of glows along the axis moves on without a jump: one spacing on, it is where
// the next glow was. (The camera's path and the glows' brightness are the golden frames'.)
TEST(TunnelGlows, TheStringRepeatsEverySpacing) {
  BuildSineTable();
  for (int k = -60; k < 59; ++k) EXPECT_NEAR(AxisGlowZ(k, 0.9999999), AxisGlowZ(k + 1, 0), 1e-4);
  EXPECT_DOUBLE_EQ(AxisGlowPhase(0.2f), std::fmod(static_cast<double>(5 * 0.2f), 1.0));
}

// (The sheets' shape and the blob lights are the golden frames'.)
TEST(Ripples, OnePeriodASecond) {
  BuildSineTable();
  EXPECT_EQ(RippleFrameAt(0), 0);
  EXPECT_EQ(RippleFrameAt(0.999f), 31);
  EXPECT_EQ(RippleFrameAt(1), 0);
  EXPECT_EQ(RippleFrameAt(2.5f), 16);
}

TEST(EndCard, FadesUpStaysAndFadesOutContinuously) {
  EXPECT_EQ(EndCardBrightness(0), 0);
  EXPECT_EQ(EndCardBrightness(0.5f), 1);
  EXPECT_EQ(EndCardBrightness(2.5f), 1);
  EXPECT_NEAR(EndCardBrightness(2.999f), 0, 0.01);
  for (float t = 0; t < 3; t += 0.01f)
    ASSERT_LT(std::fabs(EndCardBrightness(t + 0.01f) - EndCardBrightness(t)), 0.021f) << t;
}
