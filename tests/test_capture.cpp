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
}  // namespace

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
}  // namespace

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
    ASSERT_EQ(bytes.size(), 18u + 128 * 72 * 3);  // header and pixels, no footer
    EXPECT_EQ(bytes[2], 2);                       // uncompressed true colour
    EXPECT_EQ(bytes[12] | (bytes[13] << 8), 128);
    EXPECT_EQ(bytes[14] | (bytes[15] << 8), 72);
    EXPECT_EQ(bytes[16], 24);
    EXPECT_EQ(bytes[17], 0);  // rows from the bottom, as every reader takes them without a flag
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
