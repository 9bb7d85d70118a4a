#include <GL/gl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/capture.h"
#include "engine/composer.h"
#include "engine/frame_files.h"
#include "engine/frame_writer.h"
#include "engine/timeline.h"
#include "gl_fixture.h"

using namespace lumaro;
namespace fs = std::filesystem;

namespace {
struct Size {
  int width, height;
};

fs::path TempDir(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("lumaro_test_" + name + "_" + std::to_string(getpid()));
  fs::remove_all(dir);
  return dir;
}

std::vector<unsigned char> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Frames as files in `dir`, each width x height.
CaptureSettings Files(const fs::path& dir, int width, int height) {
  return {.directory = dir.string(), .frameWidth = width, .frameHeight = height};
}

class Capture : public GlTest, public ::testing::WithParamInterface<Size> {
 protected:
  void SetUp() override { StartAt(GetParam().width, GetParam().height); }
};
}  // namespace

TEST_P(Capture, FileDecodesElsewhereToTheFrameShown) {
  const fs::path dir = TempDir("capture");
  ASSERT_TRUE(PrepareCapture(Files(dir, width_, height_)).ok());
  ComposeFrame(kSchedule[5], {30.0f, 30.0f}, false, 0);  // scene 6: backdrop, sparks, logo, fade
  const std::vector<Rgb> shown = ReadFrame();
  ASSERT_TRUE(CaptureFrame(17, 30.0f).ok());
  ASSERT_TRUE(FinishCapture().ok());  // the writer runs behind the frames: wait for it
  const fs::path file = dir / "000017.tga";
  ASSERT_TRUE(fs::exists(file));

  const std::vector<unsigned char> bytes = ReadFile(file);
  const size_t pixels = static_cast<size_t>(width_) * height_;
  ASSERT_EQ(bytes.size(), 18 + pixels * 3);  // header and pixels, no footer
  EXPECT_EQ(bytes[2], 2);
  EXPECT_EQ(bytes[16], 24);
  EXPECT_EQ(bytes[17], 0);

  // ImageMagick decodes it, top row first after honouring the bottom-left origin.
  const fs::path rgb = dir / "decoded.rgb";
  const std::string command = "convert '" + file.string() + "' -auto-orient -depth 8 'rgb:" + rgb.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::vector<unsigned char> decoded = ReadFile(rgb);
  ASSERT_EQ(decoded.size(), pixels * 3);
  int differences = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const Rgb want = Pixel(shown, x, height_ - 1 - y);
      const unsigned char* got = &decoded[(static_cast<size_t>(y) * width_ + x) * 3];
      differences += want.r != got[0] || want.g != got[1] || want.b != got[2];
    }
  EXPECT_EQ(differences, 0);
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Capture, ::testing::Values(Size{320, 240}, Size{800, 600}, Size{333, 201}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST(CaptureNames, SixDigitFrameNumbers) {
  EXPECT_EQ(CaptureFileName("out", 1), "out/000001.tga");
  EXPECT_EQ(CaptureFileName("out/", 8226), "out/008226.tga");
  EXPECT_EQ(CaptureFileName("d", 1234567), "d/1234567.tga");
}

// A frame that cannot be had is a failure to report, not an exception that ends the program;
// the buffer keeps what it held and takes a size it can have afterwards.
TEST(FrameBuffers, ASizeBeyondMemoryFailsAndKeepsTheBuffer) {
  FrameBytes frame;
  ASSERT_TRUE(frame.Resize(64).ok());
  frame.pixels()[0] = 42;
  for (size_t impossible : {SIZE_MAX, SIZE_MAX - FrameBytes::kHeaderRoom, SIZE_MAX / 2}) {
    SCOPED_TRACE(impossible);
    const Status refused = frame.Resize(impossible);
    EXPECT_EQ(refused.why(), "not enough memory");
    EXPECT_EQ(frame.size(), 64u);
    EXPECT_EQ(frame.pixels()[0], 42);
  }
  EXPECT_TRUE(frame.Resize(4096).ok());
  EXPECT_EQ(frame.size(), 4096u);
}

namespace {
class CaptureFailures : public GlTest {};
class OffscreenContext : public GlTest {};
}  // namespace

// The offscreen picture is the windowed show's: 8 bits a channel, with an alpha channel that
// only makes the pixels BGRA, read back by a plain copy. (EGL offers its 10-bit buffers
// first, whose frames differ and read back slowly.)
TEST_F(OffscreenContext, ColourHasTheWindowsTwentyFourBits) {
  GLint red = 0, green = 0, blue = 0, alpha = -1;
  glGetIntegerv(GL_RED_BITS, &red);
  glGetIntegerv(GL_GREEN_BITS, &green);
  glGetIntegerv(GL_BLUE_BITS, &blue);
  glGetIntegerv(GL_ALPHA_BITS, &alpha);
  EXPECT_EQ(red, 8);
  EXPECT_EQ(green, 8);
  EXPECT_EQ(blue, 8);
  EXPECT_EQ(alpha, 8);
}

TEST_F(CaptureFailures, UncreatableDirectoryAndUnopenableFileAreReported) {
  const fs::path dir = TempDir("fail");
  fs::create_directories(dir);
  std::ofstream(dir / "plain_file") << "x";
  EXPECT_FALSE(PrepareCapture(Files(dir / "plain_file" / "frames", 4, 4)).ok());
  // A directory in the way of a frame's file name: the write fails and says so, and
  // nothing half-written is left beside it.
  fs::create_directories(dir / "000005.tga");
  SetDrawingArea({.ScreenWidth = 4, .ScreenHeight = 4});
  ASSERT_TRUE(PrepareCapture(Files(dir, 4, 4)).ok());
  (void)CaptureFrame(5, 0.2f);  // queued: the writer finds out
  const Status finished = FinishCapture();
  EXPECT_FALSE(fs::exists(dir / "000005.tga.part"));
  EXPECT_NE(finished.why().find("000005.tga"), std::string::npos) << finished.why();
  fs::remove_all(dir);
}

namespace {
class FramedCapture : public GlTest, public ::testing::WithParamInterface<Readback> {
 protected:
  void SetUp() override { StartAt(90, 60); }
};
}  // namespace

// A frame larger than the drawing ("-size"): the drawing in its middle, black all round,
// whichever way it is read back (a pack buffer's frame, one or two frames late, too).
TEST_P(FramedCapture, TheDrawingSitsInTheMiddleOfBlackBars) {
  const int x0 = (128 - 90) / 2, y0 = (72 - 60) / 2;
  const fs::path dir = TempDir("framed");
  CaptureSettings settings = Files(dir, 128, 72);
  settings.readback = GetParam();
  ASSERT_TRUE(PrepareCapture(settings).ok());
  std::vector<std::vector<Rgb>> shown;
  for (uint32_t n = 1; n <= 3; ++n) {
    const float clock = 30.0f + n;
    ComposeFrame(kSchedule[5], {clock, clock}, false, 0);
    shown.push_back(ReadFrame());
    ASSERT_TRUE(CaptureFrame(n, clock).ok());
  }
  ASSERT_TRUE(FinishCapture().ok());
  for (uint32_t n = 1; n <= 3; ++n) {
    const std::vector<unsigned char> bytes = ReadFile(CaptureFileName(dir.string(), n));
    ASSERT_EQ(bytes.size(), 18u + 128 * 72 * 3);
    EXPECT_EQ(bytes[12] | (bytes[13] << 8), 128);
    int wrong = 0, bars = 0;
    for (int y = 0; y < 72; ++y)
      for (int x = 0; x < 128; ++x) {
        const unsigned char* got = &bytes[18 + (static_cast<size_t>(y) * 128 + x) * 3];  // BGR, bottom row first
        const bool inside = x >= x0 && x < x0 + 90 && y >= y0 && y < y0 + 60;
        const Rgb want = inside ? Pixel(shown[n - 1], x - x0, y - y0) : Rgb{0, 0, 0};
        wrong += want.r != got[2] || want.g != got[1] || want.b != got[0];
        bars += !inside;
      }
    EXPECT_EQ(wrong, 0) << "frame " << n;
    EXPECT_EQ(bars, 128 * 72 - 90 * 60);
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Readbacks, FramedCapture, ::testing::Values(Readback::Direct, Readback::PackBuffer),
                         [](const auto& info) { return info.param == Readback::Direct ? "Direct" : "PackBuffer"; });
