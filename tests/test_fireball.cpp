#include <gtest/gtest.h>

#include <cmath>

#include "gfx/sine.h"
#include "scenes/fireball.h"

using namespace lumaro;

namespace {
constexpr float kD = 60;
}

TEST(FireballPhases, TumbleSavesItsAnglesAndTheSettleEasesFromThem) {
  BuildSineTable();
  FireballMemory memory;
  FireballPose pose = AdvanceFireball(39.99f, kD, &memory);
  EXPECT_NEAR(pose.rx, std::fmod(20 * 39.99f, 360.0f), 1e-3);
  EXPECT_NEAR(pose.ry, std::fmod(33 * 39.99f, 360.0f), 1e-3);
  EXPECT_EQ(memory.savedRx, pose.rx);
  EXPECT_FLOAT_EQ(pose.z, -5);

  // The settle starts from the saved values and leaves them alone.
  pose = AdvanceFireball(40.0f, kD, &memory);
  EXPECT_NEAR(pose.rx, memory.savedRx, 1e-3);
  EXPECT_NEAR(pose.ry, memory.savedRy, 1e-3);
  pose = AdvanceFireball(42.49f, kD, &memory);
  EXPECT_NEAR(pose.rx, 0, 0.05);    // 79.8 degrees: down to 0
  EXPECT_NEAR(pose.ry, 360, 0.05);  // 239.7 degrees: up to 360
  EXPECT_NEAR(memory.savedRx, std::fmod(20 * 39.99f, 360.0f), 1e-3);

  // Exactly 180 eases up; below it eases down.
  EXPECT_FLOAT_EQ(SettleAngle(180, -1), 360);
  EXPECT_FLOAT_EQ(SettleAngle(179.9f, -1), 0);
  EXPECT_FLOAT_EQ(SettleAngle(250, 1), 250);

  // Without a tumble frame the saved angles are zero.
  FireballMemory fresh;
  pose = AdvanceFireball(41, kD, &fresh);
  EXPECT_EQ(pose.rx, 0);
  EXPECT_EQ(pose.ry, 0);
}

TEST(FireballPhases, LaunchThenExplosionWhoseFlagStays) {
  FireballMemory memory;
  FireballPose pose = AdvanceFireball(42.5f, kD, &memory);
  EXPECT_EQ(pose.rx, 0);
  EXPECT_EQ(pose.ry, 0);
  EXPECT_FLOAT_EQ(pose.z, -5);
  pose = AdvanceFireball(49.999f, kD, &memory);
  EXPECT_NEAR(pose.z, -42.5f, 0.01);
  EXPECT_FALSE(memory.exploded);
  pose = AdvanceFireball(50, kD, &memory);
  EXPECT_TRUE(memory.exploded);
  EXPECT_EQ(pose.z, 0);
  AdvanceFireball(10, kD, &memory);  // nothing clears it
  EXPECT_TRUE(memory.exploded);
  EXPECT_FALSE(ShowsScorchedFront(52.49f, kD));
  EXPECT_TRUE(ShowsScorchedFront(52.5f, kD));
}

// The flash fades out by four seconds and does not come back (its first seconds are the
// golden frames').
TEST(FireballPhases, FlashFadesByFourAndTheRingsKeepGrowing) {
  EXPECT_FLOAT_EQ(FlashBrightness(0), 1);
  EXPECT_FLOAT_EQ(FlashBrightness(4), 0);
  EXPECT_FLOAT_EQ(FlashBrightness(4.01f), 0);
  EXPECT_FLOAT_EQ(FlashBrightness(7), 0);
  EXPECT_FLOAT_EQ(FlashScale(0), 0);
  EXPECT_NEAR(FlashScale(4), 4, 1e-5);  // 4 * sqrt 2 / sqrt 2
}

TEST(FireballGeometry, SpheresCloseAndTheBowlRisesWithTheSquareOfItsRadius) {
  for (int ring = 0; ring <= kSphereRings; ++ring)
    for (int j = 0; j <= kSphereSegments; ++j) ASSERT_NEAR(Length(SpherePoint(ring, j)), 0.45f, 1e-5);
  EXPECT_NEAR(SpherePoint(0, 5).z, -0.45f, 1e-6);
  EXPECT_NEAR(SpherePoint(12, 5).z, 0.45f, 1e-6);
  EXPECT_NEAR(Length(SpherePoint(6, 0) - SpherePoint(6, 24)), 0, 1e-5);  // the ring closes

  const Vec3 rim = CoronaPoint(kCoronaStrips, 0);
  EXPECT_NEAR(rim.x, 2, 1e-5);
  EXPECT_NEAR(rim.z, 5, 1e-5);  // z = 1.25 r^2
  EXPECT_NEAR(CoronaT(kCoronaStrips), -0.1f, 1e-6);
}
