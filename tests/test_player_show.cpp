// The player that the desktop and the page share, on a live show drawn for real: pausing
// holds only the live clock, jumps land on scene starts with the clock and the scenes as a
// run from there has them, a paused jump draws its frame, and "-loop" starts over.
#include <gtest/gtest.h>

#include "base/clock.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "engine/player.h"
#include "engine/timeline.h"
#include "gl_fixture.h"

using namespace lumaro;

namespace {
// The platform's side, as a test can watch it: a clock that moves only when told to.
struct FakePlatform {
  bool held = false;
  int restarts = 0, pausedFrames = 0;
  float seconds = 0;
} Fake;
void Hold(bool hold) { Fake.held = hold; }
void RestartClock() {
  ++Fake.restarts;
  Fake.seconds = 0;
}
float Elapsed() { return Fake.seconds; }
void ShowPausedFrame() {
  ++Fake.pausedFrames;
  RunFrame(Elapsed());
}

class Player : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    Fake = {};
    StartRunning();
    InstallPlayer({Hold, RestartClock, Elapsed, nullptr, ShowPausedFrame});
  }
  void TearDown() override {
    StartRunning();
    InstallPlayer({HoldElapsedSeconds, ResetElapsedSeconds, ElapsedSeconds, nullptr, nullptr});
    GlTest::TearDown();
  }
  // The live show at `second`, as the frame loop has it after a frame there.
  void PlayAt(float second) {
    CatchUpTo(second, CatchUp::Quick);
    SetClockOrigin(second);
    RunFrame(0);
  }
  // The scenes only after `second` have had nothing run: the show has not been there.
  static void ExpectNothingRunAfter(float second) {
    for (const SceneSlot& later : kSchedule) {
      bool alsoBefore = false;
      for (const SceneSlot& earlier : kSchedule) alsoBefore |= earlier.start <= second && earlier.scene == later.scene;
      if (later.start > second && !alsoBefore) {
        EXPECT_FALSE(DoneFlag(later.scene).setUp) << "scene " << later.scene;
      }
    }
  }
};
}  // namespace

TEST_F(Player, PausesTheLiveClockButNeverAFixedOne) {
  PlayAt(45.0f);
  TogglePause();
  EXPECT_TRUE(Paused());
  EXPECT_TRUE(Fake.held);
  TogglePause();
  EXPECT_FALSE(Paused());
  EXPECT_FALSE(Fake.held);

  ShowSettings fixed = Settings();
  fixed.fixedClock = fixed.timedemo = true;  // a capture's or a timedemo's clock is its own: no pause, no jump
  KeepShowSettings(fixed);
  TogglePause();
  EXPECT_FALSE(Paused());
  JumpScene(+1);
  EXPECT_EQ(Clock().DemoClock, 45.0f);
  EXPECT_EQ(Fake.restarts, 0);
}

TEST_F(Player, JumpsLandOnSceneStartsAsARunFromThere) {
  PlayAt(150.3f);
  const float ahead = SceneStartFrom(150.3f, +1);
  Fake.seconds = 2.5f;  // the live clock has run on since the show's start
  JumpScene(+1);
  EXPECT_EQ(Clock().origin, ahead);
  EXPECT_EQ(Fake.restarts, 1) << "the clock goes on from the target, not from where it stood";
  EXPECT_FALSE(MusicStarted());  // the next frame plays it from the cue
  EXPECT_EQ(Fake.pausedFrames, 0) << "a running show draws its next frame itself";
  RunFrame(Elapsed());
  EXPECT_EQ(Clock().DemoClock, ahead);

  // Paused, each jump draws the frame where the show now stands; back, the show starts over.
  TogglePause();
  JumpScene(-1);
  JumpScene(-1);
  const float back = SceneStartFrom(SceneStartFrom(ahead, -1), -1);
  EXPECT_EQ(Fake.pausedFrames, 2);
  EXPECT_EQ(Clock().DemoClock, back);
  EXPECT_TRUE(Paused());
  ExpectNothingRunAfter(back);

  // Nothing ahead of the blank last second: no jump, nothing drawn.
  PlayAt(kBlankFrom + 0.5f);
  const int restarts = Fake.restarts;
  JumpScene(+1);
  EXPECT_EQ(Fake.restarts, restarts);
  EXPECT_EQ(Fake.pausedFrames, 2);
  EXPECT_EQ(Clock().DemoClock, kBlankFrom + 0.5f);
}

TEST_F(Player, LoopsStartOverInTheBlankSecondAndPlayOnFromTheLoopStart) {
  ShowSettings looped = Settings();
  looped.loopShow = true;
  looped.start = 222.0f;
  KeepShowSettings(looped);
  PlayAt(kBlankFrom - 1.0f);
  EXPECT_FALSE(StartOverInTheBlank()) << "the show still has frames to draw";
  PlayAt(kBlankFrom + 0.1f);
  EXPECT_TRUE(StartOverInTheBlank());
  EXPECT_TRUE(StartOverInTheBlank());
  EXPECT_TRUE(Running());
  Fake.seconds = kShowLength;  // the blank second is over
  EXPECT_TRUE(StartOverInTheBlank());
  EXPECT_FALSE(Running());

  StartShowAgain();
  EXPECT_TRUE(Running());
  EXPECT_EQ(Clock().origin, 222.0f);
  EXPECT_EQ(Fake.seconds, 0.0f);
  RunFrame(Elapsed());
  EXPECT_EQ(Clock().DemoClock, 222.0f);
  ExpectNothingRunAfter(222.0f);
  EXPECT_FALSE(StartOverInTheBlank()) << "the new show is not in its blank second";
}
