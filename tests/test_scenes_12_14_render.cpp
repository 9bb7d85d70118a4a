#include <GL/gl.h>

#include <algorithm>

#include "gl_fixture.h"
#include "scenes/scenes.h"

using namespace lumaro;

namespace {
class LastScenes : public SceneTest {
 protected:
  void SetUp() override { StartAt(400, 300); }
  void TearDown() override {
    ReleaseScene12();
    ReleaseScene13();
    ReleaseScene14();
    SceneTest::TearDown();
  }
  int Count(const std::vector<Rgb>& frame, double y0, double y1, bool (*test)(const Rgb&)) const {
    int n = 0;
    for (int y = static_cast<int>(y0 * height_); y < static_cast<int>(y1 * height_); ++y)
      for (int x = 0; x < width_; ++x) n += test(Pixel(frame, x, y));
    return n;
  }
};
bool Lit(const Rgb& p) { return p.sum() > 60; }
bool BlueGlow(const Rgb& p) { return p.b > 200 && p.b > p.r + 40; }
bool Magenta(const Rgb& p) { return p.r > p.g + 40 && p.b > p.g + 20; }  // the backdrop has none
bool White(const Rgb& p) { return std::min({p.r, p.g, p.b}) > 200; }
bool Black(const Rgb& p) { return p.sum() == 0; }
}  // namespace

TEST_F(LastScenes, TheTunnelIsTexturedAllRoundWithGlowsOnItsAxis) {
  const std::vector<Rgb> frame = FrameAt(270.0f);
  EXPECT_GT(Count(frame, 0, 1, Lit), width_ * height_ * 8 / 10);  // walls everywhere
  // The walls are textured: neighbouring pixels differ a good deal across the frame.
  int edges = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 1; x < width_; ++x) edges += std::abs(Pixel(frame, x, y).sum() - Pixel(frame, x - 1, y).sum()) > 40;
  EXPECT_GT(edges, width_ * height_ / 40);
  EXPECT_GT(Count(frame, 0, 1, BlueGlow), 100);
  // The camera rode on the projection; the overlays drawn after it left GL in order.
  EXPECT_EQ(Integer(GL_PROJECTION_STACK_DEPTH), 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LastScenes, MetaballsLitInFrontOfTheSheets) {
  const std::vector<Rgb> frame = FramesFromTo(299.96f, 300.0f);
  // The blobs fill the middle, lit; the magenta grid shows around them.
  int litMiddle = 0;
  for (int y = height_ * 2 / 5; y < height_ * 3 / 5; ++y)
    for (int x = width_ * 2 / 5; x < width_ * 3 / 5; ++x) litMiddle += Pixel(frame, x, y).sum() > 90;
  EXPECT_GT(litMiddle, width_ * height_ / 25 / 2);
  EXPECT_GT(Count(frame, 0, 1, Magenta), 2000);
  EXPECT_FALSE(Enabled(GL_CULL_FACE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LastScenes, TheEndInTheMiddleBandOnlyThenNothing) {
  const std::vector<Rgb> frame = FrameAt(326.5f);
  EXPECT_GT(Count(frame, 0.43, 0.57, White), 1000);
  EXPECT_EQ(Count(frame, 0.6, 1, Black), width_ * (height_ - static_cast<int>(0.6 * height_)));
  EXPECT_EQ(Count(frame, 0, 0.4, Black), width_ * static_cast<int>(0.4 * height_));
  // From 328 s nothing is drawn: the timeline releases the card and returns no scene.
  EXPECT_EQ(EnterScene(328.0f), nullptr);
  EXPECT_TRUE(DoneFlag(14).released);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
