// What makes a video of any size and rate: the 4:2:0 conversion the encoder takes, the
// encoder's place behind the drawing, the sound a frame carries at each rate, and the
// per-frame steps that must keep the show's speed.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "base/run_state.h"
#include "engine/yuv420.h"
#include "scenes/scene_frame.h"
#include "shell/programs_posix.h"

using namespace lumaro;

namespace {
struct Bgra {
  uint8_t b, g, r, a;
};
// `rows` top first, converted as GL hands them over: bottom first.
std::vector<uint8_t> Convert(const std::vector<std::vector<Bgra>>& rows, ColourMatrix matrix) {
  const int height = static_cast<int>(rows.size()), width = static_cast<int>(rows[0].size());
  std::vector<uint8_t> bgra;
  for (int y = height - 1; y >= 0; --y)
    for (const Bgra& p : rows[y]) bgra.insert(bgra.end(), {p.b, p.g, p.r, p.a});
  std::vector<uint8_t> yuv(Yuv420Bytes(width, height));
  ConvertToYuv420(bgra.data(), width, height, matrix, yuv.data());
  return yuv;
}
std::array<int, 3> YuvOfFlat(Bgra colour, ColourMatrix matrix) {
  const std::vector<uint8_t> yuv = Convert({{colour, colour}, {colour, colour}}, matrix);
  return {yuv[0], yuv[4], yuv[5]};
}
}  // namespace

// The studio-range values every broadcast table lists for these colours.
TEST(Yuv420, PrimariesTakeEachMatrixsPublishedValues) {
  const Bgra black{0, 0, 0, 255}, white{255, 255, 255, 255}, red{0, 0, 255, 255}, blue{255, 0, 0, 255};
  for (ColourMatrix m : {ColourMatrix::Bt601, ColourMatrix::Bt709}) {
    EXPECT_EQ(YuvOfFlat(black, m), (std::array<int, 3>{16, 128, 128}));
    EXPECT_EQ(YuvOfFlat(white, m), (std::array<int, 3>{235, 128, 128}));
  }
  EXPECT_EQ(YuvOfFlat(red, ColourMatrix::Bt601), (std::array<int, 3>{81, 90, 240}));
  EXPECT_EQ(YuvOfFlat(red, ColourMatrix::Bt709), (std::array<int, 3>{63, 102, 240}));
  EXPECT_EQ(YuvOfFlat(blue, ColourMatrix::Bt601), (std::array<int, 3>{41, 240, 110}));
  EXPECT_EQ(YuvOfFlat(blue, ColourMatrix::Bt709), (std::array<int, 3>{32, 240, 118}));
  EXPECT_EQ(VideoMatrixFor(719), ColourMatrix::Bt601);  // the formats test tags 480 and 1080 lines
  EXPECT_EQ(VideoMatrixFor(720), ColourMatrix::Bt709);
}

TEST(Yuv420, RowsComeTopFirstAndChromaIsEachBlocksMean) {
  const Bgra k{0, 0, 0, 255}, w{255, 255, 255, 255}, r{0, 0, 255, 255};
  // A white top row over black: luma follows the rows; each 2 x 2 block is half white, grey
  // in the mean, so no colour; the red block on the right colours only its own chroma.
  const std::vector<uint8_t> yuv = Convert({{w, w, r, r}, {k, k, r, r}}, ColourMatrix::Bt601);
  ASSERT_EQ(yuv.size(), 8u + 2 + 2);
  EXPECT_EQ(std::vector<uint8_t>(yuv.begin(), yuv.begin() + 8),
            (std::vector<uint8_t>{235, 235, 81, 81, 16, 16, 81, 81}));
  EXPECT_EQ(yuv[8], 128);  // Cb of the left block
  EXPECT_EQ(yuv[9], 90);   // Cb of the red one
  EXPECT_EQ(yuv[10], 128);
  EXPECT_EQ(yuv[11], 240);
}

TEST(Yuv420, AnOddSideRepeatsItsLastRowAndColumn) {
  const Bgra k{0, 0, 0, 255}, w{255, 255, 255, 255};
  EXPECT_EQ(Yuv420Bytes(3, 3), 16u + 4 + 4);
  EXPECT_EQ(EvenSide(1079), 1080);
  const std::vector<uint8_t> yuv = Convert({{k, k, w}, {k, k, w}, {w, w, w}}, ColourMatrix::Bt709);
  ASSERT_EQ(yuv.size(), 24u);
  const std::vector<uint8_t> luma(yuv.begin(), yuv.begin() + 16);
  EXPECT_EQ(luma, (std::vector<uint8_t>{16, 16, 235, 235, 16, 16, 235, 235, 235, 235, 235, 235, 235, 235, 235, 235}));
}

// A wide frame goes through the vector code (eight pixels at a time) and ends in the scalar
// code; each narrow strip of it, alone, goes through the scalar code only. Every sample of the
// wide frame must be its strip's.
TEST(Yuv420, WideRowsGiveWhatEachStripGivesAlone) {
  const int width = 37, height = 6;
  std::vector<std::vector<Bgra>> rows(height, std::vector<Bgra>(width));
  uint32_t seed = 12345;
  for (auto& row : rows)
    for (Bgra& p : row) {
      seed = seed * 1664525u + 1013904223u;
      p = {static_cast<uint8_t>(seed >> 24), static_cast<uint8_t>(seed >> 16), static_cast<uint8_t>(seed >> 8),
           static_cast<uint8_t>(seed)};
    }
  for (ColourMatrix matrix : {ColourMatrix::Bt601, ColourMatrix::Bt709}) {
    const std::vector<uint8_t> wide = Convert(rows, matrix);
    const size_t ew = EvenSide(width), chroma = ew * height;
    for (int x = 0; x < width; x += 2) {
      std::vector<std::vector<Bgra>> strip;
      for (const auto& row : rows) strip.emplace_back(row.begin() + x, row.begin() + std::min(x + 2, width));
      const std::vector<uint8_t> narrow = Convert(strip, matrix);
      for (int y = 0; y < height; ++y)
        for (int dx = 0; dx < 2; ++dx) ASSERT_EQ(wide[ew * y + x + dx], narrow[2 * y + dx]) << x + dx << ", " << y;
      for (int by = 0; by < height / 2; ++by) {
        ASSERT_EQ(wide[chroma + ew / 2 * by + x / 2], narrow[2 * height + by]) << "Cb " << x / 2 << ", " << by;
        ASSERT_EQ(wide[chroma + ew / 2 * (height / 2 + by) + x / 2], narrow[2 * height + height / 2 + by])
            << "Cr " << x / 2 << ", " << by;
      }
    }
  }
}

// The encoder runs at the niceness it is given, in every thread it starts; the program that
// starts it keeps its own.
TEST(EncoderPriority, TheChildGivesWayAndTheProgramDoesNot) {
  char name[] = "/tmp/lumaro-nice-XXXXXX";
  const int said = mkstemp(name);
  ASSERT_GE(said, 0);
  unlink(name);
  errno = 0;
  const int own = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));  // 0, or what a nice run gave
  ASSERT_EQ(errno, 0);
  SpawnedProgram child;
  // Field 19 of /proc/PID/stat is the niceness; `cut` is a grandchild, as ffmpeg's threads are.
  ASSERT_TRUE(SpawnWithPipes({"sh", "-c", "cut -d' ' -f19 /proc/self/stat >&2"}, 1, said, &child, 19).ok());
  close(child.pipes[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child.pid, &status, 0), child.pid);
  char text[16] = {};
  ASSERT_GT(pread(said, text, sizeof text - 1, 0), 0);
  close(said);
  EXPECT_EQ(std::atoi(text), 19) << text;
  errno = 0;
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())), own);
  EXPECT_EQ(errno, 0);
}

TEST(AtRate, EachFrameCarriesItsShareOfTheSoundAndNoneIsLost) {
  EXPECT_EQ(SamplesBefore(121, 60), 121u * 800);  // (a whole 60 fps run: the formats test)
  EXPECT_EQ(SamplesBefore(8226, 25), 8226u * 1920);
  // 48000 / 14 is not whole: frames take 3428 or 3429, and a second's worth is exact.
  for (uint64_t n = 1; n <= 14; ++n) {
    const uint64_t share = SamplesBefore(n, 14) - SamplesBefore(n - 1, 14);
    EXPECT_TRUE(share == 3428 || share == 3429) << n << ": " << share;
  }
  EXPECT_EQ(SamplesBefore(14 * 329, 14), 48000u * 329);
}

TEST(AtRate, StepsPerSecondDoNotDependOnTheFrameRate) {
  for (int rate : {24, 25, 30, 50, 60, 120}) {
    for (int perSecond : {25, 100}) {
      int total = 0, least = 1 << 30, most = 0;
      for (uint32_t n = 1; n <= static_cast<uint32_t>(rate) * 3; ++n) {
        const int ticks = FrameSpan{0, 0, n, rate}.Ticks(perSecond);
        total += ticks, least = std::min(least, ticks), most = std::max(most, ticks);
      }
      EXPECT_EQ(total, 3 * perSecond) << rate << " fps, " << perSecond << " a second";
      EXPECT_LE(most - least, 1) << "spread evenly";
    }
  }
  // As the show was made: the fire's four stages and one trail entry each frame.
  const FrameSpan seventh{0, 0, 7, 25};
  EXPECT_EQ(seventh.Ticks(100), 4);
  EXPECT_EQ(seventh.Ticks(25), 1);
}

TEST(AtRate, OnTheLiveClockStepsFollowTheSecondsPassed) {
  EXPECT_EQ((FrameSpan{10.0f, 10.0625f}.Ticks(100)), 6);
  EXPECT_EQ((FrameSpan{10.0625f, 10.0703125f}.Ticks(100)), 1);
  EXPECT_EQ((FrameSpan{10.0f, 13.0f}.Ticks(100)), 100);  // a stall: no more than a second's worth at once
  EXPECT_EQ((FrameSpan{20.0f, 5.0f}.Ticks(100)), 0);     // a jump back
}
