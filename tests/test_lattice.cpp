#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "gfx/sine.h"
#include "scenes/lattice.h"
#include "scenes/ornament_motion.h"

using namespace lumaro;

TEST(Lattice, TwelveCubedCentresOneUnitApartWithFacesOfOneTextureCopy) {
  std::set<std::tuple<float, float, float>> centres;
  for (int i = 0; i < kLatticeCubes; ++i) {
    const Vec3 c = LatticeCentre(i);
    for (float v : {c.x, c.y, c.z}) {
      ASSERT_GE(v, -5.5f);
      ASSERT_LE(v, 5.5f);
      ASSERT_EQ(v - std::floor(v), 0.5f);  // halfway between whole units
    }
    centres.insert({c.x, c.y, c.z});
  }
  EXPECT_EQ(centres.size(), 1728u);
  EXPECT_EQ(LatticeCentre(0).x, -5.5f);
  EXPECT_EQ(LatticeCentre(1).z, -4.5f);  // Z is the inner loop
  EXPECT_EQ(LatticeCentre(kLatticeSide * kLatticeSide).x, -4.5f);

  StripVertex strips[2][8];
  CubeStrips({0, 0, 0}, 0.2f, strips);
  for (const auto& strip : strips)
    for (const StripVertex& v : strip)
      for (float c : {v.p.x, v.p.y, v.p.z}) ASSERT_EQ(std::fabs(c), 0.2f);
  // Each face of a strip spans one whole unit of s: one copy of the picture.
  for (const auto& strip : strips)
    for (int i = 0; i + 2 < 8; i += 2) EXPECT_EQ(std::fabs(strip[i + 2].s - strip[i].s), 1.0f);
}

// (How it starts, still and grey, is the golden frames'.)
TEST(Lattice, ItsWrapIsAWholeSpacing) {
  BuildSineTable();
  // Frame by frame the offsets either move a little or jump by a whole spacing, never
  // by anything in between: the lattice modulo 1 moves smoothly.
  int wraps = 0;
  LatticeMotion previous = LatticeAt(0);
  for (float t = 0.04f; t < 30; t += 0.04f) {
    const LatticeMotion m = LatticeAt(t);
    for (auto [a, b] : {std::pair{previous.dx, m.dx}, {previous.dy, m.dy}}) {
      ASSERT_GT(a, -1);
      ASSERT_LT(a, 1);
      const float step = b - a, nearest = std::round(step);
      ASSERT_LT(std::fabs(step - nearest), 0.1f) << t;
      wraps += nearest != 0;
    }
    previous = m;
  }
  EXPECT_GT(wraps, 10);
}

// The ornament keeps within its box and its glow within its range (where it starts is the
// golden frames'); the stars are on their sphere and grow with the screen.
TEST(OrnamentMotion, CentreGlowAndStars) {
  BuildSineTable();
  for (float t = 0; t < 30; t += 0.13f) {
    const Vec3 c = OrnamentCentre(t);
    ASSERT_LE(std::fabs(c.x), 0.25f);
    ASSERT_GE(c.z, -2.25f);
    ASSERT_LE(c.z, -0.75f);
    ASSERT_GE(CornerGlowBrightness(t), 0.125f);
    ASSERT_LE(CornerGlowBrightness(t), 0.625f);
  }
  EXPECT_FLOAT_EQ(StarPointSize(800, 0), 1.0f);
  EXPECT_FLOAT_EQ(StarPointSize(800, kStarPasses - 1), 4.0f);
  EXPECT_FLOAT_EQ(StarPointSize(1024, 0), 1.28f);
  EXPECT_FLOAT_EQ(StarPointSize(1024, kStarPasses - 1), 5.12f);
  for (int r : {0, 1000, 16384, 32767}) EXPECT_NEAR(Length(StarPoint(r, 32767 - r)), kStarRadius, 1e-3);
  EXPECT_NEAR(StarPoint(5, 16384).y, 0, 0.01);    // r2 halfway: on the equator
  EXPECT_NEAR(StarPoint(5, 32767).y, -10, 0.01);  // r2 at the top: the lower pole
}

TEST(Lattice, NearestFirstOrderIsAPermutationThatNeverMovesAway) {
  const auto order = LatticeNearestFirst();
  std::set<int> seen(order.begin(), order.end());
  ASSERT_EQ(seen.size(), size_t(kLatticeCubes));
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), kLatticeCubes - 1);
  const auto squared = [](int i) {
    const Vec3 c = LatticeCentre(i);
    return c.x * c.x + c.y * c.y + c.z * c.z;
  };
  for (size_t k = 1; k < order.size(); ++k) ASSERT_LE(squared(order[k - 1]), squared(order[k])) << k;
  EXPECT_FLOAT_EQ(squared(order.front()), 0.75f);  // one of the eight cubes around the centre
}
