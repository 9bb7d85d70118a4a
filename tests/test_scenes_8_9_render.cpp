#include <GL/gl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/capture.h"
#include "gfx/overlays.h"
#include "gl_fixture.h"
#include "scenes/scenes.h"

using namespace lumaro;
namespace fs = std::filesystem;

namespace {
class LaterScenes : public SceneTest {
 protected:
  void SetUp() override { StartAt(400, 300); }
  void TearDown() override {
    ReleaseScene8();
    ReleaseScene9();
    SceneTest::TearDown();
  }
  std::vector<Rgb> BackdropOnly() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ResetProjection();
    DrawBackdrop(0);
    return ReadFrame();
  }
  // Pixels in a rectangle (fractions of the frame, 0 = bottom/left) that pass a test.
  template <typename Test>
  int Count(const std::vector<Rgb>& frame, double x0, double y0, double x1, double y1, Test test) const {
    int n = 0;
    for (int y = static_cast<int>(y0 * height_); y < static_cast<int>(y1 * height_); ++y)
      for (int x = static_cast<int>(x0 * width_); x < static_cast<int>(x1 * width_); ++x) n += test(Pixel(frame, x, y));
    return n;
  }
};
bool White(const Rgb& p) { return std::min({p.r, p.g, p.b}) > 150; }
// Brighter than the lit fractal can be (its lights reach at most 0.65): the orange and lime
// glows of the flares.
bool Flare(const Rgb& p) { return (p.r > 200 && p.b < 100) || (p.g > 200 && p.b < 150); }
}  // namespace

TEST_F(LaterScenes, FractalIsLitAndCentredOverTheBackdrop) {
  const std::vector<Rgb> sky = BackdropOnly();
  const std::vector<Rgb> frame = FrameAt(100.0f);
  EXPECT_GT(Brightness(frame, 0.4, 0.4, 0.6, 0.6), 1.5 * Brightness(sky, 0.4, 0.4, 0.6, 0.6));
  // The corners show the backdrop only (the logo's corner aside).
  for (auto [x, y] : {std::pair{0.0, 0.85}, {0.85, 0.85}, {0.85, 0.0}})
    EXPECT_NEAR(Brightness(frame, x, y, x + 0.15, y + 0.15), Brightness(sky, x, y, x + 0.15, y + 0.15),
                0.02 * Brightness(sky, x, y, x + 0.15, y + 0.15) + 1);
  EXPECT_FALSE(Enabled(GL_CULL_FACE));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LaterScenes, ColouredFlaresCircleFrom18Seconds) {
  EXPECT_EQ(Count(FramesFromTo(84.0f, 84.5f), 0, 0, 1, 1, Flare), 0);
  const int flares = Count(FramesFromTo(109.0f, 110.0f), 0, 0, 1, 1, Flare);
  EXPECT_GT(flares, 100);
}

TEST_F(LaterScenes, CaptionBandLightsBetweenFiveAndTenSeconds) {
  const std::vector<Rgb> dark = FrameAt(75.0f);
  const std::vector<Rgb> lit = FrameAt(77.5f);
  EXPECT_EQ(Count(dark, 0, 0.42, 1, 0.58, White), 0);
  EXPECT_GT(Count(lit, 0, 0.42, 1, 0.58, White), 500);
  EXPECT_EQ(Count(lit, 0, 0.6, 1, 1, White), Count(dark, 0, 0.6, 1, 1, White));  // only inside the band
}

TEST_F(LaterScenes, PlanetSkyFillsTheScreenAroundTheFireball) {
  const std::vector<Rgb> frame = FramesFromTo(149.0f, 150.0f);
  int black = 0;
  for (const Rgb& p : frame) black += p.sum() == 0;
  EXPECT_LT(black, width_ * height_ / 100);
  const Rgb centre = Pixel(frame, width_ / 2, height_ / 2);
  EXPECT_GT(centre.r, 120);
  EXPECT_GT(centre.r, centre.b + 60);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The explosion's frame through the real capture path, decoded by ImageMagick.
TEST_F(LaterScenes, FlameRingsShowAfterTheExplosionInTheCapturedFrame) {
  const fs::path dir = fs::temp_directory_path() / ("lumaro_rings_" + std::to_string(getpid()));
  fs::remove_all(dir);
  ASSERT_TRUE(PrepareCapture({.directory = dir.string(), .frameWidth = width_, .frameHeight = height_}).ok());
  FramesFromTo(180.0f, 181.0f);
  ASSERT_TRUE(CaptureFrame(1, Clock().DemoClock).ok());
  ASSERT_TRUE(FinishCapture().ok());
  const std::string rgb = (dir / "frame.rgb").string();
  const std::string command = "convert '" + (dir / "000001.tga").string() + "' -auto-orient -depth 8 'rgb:" + rgb + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(rgb, std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_EQ(bytes.size(), static_cast<size_t>(width_) * height_ * 3);
  // Orange flame pixels on a ring around the centre, and a white-hot flash inside it.
  int orange = 0;
  for (size_t i = 0; i < bytes.size(); i += 3)
    orange += bytes[i] > 200 && bytes[i + 1] > 60 && bytes[i + 1] < 200 && bytes[i + 2] < 110;
  EXPECT_GT(orange, 300);
  const size_t centre = (static_cast<size_t>(height_ / 2) * width_ + width_ / 2) * 3;
  EXPECT_GT(bytes[centre] + bytes[centre + 1] + bytes[centre + 2], 600);
  fs::remove_all(dir);
}
