// The lattice's drift, drawn for real (its pictures are the golden frames').
#include <GL/gl.h>

#include <cmath>

#include "gfx/sine.h"
#include "gl_fixture.h"
#include "scenes/lattice.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
class MiddleScenes : public SceneTest {
 protected:
  void SetUp() override { StartAt(400, 300); }
  void TearDown() override {
    ReleaseScene10();
    SceneTest::TearDown();
  }
  static double MeanDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
      sum += std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b);
    return sum / a.size();
  }
};
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
