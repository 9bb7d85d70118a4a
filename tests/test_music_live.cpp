// The music of a live show: started past the module's end, while the window is out of sight,
// and cued without a pause at the seconds made ready ahead; and a failure that ends the run.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "audio/music.h"
#include "audio/sound_library.h"
#include "base/clock.h"
#include "base/run_state.h"
#include "engine/player.h"
#include "engine/show.h"
#include "engine/timeline.h"
#include "tests/dummy_audio.h"

using namespace lumaro;

// "-start" where the module has a tenth of a second left, and after its end: no message, and
// after the end silence, as in a capture from there.
TEST_F(DummyAudio, StartingPastTheModulesEndPlaysSilenceWithoutAWord) {
  SoundModule* module = LoadMusic(LUMARO_SONG);
  ASSERT_NE(module, nullptr);
  for (float second : {328.8f, 328.95f, 328.99f}) {
    SCOPED_TRACE(second);
    testing::internal::CaptureStderr();
    CueMusic(module, second);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const uint32_t handle = PlayOk(module, false);
    ASSERT_NE(handle, 0u);
    if (second > 328.9f) {
      EXPECT_FALSE(SoundIsPlaying(handle));
    }
    ASSERT_TRUE(SoundStopModule(handle).ok());
  }
  // Played from the start again afterwards, it sounds.
  const uint32_t handle = PlayOk(module, false);
  EXPECT_TRUE(SoundIsPlaying(handle));
  StopOk(handle, module);
}

// Minimised when "-loop" starts the show again, no frame is drawn: the music still starts
// with the clock, where it was cued.
TEST_F(DummyAudio, TimePassingUnseenStartsTheMusic) {
  Music().MusicModule = LoadMusic(LUMARO_SONG);
  ASSERT_NE(Music().MusicModule, nullptr);
  KeepShowSettings({.start = 20});
  ResetTimeline();  // the live clock's origin is the start
  Music().PlayHandle = 0;
  CueMusic(Music().MusicModule, 20);
  ResetElapsedSeconds();
  PassTimeUnseen();
  EXPECT_TRUE(SoundIsPlaying(Music().PlayHandle));
  StopOk(Music().PlayHandle, Music().MusicModule);
  Music().MusicModule = nullptr;
  Music().PlayHandle = 0;
  KeepShowSettings({});
  ResetTimeline();
}

// Cues made ready ahead take no decoding when the show gets there, and sound exactly as a
// cue decoded from the module's start; one past the end is silence.
TEST_F(DummyAudio, PreparedCuesNeedNoDecodingAndSoundTheSame) {
  SoundModule* ready = LoadMusic(LUMARO_SONG);
  SoundModule* fresh = LoadMusic(LUMARO_SONG);
  ASSERT_TRUE(ready && fresh);
  const double cues[] = {300.0, 25.5, 328.95};
  ASSERT_TRUE(SoundPrepareCues(ready, cues, 3).ok());
  // A generous bound for a loaded machine: the decoding runs at the lowest priority.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  auto allReady = [&] {
    for (double second : cues)
      if (!SoundCueReady(ready, second)) return false;
    return true;
  };
  while (!allReady() && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(allReady());
  for (double second : {300.0, 25.5}) {
    SCOPED_TRACE(second);
    const uint64_t before = SoundCueFramesDecoded();
    ASSERT_TRUE(SoundCueModule(ready, second).ok());
    EXPECT_EQ(SoundCueFramesDecoded(), before);
    ASSERT_TRUE(SoundCueModule(fresh, 0.0).ok());
    ASSERT_TRUE(SoundCueModule(fresh, second).ok());
    EXPECT_EQ(NextSamples(ready, 4800), NextSamples(fresh, 4800));
  }
  ASSERT_TRUE(SoundCueModule(ready, 328.95).ok());
  const uint32_t handle = PlayOk(ready, false);
  EXPECT_FALSE(SoundIsPlaying(handle));
  StopOk(handle, ready);
  StopOk(0, fresh);
}

// A music failure the run cannot go on without is shown in the original's box and ends the
// run with exit code 1, the sound closed, instead of ending the process where it happened.
TEST_F(DummyAudio, AFatalMusicFailureEndsTheRunWithItsBox) {
  StartRunning();
  testing::internal::CaptureStderr();
  EndForMusic(Status::Failure("no such play handle"));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("MIDAS Fehler !: no such play handle"), std::string::npos) << said;
  EXPECT_FALSE(Running());
  EXPECT_EQ(ExitCode(), 1);
  EXPECT_EQ(LastStopReason(), StopReason::Failure);
  EXPECT_FALSE(MusicOn());
  EXPECT_FALSE(SoundDeviceOpen());
  ResetRunEnd();
  ClearMusicFailure();
}
