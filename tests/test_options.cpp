#include <gtest/gtest.h>

#include "shell/options.h"

using namespace lumaro;

namespace {
void Parse(const char* line) {
  // Start each case from the program's initial values.
  ScreenWidth = 800;
  ScreenHeight = 600;
  SeedGiven = false;
  StartTime = 0;
  EndTime = ShowLength;
  VideoDir = "demovideo";
  ParseOptions(line);
}
}  // namespace

TEST(Options, NoOptionsGiveTheDefaults) {
  Parse("");
  EXPECT_TRUE(Fullscreen);
  EXPECT_EQ(ScreenWidth, 800);
  EXPECT_EQ(ScreenHeight, 600);
  EXPECT_TRUE(SoundOn);
  EXPECT_FALSE(LoopSound);
  EXPECT_FALSE(ShowFps);
  EXPECT_FALSE(VideoSave);
  EXPECT_FALSE(Headless);
  EXPECT_FALSE(SeedGiven);
  EXPECT_FLOAT_EQ(EndTime, 329.0f);
}

TEST(Options, FixedTestOrderPicksTheSmallestSize) {
  Parse("-w640 -w1600");
  EXPECT_EQ(ScreenWidth, 640);
  EXPECT_EQ(ScreenHeight, 480);
  Parse("-w1600 -w640");
  EXPECT_EQ(ScreenWidth, 640);
  Parse("-w1280");
  EXPECT_EQ(ScreenWidth, 1280);
  EXPECT_EQ(ScreenHeight, 1024);  // 5 : 4, unlike the menu's 1280 x 960
  Parse("-w320 -w512");
  EXPECT_EQ(ScreenWidth, 320);
  EXPECT_EQ(ScreenHeight, 240);
}

TEST(Options, FlagsAreCaseSensitiveSubstrings) {
  Parse("-window");
  EXPECT_FALSE(Fullscreen);
  EXPECT_EQ(ScreenWidth, 800);
  Parse("x-windowed -fpsy -nosoundz -loopsound -videosave");
  EXPECT_FALSE(Fullscreen);
  EXPECT_TRUE(ShowFps);
  EXPECT_FALSE(SoundOn);
  EXPECT_TRUE(LoopSound);
  EXPECT_TRUE(VideoSave);
  Parse("-WINDOW -FPS -NoSound");
  EXPECT_TRUE(Fullscreen);
  EXPECT_FALSE(ShowFps);
  EXPECT_TRUE(SoundOn);
}

TEST(Options, OurAdditionsParseTheirValues) {
  Parse("-headless -seed=42 -start=3.9 -end=4.2 -videodir=/tmp/frames -w320");
  EXPECT_TRUE(Headless);
  EXPECT_TRUE(SeedGiven);
  EXPECT_EQ(SeedValue, 42u);
  EXPECT_FLOAT_EQ(StartTime, 3.9f);
  EXPECT_FLOAT_EQ(EndTime, 4.2f);
  EXPECT_EQ(VideoDir, "/tmp/frames");
  EXPECT_EQ(ScreenWidth, 320);
  // Without a number the seed stays the calendar time; negative times are ignored.
  Parse("-seed= -start=-5 -end=-1");
  EXPECT_FALSE(SeedGiven);
  EXPECT_FLOAT_EQ(StartTime, 0.0f);
  EXPECT_FLOAT_EQ(EndTime, 329.0f);
}

TEST(Options, CommandLineIsJoinedWithBlanks) {
  char a0[] = "lumaro", a1[] = "-window", a2[] = "-w640";
  char* argv[] = {a0, a1, a2};
  EXPECT_EQ(JoinCommandLine(3, argv), "-window -w640");
  EXPECT_EQ(JoinCommandLine(1, argv), "");
}
