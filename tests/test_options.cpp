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
  HelpRequested = false;
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
  EXPECT_TRUE(OptionsProblem.empty()) << OptionsProblem;
}

TEST(Options, CommandLineIsJoinedWithBlanks) {
  char a0[] = "lumaro", a1[] = "-window", a2[] = "-w640";
  char* argv[] = {a0, a1, a2};
  EXPECT_EQ(JoinCommandLine(3, argv), "-window -w640");
  EXPECT_EQ(JoinCommandLine(1, argv), "");
}

TEST(Options, OurValuesAreNeverReadAsSwitches) {
  Parse("-videodir=take-w320 -nosound");
  EXPECT_EQ(ScreenWidth, 800);
  EXPECT_EQ(VideoDir, "take-w320");
  Parse("-videodir=a-end=0.12 -videosave");
  EXPECT_FLOAT_EQ(EndTime, 329.0f);
  EXPECT_EQ(VideoDir, "a-end=0.12");
  Parse("-videodir=x/-help -video=out-window.mp4");
  EXPECT_FALSE(HelpRequested);
  EXPECT_TRUE(Fullscreen);     // "-window" inside the file name is no switch
  EXPECT_TRUE(Headless);       // so the video is made offscreen
  EXPECT_EQ(VideoFile, "out-window.mp4");
  Parse("-w640-videosave");    // the original's substring tests still hold for its own switches
  EXPECT_TRUE(VideoSave);
  EXPECT_EQ(ScreenWidth, 640);
}

TEST(Options, ValuesOutsideTheShowOrNotNumbersAreRefused) {
  for (const char* bad : {"-start=1e7", "-start=inf", "-start=nan", "-start=-1", "-start=329", "-end=0", "-end=329.5",
                          "-start=10 -end=5", "-seed=", "-seed=12ab", "-seed=-3", "-seed=4294967296", "-videodir="}) {
    Parse(bad);
    EXPECT_FALSE(OptionsProblem.empty()) << bad;
    EXPECT_NE(OptionsProblem.find(std::string(bad).substr(0, 6)), std::string::npos) << OptionsProblem;
  }
  Parse("-start=328.9 -end=329 -seed=4294967295");
  EXPECT_TRUE(OptionsProblem.empty()) << OptionsProblem;
  EXPECT_EQ(SeedValue, 4294967295u);
}

TEST(Options, UnknownArgumentsAndOddSizesAreWarnedAbout) {
  char a0[] = "lumaro", a1[] = "-w700", a2[] = "-w3200", a3[] = "-fast", a4[] = "-w640", a5[] = "-seed=3";
  char* argv[] = {a0, a1, a2, a3, a4, a5};
  Parse("-w700 -w3200 -fast -w640 -seed=3");
  const std::vector<std::string> warnings = ArgumentWarnings(6, argv);
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_NE(warnings[0].find("-w700 is not one of the sizes"), std::string::npos);
  EXPECT_NE(warnings[1].find("320 x 240"), std::string::npos);  // "-w3200" holds "-w320", as the original reads it
  EXPECT_NE(warnings[2].find("-fast"), std::string::npos);
}

TEST(Options, TimedemoRunsOnTheFixedClockOffscreenWithoutMusicOrCapture) {
  Parse("-timedemo=runs/today.csv -w640 -end=2");
  EXPECT_TRUE(Timedemo);
  EXPECT_TRUE(FixedClock());
  EXPECT_TRUE(Headless);
  EXPECT_FALSE(SoundOn);
  EXPECT_FALSE(SoundtrackOn);
  EXPECT_FALSE(VideoSave);
  EXPECT_EQ(TimedemoFile, "runs/today.csv");
  EXPECT_EQ(ScreenWidth, 640);
  EXPECT_TRUE(OptionsProblem.empty()) << OptionsProblem;
  Parse("-timedemo -window");
  EXPECT_FALSE(Headless);
  EXPECT_TRUE(TimedemoFile.empty());
  for (const char* bad : {"-timedemo -videosave", "-timedemo -video=a.mp4", "-timedemo="}) {
    Parse(bad);
    EXPECT_NE(OptionsProblem.find("-timedemo"), std::string::npos) << bad;
  }
  Parse("");  // no timedemo left on for the tests after this one in the same process
}
