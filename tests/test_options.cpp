#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scenes/scene_list.h"
#include "shell/options.h"

using namespace lumaro;

namespace {
OptionsAction action = OptionsAction::Run;
Status Parse(std::vector<std::string> arguments) { return ParseOptions(arguments, &action); }
void ExpectParsed(std::vector<std::string> arguments) {
  const Status parsed = Parse(arguments);
  EXPECT_TRUE(parsed.ok()) << parsed.why();
}

class Options : public ::testing::Test {
 protected:
  void TearDown() override { ExpectParsed({}); }  // the defaults again for the tests after
};
}  // namespace

TEST_F(Options, NoOptionsGiveTheDefaults) {
  ExpectParsed({});
  EXPECT_EQ(action, OptionsAction::Run);
  EXPECT_TRUE(Fullscreen);
  EXPECT_EQ(ScreenWidth, 800);
  EXPECT_EQ(ScreenHeight, 600);
  EXPECT_TRUE(SoundOn);
  EXPECT_FALSE(LoopSound || ShowFps || VideoSave || ThisRun.headless || ThisRun.seedGiven);
  EXPECT_FALSE(ThisRun.endTime < kShowLength);  // the show's own end
}

TEST_F(Options, FixedTestOrderPicksTheSmallestSize) {
  ExpectParsed({"-w640", "-w1600"});
  EXPECT_EQ(ScreenWidth, 640);
  EXPECT_EQ(ScreenHeight, 480);
  ExpectParsed({"-w1600", "-w640"});
  EXPECT_EQ(ScreenWidth, 640);
  ExpectParsed({"-w1280"});
  EXPECT_EQ(ScreenHeight, 1024);  // 5 : 4, unlike the menu's 1280 x 960
}

TEST_F(Options, SwitchesAreCaseSensitiveSubstringsOfTheirArgument) {
  ExpectParsed({"x-windowed", "-fpsy", "-nosoundz", "-loopsound", "-videosave"});
  EXPECT_FALSE(Fullscreen);
  EXPECT_TRUE(ShowFps);
  EXPECT_TRUE(LoopSound);
  EXPECT_TRUE(VideoSave);
  EXPECT_FALSE(ThisRun.soundtrack);   // -nosoundz: no sound track either
  ExpectParsed({"-w640-videosave"});  // two of the original's switches in one argument
  EXPECT_TRUE(VideoSave);
  EXPECT_EQ(ScreenWidth, 640);
  // Anything else is refused with its name: upper case, an odd size, a word.
  for (const char* bad : {"-WINDOW", "-NoSound", "-w700", "-fast", "window"}) {
    const Status parsed = Parse({bad});
    EXPECT_NE(parsed.why().find(bad), std::string::npos) << bad << ": " << parsed.why();
  }
  EXPECT_NE(Parse({"-w700"}).why().find("not one of the sizes"), std::string::npos);
  // A size with more digits holds a shorter one as a substring, but is no size of ours.
  for (const char* longer : {"-w8000", "-w3200", "-window-w16000", "-w6400"}) {
    const Status parsed = Parse({longer});
    EXPECT_NE(parsed.why().find("not one of the sizes"), std::string::npos) << longer << ": " << parsed.why();
  }
  ExpectParsed({"-w800x"});  // a letter after it ends the switch, as it always did
  EXPECT_EQ(ScreenWidth, 800);
}

TEST_F(Options, AShorterSwitchInsideALongerOneIsOnlyTheLongerOne) {
  ExpectParsed({"-loopsound"});
  EXPECT_TRUE(LoopSound);
  EXPECT_FALSE(ThisRun.loopShow);  // "-loop" inside "-loopsound" is not asked for
  ExpectParsed({"-loop", "-start=200", "-novsync"});
  EXPECT_TRUE(ThisRun.loopShow && ThisRun.noVsync);
  EXPECT_FALSE(LoopSound);
  EXPECT_FLOAT_EQ(ThisRun.loopStart, 200.0f);  // again from where the run began
  ExpectParsed({"-loop-loopsound"});           // both, as one argument may hold several
  EXPECT_TRUE(ThisRun.loopShow && LoopSound);
  // Looping is for the live show: a capture or a timedemo has an end.
  for (const char* other : {"-videosave", "-video=a.mp4", "-stills=3", "-timedemo"})
    EXPECT_NE(Parse({"-loop", other}).why().find("-loop"), std::string::npos) << other;
}

TEST_F(Options, ValuesAreWholeArgumentsSpacesAndAll) {
  ExpectParsed({"-headless", "-seed=42", "-start=3.9", "-end=4.2", "-videodir=/tmp/my frames", "-w320"});
  EXPECT_TRUE(ThisRun.headless && ThisRun.seedGiven);
  EXPECT_EQ(ThisRun.seed, 42u);
  EXPECT_FLOAT_EQ(ThisRun.startTime, 3.9f);
  EXPECT_FLOAT_EQ(ThisRun.endTime, 4.2f);
  EXPECT_EQ(ThisRun.videoDir, "/tmp/my frames");
  ExpectParsed({"-timedemo=/tmp/my videos/t.csv"});
  EXPECT_EQ(ThisRun.timedemoFile, "/tmp/my videos/t.csv");
  // A value is never read as a switch, whatever it holds.
  ExpectParsed({"-videodir=take-w320 -window", "-video=out-help-window.mp4"});
  EXPECT_EQ(ScreenWidth, 800);
  EXPECT_EQ(action, OptionsAction::Run);
  EXPECT_TRUE(Fullscreen);
  EXPECT_TRUE(ThisRun.headless);  // so the video is made offscreen
  EXPECT_EQ(ThisRun.videoFile, "out-help-window.mp4");
}

TEST_F(Options, BadValuesTwiceGivenOrEmptyAreRefused) {
  const std::vector<std::vector<std::string>> bad = {{"-start=1e7"},
                                                     {"-start=inf"},
                                                     {"-start=nan"},
                                                     {"-start=-1"},
                                                     {"-start=329"},
                                                     {"-end=0"},
                                                     {"-end=329.5"},
                                                     {"-start=10", "-end=5"},
                                                     {"-seed=12ab"},
                                                     {"-seed=-3"},
                                                     {"-seed=4294967296"},
                                                     {"-seed= -18446744073709551615"},
                                                     {"-seed= 7"},
                                                     {"-videodir="},
                                                     {"-video="},
                                                     {"-end=1", "-end=abc"},
                                                     {"-end=1", "-end=1"},
                                                     {"-stills=3,x"},
                                                     {"-readback=fast"},
                                                     {"-stills=3", "-start=2"},
                                                     {"-timedemo", "-videosave"},
                                                     {"-timedemo=a.csv", "-video=a.mp4"},
                                                     {"-stills=0", "-timedemo=t.csv"},
                                                     {"-timedemo", "-stills=0"}};
  for (const std::vector<std::string>& arguments : bad) {
    const Status parsed = Parse(arguments);
    EXPECT_FALSE(parsed.ok()) << arguments[0];
    // The message names what was wrong.
    const std::string name = arguments.back().substr(0, arguments.back().find('='));
    EXPECT_TRUE(parsed.why().find(name) != std::string::npos || parsed.why().find("-timedemo") != std::string::npos)
        << parsed.why();
  }
  ExpectParsed({"-start=328.9", "-end=329", "-seed=4294967295"});
  EXPECT_EQ(ThisRun.seed, 4294967295u);
}

TEST_F(Options, HeadlessNeedsSomethingToMake) {
  const Status alone = Parse({"-headless"});
  EXPECT_NE(alone.why().find("-headless"), std::string::npos) << alone.why();
  EXPECT_FALSE(Parse({"-headless", "-w640", "-start=5", "-fps"}).ok());
  EXPECT_FALSE(Parse({"-headless", "-end=329"}).ok());
  for (const char* made : {"-videosave", "-video=a.mp4", "-stills=3", "-timedemo", "-end=5"})
    ExpectParsed({"-headless", made});
}

TEST_F(Options, PathsStartingWithTildeAreInTheHomeFolder) {
  const char* home = std::getenv("HOME");
  ASSERT_TRUE(home && *home);
  ExpectParsed({"-headless", "-videodir=~/my frames", "-timedemo=~/t.csv"});
  EXPECT_EQ(ThisRun.videoDir, std::string(home) + "/my frames");
  EXPECT_EQ(ThisRun.timedemoFile, std::string(home) + "/t.csv");
  ExpectParsed({"-video=~/show.mp4"});
  EXPECT_EQ(ThisRun.videoFile, std::string(home) + "/show.mp4");
  // Only a leading "~/" is the home folder; "~name" and a tilde further in stay as written.
  ExpectParsed({"-videodir=~frames", "-videosave"});
  EXPECT_EQ(ThisRun.videoDir, "~frames");
  ExpectParsed({"-videodir=a/~/b", "-videosave"});
  EXPECT_EQ(ThisRun.videoDir, "a/~/b");
}

TEST_F(Options, HelpAndVersionAreAskedForInTheirUsualSpellings) {
  for (const char* help : {"-h", "-help", "--help"}) {
    ExpectParsed({"-window", help});
    EXPECT_EQ(action, OptionsAction::Help) << help;
  }
  for (const char* version : {"-version", "--version"}) {
    ExpectParsed({version});
    EXPECT_EQ(action, OptionsAction::Version) << version;
  }
  // Every option the table holds is in the help text.
  const std::string help = OptionsHelpText();
  for (const char* option :
       {"-window",   "-fps",     "-nosound", "-loopsound", "-videosave",    "-video=FILE", "-timedemo",  "-w1600",
        "-headless", "-seed=N",  "-start=S", "-end=S",     "-videodir=DIR", "-stills=",    "-readback=", "-progress",
        "-loop",     "-novsync", "-version", "-help",      "Space",         "Left, Right", "Alt+Enter"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

TEST_F(Options, CapturesAndTimedemosSettleWhatTheyImply) {
  ExpectParsed({"-videosave"});
  EXPECT_FALSE(SoundOn);  // no live music beside a capture: the track is rendered instead
  EXPECT_TRUE(ThisRun.soundtrack);
  ExpectParsed({"-stills=5,2.5"});
  EXPECT_TRUE(VideoSave);
  EXPECT_FALSE(ThisRun.soundtrack);
  EXPECT_FLOAT_EQ(ThisRun.startTime, 2.5f);
  EXPECT_FLOAT_EQ(ThisRun.endTime, 5.0f);
  ExpectParsed({"-timedemo=runs/today.csv", "-w640", "-end=2"});
  EXPECT_TRUE(ThisRun.timedemo && FixedClock() && ThisRun.headless);
  EXPECT_FALSE(SoundOn || ThisRun.soundtrack || VideoSave);
  ExpectParsed({"-timedemo", "-window"});
  EXPECT_FALSE(ThisRun.headless);
  EXPECT_TRUE(ThisRun.timedemoFile.empty());
}

TEST_F(Options, AFrameSizeHoldsTheShowAt43OrFilledWide) {
  ExpectParsed({"-video=a.mp4", "-size=1920x1080"});
  EXPECT_EQ(FrameWidth(), 1920);
  EXPECT_EQ(FrameHeight(), 1080);
  EXPECT_EQ(ScreenWidth, 1440);  // drawn 4:3 in the middle, bars at the sides
  EXPECT_EQ(ScreenHeight, 1080);
  ExpectParsed({"-videosave", "-size=1080x1920"});
  EXPECT_EQ(ScreenWidth, 1080);  // upright: bars above and below
  EXPECT_EQ(ScreenHeight, 810);
  ExpectParsed({"-video=a.mp4", "-size=3840x2160", "-widescreen", "-videorate=60", "-crf=23", "-preset=veryfast"});
  EXPECT_EQ(ScreenWidth, 3840);
  EXPECT_EQ(ScreenHeight, 2160);
  EXPECT_EQ(ThisRun.videoRate, 60);
  EXPECT_FLOAT_EQ(FrameStep(), 1.0f / 60);
  EXPECT_EQ(ThisRun.crf, 23);
  EXPECT_EQ(ThisRun.preset, "veryfast");
  ExpectParsed({"-timedemo", "-videorate=25"});
  EXPECT_EQ(FrameStep(), kFrameStep);  // the show's own step, to the bit
  ExpectParsed({"-size=1280x720", "-window"});  // live: the window holds the frame
  EXPECT_EQ(FrameWidth(), 1280);
}

TEST_F(Options, FrameOptionsRefuseBadValuesAndMissingPartners) {
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
