#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scenes/scene_list.h"
#include "shell/options.h"

using namespace lumaro;

namespace {
// The plan of a command line that parses, or the plain one after a failure.
RunPlan Plan(const std::vector<std::string>& arguments) {
  RunPlan plan;
  const Status parsed = ParseOptions(arguments, &plan);
  EXPECT_TRUE(parsed.ok()) << parsed.why();
  return plan;
}
Status Parse(const std::vector<std::string>& arguments) {
  RunPlan plan;
  return ParseOptions(arguments, &plan);
}
// The plan of no options.
const RunPlan& Plain() {
  static const RunPlan plain = Plan({});
  return plain;
}
}  // namespace

TEST(Options, NoOptionsGiveTheDefaults) {
  const RunPlan& plain = Plain();
  EXPECT_EQ(plain.action, OptionsAction::Run);
  EXPECT_TRUE(plain.Fullscreen && plain.SoundOn);
  EXPECT_EQ(plain.ScreenWidth, 800);
  EXPECT_EQ(plain.ScreenHeight, 600);
  EXPECT_FALSE(plain.LoopSound || plain.ShowFps || plain.VideoSave || plain.headless || plain.seedGiven);
  EXPECT_FALSE(plain.endTime < kShowLength);  // the show's own end
  EXPECT_EQ(plain.videoDir, "demovideo");     // the rows' defaults
  EXPECT_EQ(plain.videoRate, 25);
  EXPECT_EQ(plain.crf, 18);
  EXPECT_EQ(plain.preset, "ultrafast");
  // Parsing is a value: the same arguments, the same plan, whatever was parsed between.
  const RunPlan video = Plan({"-video=a.mp4", "-size=1920x1080", "-seed=3"});
  (void)Plan({"-window", "-w640", "-loop"});
  EXPECT_EQ(Plan({"-video=a.mp4", "-size=1920x1080", "-seed=3"}), video);
  EXPECT_EQ(Plan({}), plain);
}

TEST(Options, FixedTestOrderPicksTheSmallestSize) {
  RunPlan small = Plain();
  small.ScreenWidth = 640, small.ScreenHeight = 480;
  EXPECT_EQ(Plan({"-w640", "-w1600"}), small);
  EXPECT_EQ(Plan({"-w1600", "-w640"}), small);
  EXPECT_EQ(Plan({"-w1280"}).ScreenHeight, 1024);  // 5 : 4, unlike the menu's 1280 x 960
}

TEST(Options, SwitchesAreCaseSensitiveSubstringsOfTheirArgument) {
  RunPlan want = Plain();
  want.Fullscreen = want.SoundOn = want.soundtrack = false;  // -nosoundz: no sound track either
  want.ShowFps = want.LoopSound = want.VideoSave = true;
  EXPECT_EQ(Plan({"x-windowed", "-fpsy", "-nosoundz", "-loopsound", "-videosave"}), want);
  const RunPlan both = Plan({"-w640-videosave"});  // two of the original's switches in one argument
  EXPECT_TRUE(both.VideoSave);
  EXPECT_EQ(both.ScreenWidth, 640);
  // Upper case is no switch; a size with more digits holds a shorter one, but is no size of
  // ours. (Odd sizes, words and "-w8000" the robustness test refuses through the program.)
  for (const char* bad : {"-WINDOW", "-NoSound"}) EXPECT_NE(Parse({bad}).why().find(bad), std::string::npos) << bad;
  for (const char* longer : {"-window-w16000", "-w6400"})
    EXPECT_NE(Parse({longer}).why().find("not one of the sizes"), std::string::npos) << longer;
  EXPECT_EQ(Plan({"-w800x"}), Plain());  // a letter after it ends the switch, as it always did
}

TEST(Options, AShorterSwitchInsideALongerOneIsOnlyTheLongerOne) {
  RunPlan want = Plain();
  want.LoopSound = true;  // "-loop" inside "-loopsound" is not asked for
  EXPECT_EQ(Plan({"-loopsound"}), want);
  want = Plain();
  want.loopShow = want.noVsync = true;
  want.startTime = 200.0f;
  EXPECT_EQ(Plan({"-loop", "-start=200", "-novsync"}), want);
  const RunPlan both = Plan({"-loop-loopsound"});  // both, as one argument may hold several
  EXPECT_TRUE(both.loopShow && both.LoopSound);
  // Looping is for the live show: a capture or a timedemo has an end.
  for (const char* other : {"-videosave", "-video=a.mp4", "-stills=3", "-timedemo"})
    EXPECT_NE(Parse({"-loop", other}).why().find("-loop"), std::string::npos) << other;
}

TEST(Options, ValuesAreWholeArgumentsSpacesAndAll) {
  RunPlan want = Plain();
  want.headless = want.seedGiven = true;
  want.seed = 42;
  want.startTime = 3.9f, want.endTime = 4.2f;
  want.videoDir = "/tmp/my frames";
  want.ScreenWidth = 320, want.ScreenHeight = 240;
  EXPECT_EQ(Plan({"-headless", "-seed=42", "-start=3.9", "-end=4.2", "-videodir=/tmp/my frames", "-w320"}), want);
  EXPECT_EQ(Plan({"-timedemo=/tmp/my videos/t.csv"}).timedemoFile, "/tmp/my videos/t.csv");
  // A value is never read as a switch, whatever it holds.
  want = Plain();
  want.videoDir = "take-w320 -window";
  want.videoFile = "out-help-window.mp4";
  want.VideoSave = want.soundtrack = want.headless = true;  // a video, made offscreen, with its track
  want.SoundOn = false;
  EXPECT_EQ(Plan({"-videodir=take-w320 -window", "-video=out-help-window.mp4"}), want);
}

TEST(Options, BadValuesTwiceGivenOrEmptyAreRefused) {
  // (Values out of the show, no number, twice given: the robustness test's too, through the program.)
  const std::vector<std::vector<std::string>> bad = {{"-start=nan"},
                                                     {"-start=-1"},
                                                     {"-start=329"},
                                                     {"-end=329.5"},
                                                     {"-seed=12ab"},
                                                     {"-seed=-3"},
                                                     {"-seed=4294967296"},
                                                     {"-seed= -18446744073709551615"},
                                                     {"-seed= 7"},
                                                     {"-videodir="},
                                                     {"-video="},
                                                     {"-end=1", "-end=1"},
                                                     {"-stills=3,x"},
                                                     {"-readback=fast"},
                                                     {"-stills=3", "-start=2"},
                                                     {"-timedemo", "-videosave"},
                                                     {"-timedemo=a.csv", "-video=a.mp4"},
                                                     {"-stills=0", "-timedemo=t.csv"},
                                                     {"-timedemo", "-stills=0"},
                                                     {"-videosave", "-flashcheck"},
                                                     {"-flashcheck=f.csv", "-timedemo"}};
  for (const std::vector<std::string>& arguments : bad) {
    const Status parsed = Parse(arguments);
    EXPECT_FALSE(parsed.ok()) << arguments[0];
    // The message names what was wrong.
    const std::string name = arguments.back().substr(0, arguments.back().find('='));
    EXPECT_TRUE(parsed.why().find(name) != std::string::npos || parsed.why().find("-timedemo") != std::string::npos ||
                parsed.why().find("-flashcheck") != std::string::npos)
        << parsed.why();
  }
  EXPECT_EQ(Plan({"-start=328.9", "-end=329", "-seed=4294967295"}).seed, 4294967295u);
}

TEST(Options, HeadlessNeedsSomethingToMake) {
  const Status alone = Parse({"-headless"});
  EXPECT_NE(alone.why().find("-headless"), std::string::npos) << alone.why();
  EXPECT_FALSE(Parse({"-headless", "-w640", "-start=5", "-fps"}).ok());
  EXPECT_FALSE(Parse({"-headless", "-end=329"}).ok());
  for (const char* made : {"-videosave", "-video=a.mp4", "-stills=3", "-timedemo", "-flashcheck", "-end=5"})
    EXPECT_TRUE(Parse({"-headless", made}).ok()) << made;
}

TEST(Options, PathsStartingWithTildeAreInTheHomeFolder) {
  const char* home = std::getenv("HOME");
  if (!home || !*home) home = std::getenv("USERPROFILE");  // Windows' name, where HOME is unset
  ASSERT_TRUE(home && *home);
  const RunPlan homely = Plan({"-headless", "-videodir=~/my frames", "-timedemo=~/t.csv"});
  EXPECT_EQ(homely.videoDir, std::string(home) + "/my frames");
  EXPECT_EQ(homely.timedemoFile, std::string(home) + "/t.csv");
  EXPECT_EQ(Plan({"-video=~/show.mp4"}).videoFile, std::string(home) + "/show.mp4");
  // Only a leading "~/" is the home folder; "~name" and a tilde further in stay as written.
  EXPECT_EQ(Plan({"-videodir=~frames", "-videosave"}).videoDir, "~frames");
  EXPECT_EQ(Plan({"-videodir=a/~/b", "-videosave"}).videoDir, "a/~/b");
}

// (Each spelling of -help and -version the robustness test asks of the program.)
TEST(Options, HelpNamesEveryOption) {
  EXPECT_EQ(Plan({"-window", "-help"}).action, OptionsAction::Help);  // whatever comes with it
  const std::string help = OptionsHelpText();
  for (const char* option : {"-window",     "-fps",        "-nosound",      "-loopsound",  "-videosave",
                             "-video=FILE", "-timedemo",   "-w1600",        "-headless",   "-seed=N",
                             "-start=S",    "-end=S",      "-videodir=DIR", "-stills=",    "-readback=",
                             "-progress",   "-loop",       "-novsync",      "-version",    "-help",
                             "Space",       "Left, Right", "Alt+Enter",     "-flashcheck", "-flashcheck=FILE.csv",
                             "-safe"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

TEST(Options, CapturesAndTimedemosSettleWhatTheyImply) {
  RunPlan want = Plain();
  want.SoundOn = false;  // no live music beside a capture: the track is rendered instead
  want.VideoSave = want.soundtrack = true;
  EXPECT_EQ(Plan({"-videosave"}), want);
  want.soundtrack = false;
  want.stillTimes = {2.5f, 5.0f};
  want.startTime = 2.5f, want.endTime = 5.0f;
  EXPECT_EQ(Plan({"-stills=5,2.5"}), want);
  const RunPlan timed = Plan({"-timedemo=runs/today.csv", "-w640", "-end=2"});
  EXPECT_TRUE(timed.timedemo && timed.FixedClock() && timed.headless);
  EXPECT_FALSE(timed.SoundOn || timed.soundtrack || timed.VideoSave);
  const RunPlan seen = Plan({"-timedemo", "-window"});
  EXPECT_FALSE(seen.headless);
  EXPECT_TRUE(seen.timedemoFile.empty());
  // A flash check reads every frame back as a capture does, into the analyser: no sound.
  const RunPlan checked = Plan({"-flashcheck=my runs/f.csv", "-safe", "-start=250"});
  EXPECT_TRUE(checked.flashCheck && checked.VideoSave && checked.FixedClock() && checked.headless && checked.safe);
  EXPECT_FALSE(checked.SoundOn || checked.soundtrack || checked.timedemo);
  EXPECT_EQ(checked.flashCheckFile, "my runs/f.csv");
  EXPECT_FALSE(Plan({"-videosave"}).safe);
}

// (1920 x 1080 as 1440 x 1080 between bars the formats test measures in the frames made.)
TEST(Options, AFrameSizeHoldsTheShowAt43OrFilledWide) {
  const RunPlan upright = Plan({"-videosave", "-size=1080x1920"});
  EXPECT_EQ(upright.ScreenWidth, 1080);  // upright: bars above and below
  EXPECT_EQ(upright.ScreenHeight, 810);
  const RunPlan filled =
      Plan({"-video=a.mp4", "-size=3840x2160", "-widescreen", "-videorate=60", "-crf=23", "-preset=veryfast"});
  EXPECT_EQ(filled.ScreenWidth, 3840);
  EXPECT_EQ(filled.ScreenHeight, 2160);
  EXPECT_EQ(filled.videoRate, 60);
  EXPECT_EQ(filled.crf, 23);
  EXPECT_EQ(filled.preset, "veryfast");
  EXPECT_EQ(Plan({"-size=1280x720", "-window"}).FrameWidth(), 1280);  // live: the window holds the frame
}

TEST(Options, FrameOptionsRefuseBadValuesAndMissingPartners) {
  struct Case {
    std::vector<std::string> arguments;
    const char* says;
  } cases[] = {
      {{"-video=a.mp4", "-size=1921x1080"}, "even"},
      {{"-video=a.mp4", "-size=1920"}, "WIDTHxHEIGHT"},
      {{"-video=a.mp4", "-size=200x150"}, "240"},
      {{"-video=a.mp4", "-size=8000x4000"}, "7680"},
      {{"-video=a.mp4", "-size=x1080"}, "WIDTHxHEIGHT"},
      {{"-video=a.mp4", "-size=1920x1080", "-w800"}, "-wNNN"},
      {{"-video=a.mp4", "-widescreen"}, "-size"},
      {{"-video=a.mp4", "-videorate=9"}, "10 to 120"},
      {{"-video=a.mp4", "-videorate=60fps"}, "whole number"},
      {{"-videorate=60"}, "add one of them"},
      {{"-videosave", "-crf=20"}, "-video=FILE"},
      {{"-video=a.mp4", "-crf=52"}, "0 to 51"},
      {{"-video=a.mp4", "-preset=quick"}, "ultrafast"},
  };
  for (const Case& c : cases) {
    const Status parsed = Parse(c.arguments);
    EXPECT_NE(parsed.why().find(c.says), std::string::npos) << c.arguments.back() << ": " << parsed.why();
  }
}
