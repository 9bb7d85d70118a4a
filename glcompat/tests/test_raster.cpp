// Blending, depth mask and function, culling, points plain and smooth, packed read-backs,
// the scissor box, a context used again after lgl_Shutdown, and the state queries.
#include <cmath>

#include "compare.h"
#include "glcompat/glcompat.h"

namespace glctest {
namespace {

TEST_F(LayerTest, TheDemosBlendModes) {
  for (int variant = 0; variant < 4; ++variant) EXPECT_SAME_SCENE(Blending, variant);
}

// Primitives between two state changes are one draw; rebinding the bound texture is none.
TEST_F(LayerTest, ImmediatePrimitivesShareADrawUntilTheStateChanges) {
  MakeCurrent(Side::Layer);
  const unsigned long before = lgl_DrawCount();
  Draw(Side::Layer, layer::Sparks, 0);
  MakeCurrent(Side::Layer);
  const unsigned long draws = lgl_DrawCount() - before;
  std::printf("[ measured ] 400 immediate quads under 2 sprites: %lu draw(s)\n", draws);
  EXPECT_EQ(draws, 2u);
  EXPECT_SAME_SCENE(Sparks, 0);
}

TEST_F(LayerTest, DepthMaskAndFunction) {
  for (int variant : {0, 1}) EXPECT_SAME_SCENE(DepthMask, variant);
}

TEST_F(LayerTest, BackFaceCulling) {
  for (int variant : {0, 1}) EXPECT_SAME_SCENE(Culling, variant);
}

TEST_F(LayerTest, ScissorBoxCutsClearsAndDrawsAfterThePendingOnes) { EXPECT_SAME_SCENE(Scissor, 0); }

// A context used again after lgl_Shutdown starts as a fresh one: blending, the depth test
// and the scissor box left on by the run before would change the next picture.
TEST_F(LayerTest, ShutdownReturnsTheContextToGlsDefaults) {
  MakeCurrent(Side::Layer);
  lgl_Enable(GL_BLEND);
  lgl_BlendFunc(GL_ONE, GL_ONE);
  lgl_Enable(GL_DEPTH_TEST);
  lgl_Scissor(0, 0, 1, 1);
  lgl_Enable(GL_SCISSOR_TEST);
  lgl_Shutdown();
  EXPECT_SAME_SCENE(Transforms, 0);
}

TEST_F(LayerTest, PlainPointsFromAList) { EXPECT_SAME_SCENE(Points, 0, 0, 0); }

// The packed bytes of each side, read through its own glReadPixels: a swapped red and blue
// or a wrong row padding moves bytes by hundreds of levels, rounding by one or two.
TEST_F(LayerTest, ReadPixelsInPackedFormats) { EXPECT_SAME_SCENE(ReadPixelsPacked, 0, kLevelTolerance); }

TEST_F(LayerTest, StateQueriesAfterTheDemosStartUp) { EXPECT_SAME_VALUES(StateQueries, 0); }

// Each lit blob of a picture: its summed brightness and its centre.
struct Blob {
  double sum = 0, x = 0, y = 0;
};
std::vector<Blob> Blobs(const std::vector<uint8_t>& rgba) {
  std::vector<int> label(kWidth * kHeight, -1);
  std::vector<Blob> blobs;
  for (int start = 0; start < kWidth * kHeight; ++start) {
    if (rgba[start * 4] == 0 || label[start] >= 0) continue;
    std::vector<int> stack{start};
    label[start] = static_cast<int>(blobs.size());
    Blob b;
    while (!stack.empty()) {
      const int p = stack.back();
      stack.pop_back();
      const double v = rgba[p * 4];
      b.sum += v, b.x += v * (p % kWidth), b.y += v * (p / kWidth);
      for (int q : {p - 1, p + 1, p - kWidth, p + kWidth}) {
        if (q < 0 || q >= kWidth * kHeight || std::abs(q % kWidth - p % kWidth) > 1) continue;
        if (rgba[q * 4] != 0 && label[q] < 0) label[q] = label[p], stack.push_back(q);
      }
    }
    b.x /= b.sum, b.y /= b.sum;
    blobs.push_back(b);
  }
  return blobs;
}

// llvmpipe draws smooth points as hard-edged discs (a pixel is in when its centre is
// within the radius); the layer gives them a soft rim, as GL asks. So each star is
// compared whole: the same place within half a pixel, and light within a factor of 2 of
// the disc's (a 2-pixel disc covers 2 to 5 pixel centres by where it falls, the soft one
// always about 3.4 pixels' worth). All stars together, the light must agree within 10 %,
// and the layer's rims must be soft.
TEST_F(LayerTest, SmoothPointsAreRoundSoftDiscs) {
  const Picture theirs = Draw(Side::Native, native::Points, 1), mine = Draw(Side::Layer, layer::Points, 1);
  EXPECT_EQ(layer::Error(), 0u);
  const std::vector<Blob> expected = Blobs(theirs.rgba), found = Blobs(mine.rgba);
  ASSERT_GT(expected.size(), 50u);
  ASSERT_EQ(found.size(), expected.size());
  double worstShift = 0, worstRatio = 1, light = 0, theirLight = 0;
  for (const Blob& e : expected) {
    const Blob* nearest = &found[0];
    for (const Blob& f : found)
      if (std::hypot(f.x - e.x, f.y - e.y) < std::hypot(nearest->x - e.x, nearest->y - e.y)) nearest = &f;
    const double shift = std::hypot(nearest->x - e.x, nearest->y - e.y), ratio = nearest->sum / e.sum;
    EXPECT_LT(shift, 0.5) << "star at " << e.x << ", " << e.y;
    EXPECT_TRUE(ratio > 0.5 && ratio < 2) << "star at " << e.x << ", " << e.y << ": " << ratio;
    worstShift = std::max(worstShift, shift);
    if (std::abs(std::log(ratio)) > std::abs(std::log(worstRatio))) worstRatio = ratio;
    light += nearest->sum, theirLight += e.sum;
  }
  EXPECT_NEAR(light / theirLight, 1.0, 0.1);
  int soft = 0;
  for (size_t p = 0; p < mine.rgba.size(); p += 4) soft += mine.rgba[p] > 0 && mine.rgba[p] < 200;
  EXPECT_GT(soft, static_cast<int>(expected.size()));
  std::printf(
      "[ measured ] smooth points: %zu stars, worst centre shift %.3f px, worst star light ratio %.3f, "
      "all stars' light ratio %.3f\n",
      expected.size(), worstShift, worstRatio, light / theirLight);
}

}  // namespace
}  // namespace glctest
