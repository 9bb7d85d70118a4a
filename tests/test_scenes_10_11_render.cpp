#include <GL/gl.h>

#include <cmath>

#include "gfx/sine.h"
#include "gl_fixture.h"
#include "scenes/lattice.h"
#include "scenes/ornament_motion.h"
#include "scenes/scene11.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
class MiddleScenes : public SceneTest {
 protected:
  void SetUp() override { StartAt(400, 300); }
  void TearDown() override {
    ReleaseScene10();
    ReleaseScene11();
    SceneTest::TearDown();
  }
  static double MeanDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
      sum += std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b);
    return sum / a.size();
  }
};

// Column-major 4 x 4 product.
void Multiply(const float a[16], const float b[16], float out[16]) {
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      out[c * 4 + r] = 0;
      for (int k = 0; k < 4; ++k) out[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    }
}

void Rotation(float degrees, int axis, float m[16]) {
  const float a = degrees * 3.14159265f / 180, c = std::cos(a), s = std::sin(a);
  for (int i = 0; i < 16; ++i) m[i] = i % 5 == 0 ? 1.0f : 0.0f;
  const int p = (axis + 1) % 3, q = (axis + 2) % 3;  // the plane turned, p towards q
  m[p * 4 + p] = c, m[p * 4 + q] = s, m[q * 4 + p] = -s, m[q * 4 + q] = c;
}
}  // namespace

// Across the instant an offset wraps, the lattice moves by one spacing less one step of the
// sine table (a few thousandths of a unit, as at any other step): the picture changes far
// less than from one frame to the next.
TEST_F(MiddleScenes, TheDriftWrapsWithoutAJumpInThePicture) {
  BuildSineTable();
  float before = -1, after = -1;
  for (float t = 0.04f; t < 30 && before < 0; t += 0.04f)
    if (std::fabs(LatticeAt(t).dx - LatticeAt(t - 0.04f).dx) > 0.5f) before = t - 0.04f, after = t;
  ASSERT_GT(before, 0);
  while (after - before > 2e-4f) {
    const float middle = (before + after) / 2;
    (std::fabs(LatticeAt(middle).dx - LatticeAt(before).dx) > 0.5f ? after : before) = middle;
  }
  ASSERT_GT(std::fabs(LatticeAt(after).dx - LatticeAt(before).dx), 0.9f);
  const double difference = MeanDifference(FrameAt(190 + before), FrameAt(190 + after));
  const double ordinary = MeanDifference(FrameAt(190 + before), FrameAt(190 + before + 0.04f));
  EXPECT_LT(difference, ordinary / 4) << "the wrap shows as a jump";
}

TEST_F(MiddleScenes, TheFacingMatrixUndoesTheOrnamentsTurn) {
  for (float t : {0.0f, 3.3f, 17.9f}) {
    float facing[16], rx[16], ry[16], rz[16], ryx[16], turn[16], product[16];
    ReadFacingMatrix(t, facing);
    Rotation(35 * t, 1, ry);
    Rotation(27 * t, 0, rx);
    Rotation(21.3f * t, 2, rz);
    Multiply(ry, rx, ryx);
    Multiply(ryx, rz, turn);
    Multiply(turn, facing, product);
    for (int i = 0; i < 16; ++i) {
      const float expected = i == 14 ? -0.01f : (i % 5 == 0 ? 1.0f : 0.0f);  // a step along the sight line
      EXPECT_NEAR(product[i], expected, 1e-4) << "t " << t << " entry " << i;
    }
  }
}
