#include <gtest/gtest.h>

#include <cmath>

#include "gfx/sine.h"
#include "scenes/end_card.h"
#include "scenes/ripples.h"
#include "scenes/tunnel.h"

using namespace lumaro;

TEST(TunnelCamera, StartsOnTheAxisLookingDownTheTunnel) {
  BuildSineTable();
  const TunnelCamera camera = TunnelCameraAt(0);
  EXPECT_EQ(camera.roll, 0);
  EXPECT_EQ(camera.yaw, 0);
  EXPECT_EQ(camera.worldRoll, 15);
  const Vec3 eye = TunnelEye(0);
  EXPECT_EQ(eye.x, 0);
  EXPECT_EQ(eye.z, 12);
  EXPECT_NEAR(TunnelEye(11.25f).z, -12, 0.01);  // half an orbit later, behind the middle wheel
  EXPECT_NEAR(TunnelCameraAt(40).roll, 735, 5);
}

TEST(TunnelGlows, TheStringRepeatsEverySpacingWithBrightnessByIndex) {
  BuildSineTable();
  for (int k = -60; k < 59; ++k) EXPECT_NEAR(AxisGlowZ(k, 0.9999999), AxisGlowZ(k + 1, 0), 1e-4);
  EXPECT_DOUBLE_EQ(AxisGlowPhase(0.2f), std::fmod(static_cast<double>(5 * 0.2f), 1.0));
  EXPECT_EQ(AxisGlowBrightness(0), 1);
  EXPECT_EQ(AxisGlowBrightness(-20), 1);
  EXPECT_FLOAT_EQ(AxisGlowBrightness(40), 0.5f);
  EXPECT_EQ(AxisGlowBrightness(-60), 0);
  EXPECT_EQ(TunnelGrey(15), 0);
  EXPECT_EQ(TunnelGrey(-15), 0);
  EXPECT_FLOAT_EQ(TunnelGrey(0), 0.7f);
  EXPECT_FLOAT_EQ(TunnelGrey(10), 0.5f);
  EXPECT_NEAR(Length(HubGlowPosition(3, 0, 2.5f)), 1.7f, 1e-3);
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
