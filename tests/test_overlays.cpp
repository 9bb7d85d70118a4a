#include <GL/gl.h>

#include "engine/composer.h"
#include "engine/timeline.h"
#include "gfx/overlays.h"
#include "gl_fixture.h"

using namespace lumaro;

namespace {
class Overlays : public GlTest {
 protected:
  void Fill(float r, float g, float b) {
    glClearColor(r, g, b, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
  }
  // What every overlay leaves behind.
  void ExpectOverlayState() {
    EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
    EXPECT_TRUE(Enabled(GL_LIGHTING));
    EXPECT_FALSE(Enabled(GL_BLEND));
    EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(Integer(GL_PROJECTION_STACK_DEPTH), 1);
  }
};
}  // namespace

TEST_F(Overlays, FadeScalesTheFrame) {
  Fill(0.8f, 0.4f, 0.2f);
  const Rgb before = Pixel(ReadFrame(), 10, 10);
  DrawFade(1.0f);
  EXPECT_EQ(Pixel(ReadFrame(), 10, 10).sum(), before.sum());
  ExpectOverlayState();
  DrawFade(0.25f);
  const Rgb quarter = Pixel(ReadFrame(), 100, 100);
  EXPECT_NEAR(quarter.r, before.r / 4.0, 1.5);
  EXPECT_NEAR(quarter.g, before.g / 4.0, 1.5);
  EXPECT_NEAR(quarter.b, before.b / 4.0, 1.5);
  DrawFade(0.0f);
  for (const Rgb& p : ReadFrame()) ASSERT_EQ(p.sum(), 0);
  ExpectOverlayState();
}

TEST_F(Overlays, BackdropCoversTheScreenAndWritesNoDepth) {
  Fill(0, 0, 0);
  DrawBackdrop(-1);
  for (const Rgb& p : ReadFrame()) ASSERT_EQ(p.sum(), 0);
  EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
  DrawBackdrop(0);
  for (const Rgb& p : ReadFrame()) ASSERT_GT(p.b, 0);  // dark blue, never pure black
  std::vector<float> depth(static_cast<size_t>(width_) * height_);
  glReadPixels(0, 0, width_, height_, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
  for (float d : depth) ASSERT_EQ(d, 1.0f);
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_TRUE(depthWrites);
  ExpectOverlayState();
}

TEST_F(Overlays, LogoOnlyAddsInTheBottomLeftStrip) {
  Fill(0.2f, 0.2f, 0.2f);
  const int grey = Pixel(ReadFrame(), 0, 0).r;
  DrawLogoOverlay();
  const std::vector<Rgb> frame = ReadFrame();
  const int stripRight = static_cast<int>(width_ * 0.3325 / 1.33) + 1;
  const int stripTop = static_cast<int>(height_ * 0.083125) + 1;
  int brighter = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Rgb p = Pixel(frame, x, y);
      ASSERT_GE(p.r, grey - 1);  // additive: never darker
      if (p.sum() > 3 * grey + 3) {
        ++brighter;
        ASSERT_LT(x, stripRight);
        ASSERT_LT(y, stripTop);
      }
    }
  EXPECT_GT(brighter, 50);  // the group's name is there
  ExpectOverlayState();
}

TEST_F(Overlays, LowerCaseDrawsABlankAndAdvances) {
  Fill(0, 0, 0);
  DrawGlyphString(0, "AzB", 0.01f, 0.5f, 1.0f);
  const std::vector<Rgb> withLower = ReadFrame();
  Fill(0, 0, 0);
  DrawGlyphString(0, "A B", 0.01f, 0.5f, 1.0f);
  const std::vector<Rgb> withBlank = ReadFrame();
  double lit = 0;
  for (size_t i = 0; i < withLower.size(); ++i) {
    ASSERT_EQ(withLower[i].sum(), withBlank[i].sum());
    lit += withLower[i].sum();
  }
  EXPECT_GT(lit, 1000);
  ExpectOverlayState();
}

TEST_F(Overlays, FrameRateTextSitsInTheTopLeftCorner) {
  SceneSlot fountain = kSchedule[5];
  fountain.backdrop = NoBackdrop;  // so only the text and the logo show
  fountain.fadeIn = false;
  ComposeFrame(fountain, {30.5f, 30.5f}, true, 88);
  const std::vector<Rgb> frame = ReadFrame();
  EXPECT_GT(Brightness(frame, 0, 0.9, 0.3, 1.0), 500);
  EXPECT_EQ(Brightness(frame, 0.4, 0.2, 1.0, 1.0), 0);
}
