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
  // Eye distance of every pixel from the depth buffer (the near and far planes of the
  // standard perspective).
  std::vector<float> EyeDistances() const {
    std::vector<float> depth(static_cast<size_t>(width_) * height_);
    glReadPixels(0, 0, width_, height_, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    const float n = 0.01f, f = 150.0f;
    for (float& d : depth) d = d >= 1 ? 1e9f : 2 * f * n / ((f + n) - (2 * d - 1) * (f - n));
    return depth;
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

// The additive shells wash over everything, but the nearest cubes stand out and the fog
// takes the rest down.
TEST_F(MiddleScenes, NearCubesAreBrightAndTheFogDarkensTheFarOnes) {
  const std::vector<Rgb> frame = FramesFromTo(199.92f, 200.0f);
  const std::vector<float> distance = EyeDistances();
  double near = 0, far = 0;
  int nearCount = 0, farCount = 0;
  for (size_t i = 0; i < frame.size(); ++i) {
    if (distance[i] < 1.2f) near += frame[i].sum(), ++nearCount;
    if (distance[i] > 2.0f && distance[i] < 4.5f) far += frame[i].sum(), ++farCount;
  }
  ASSERT_GT(nearCount, 500);
  ASSERT_GT(farCount, 500);
  EXPECT_GT(near / nearCount, 1.2 * far / farCount);
  // Fog off again, its exponential setting left for whoever enables it next.
  EXPECT_FALSE(Enabled(GL_FOG));
  EXPECT_EQ(Integer(GL_FOG_MODE), GL_EXP);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

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

TEST_F(MiddleScenes, OrnamentInTheMiddleWithItsGlowsAndStarsAround) {
  const std::vector<Rgb> frame = FrameAt(235.0f);
  // The ornament covers the middle; the rest is dark sky with stars.
  int litMiddle = 0, pixelsMiddle = 0;
  for (int y = height_ * 3 / 8; y < height_ * 5 / 8; ++y)
    for (int x = width_ * 3 / 8; x < width_ * 5 / 8; ++x, ++pixelsMiddle) litMiddle += Pixel(frame, x, y).sum() > 60;
  EXPECT_GT(litMiddle, pixelsMiddle / 2);
  int stars = 0, dark = 0, edge = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (x > width_ / 8 && x < width_ * 7 / 8 && y > height_ / 8) continue;  // the border strip
      const Rgb p = Pixel(frame, x, y);
      ++edge;
      stars += p.b > 120 && std::abs(p.r - p.b) < 60;
      dark += p.sum() < 60;
    }
  EXPECT_GT(stars, 5);
  EXPECT_GT(dark, edge * 3 / 4);
  // Orange corner glows: red well above blue somewhere near the ornament.
  int orange = 0;
  for (const Rgb& p : frame) orange += p.r > 90 && p.r > 2 * p.b + 20 && p.g > 20;
  EXPECT_GT(orange, 3);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
