#include <gtest/gtest.h>

#include "engine/composer.h"
#include "engine/show.h"
#include "engine/timeline.h"
#include "scenes/scene_list.h"
#include "shell/options.h"

using namespace lumaro;

namespace {
struct VideoFrame {
  uint32_t number;
  float clock;
  int scene;  // 0: nothing drawn
};

// Walks the fixed-step clock of a whole video-save run, as RunFrame advances it.
std::vector<VideoFrame> WalkVideoRun() {
  KeepShowSettings({.fixedClock = true, .VideoSave = true});
  ResetTimeline();
  std::vector<VideoFrame> frames;
  const ShowClock& clock = Clock();
  do {
    AdvanceDemoClock(123.0f);  // the wall clock is ignored in this mode
    const SceneSlot* slot = clock.DemoClock >= kBlankFrom ? nullptr : FindSceneSlot(clock.DemoClock);
    frames.push_back({clock.FrameNumber, clock.DemoClock, slot ? slot->scene : 0});
  } while (clock.DemoClock < kShowLength);
  return frames;
}
}  // namespace

TEST(Timeline, VideoRunHasTheFrameNumbersOfSinglePrecisionSteps) {
  const std::vector<VideoFrame> frames = WalkVideoRun();
  ASSERT_EQ(frames.size(), 8226u);
  EXPECT_FLOAT_EQ(frames[0].clock, 0.04f);
  EXPECT_EQ(frames[0].number, 1u);
  EXPECT_EQ(frames[99].scene, 1);  // frame 100
  EXPECT_EQ(frames[100].scene, 2);
  EXPECT_EQ(frames[100].clock, 4.0399976f);
  EXPECT_EQ(frames[498].scene, 4);
  EXPECT_EQ(frames[499].scene, 5);
  EXPECT_EQ(frames[499].clock, 20.000078f);
  EXPECT_EQ(frames[8199].scene, 14);
  EXPECT_EQ(frames[8200].scene, 0);  // frame 8201: nothing drawn from here
  EXPECT_EQ(frames[8200].clock, 328.03644f);
  EXPECT_EQ(frames[8225].clock, 329.03665f);
  EXPECT_EQ(frames[8225].number, 8226u);
  int last = 0;  // every scene appears, in schedule order
  for (const VideoFrame& f : frames) {
    if (f.scene == 0) continue;
    ASSERT_GE(f.scene, last) << "clock " << f.clock;
    last = f.scene;
  }
  EXPECT_EQ(last, 14);
}

TEST(Timeline, WindowBoundsAreHalfOpen) {
  EXPECT_EQ(FindSceneSlot(0.0f)->scene, 1);
  EXPECT_EQ(FindSceneSlot(3.9999998f)->scene, 1);
  EXPECT_EQ(FindSceneSlot(4.0f)->scene, 2);
  EXPECT_EQ(FindSceneSlot(12.0f)->scene, 4);
  EXPECT_EQ(FindSceneSlot(327.99997f)->scene, 14);
  EXPECT_EQ(FindSceneSlot(328.0f), nullptr);
  EXPECT_EQ(FindSceneSlot(-0.01f), nullptr);
}

TEST(Timeline, RealTimeClockAddsTheStartOffset) {
  KeepShowSettings({.start = 40.0f});
  ResetTimeline();
  AdvanceDemoClock(1.5f);
  EXPECT_FLOAT_EQ(Clock().DemoClock, 41.5f);
  EXPECT_EQ(Clock().FrameNumber, 0u);
}

TEST(Timeline, FrameRateShowsTheCountOfThePreviousSecond) {
  KeepShowSettings({});
  ResetTimeline();
  // 60 frames inside second 0, then the first frame of second 1.
  for (int i = 1; i <= 60; ++i) {
    AdvanceDemoClock(i / 61.0f);
    CountFrameRate();
  }
  EXPECT_EQ(ShownFrameRate(), 0);
  AdvanceDemoClock(1.01f);
  CountFrameRate();
  EXPECT_EQ(ShownFrameRate(), 60);
}

TEST(Composer, IntroAnglesSweepTheirWindow) {
  EXPECT_EQ(IntroAngle(kSchedule[0], 0.0f), -90.0f);
  EXPECT_EQ(IntroAngle(kSchedule[1], 2.0f), 0.0f);
  EXPECT_EQ(IntroAngle(kSchedule[2], 4.0f), 90.0f);
  EXPECT_EQ(IntroAngle(kSchedule[3], 4.0f), 0.0f);  // scene 4 turns half as fast
  EXPECT_EQ(IntroAngle(kSchedule[3], 8.0f), 90.0f);
  EXPECT_EQ(IntroAngle(kSchedule[3], 1.3f), 1.3f * 22.5f - 90.0f);  // exactly the float steps of 22.5 degrees
}

TEST(Composer, FrameRateTextIsRightAligned) {
  char text[16];
  FormatFrameRate(7, text, sizeof text);
  EXPECT_STREQ(text, "  7 FPS");
  FormatFrameRate(120, text, sizeof text);
  EXPECT_STREQ(text, "120 FPS");
}

// The windows tile the show without gaps (which fades and backdrops each has, the golden
// frames show).
TEST(kSchedule, WindowsTileTheShow) {
  float end = 0;
  for (const SceneSlot& s : kSchedule) {
    EXPECT_EQ(s.start, end);
    end = s.start + s.duration;
  }
  EXPECT_EQ(end, kBlankFrom);
}
