#include "shell/player.h"

#include "audio/music.h"
#include "audio/sound_library.h"
#include "base/clock.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "engine/timeline.h"
#include "shell/platform.h"

namespace lumaro {

namespace {
// The show goes on from `second`: the live clock reads it at the next frame, and the music
// starts there on that frame, cued from the module's start.
void ContinueFrom(float second) {
  if (PlayHandle) SoundStopModule(PlayHandle);
  PlayHandle = 0;
  ThisRun.startTime = second;
  ResetElapsedSeconds();
  MusicStarted = false;
  if (SoundOn) CueMusic(MusicModule, second);
}

bool Unseen = false;  // frames were left out while the window could not be seen

void GoTo(float second) {
  BeginFrame();  // the frames between are drawn at the drawing size, never shown
  if (second > DemoClock)
    CatchUpTo(second, CatchUp::Quick);  // onward: the frames between, without showing them
  else
    RestartShowAt(second);  // back: the show over, up to there
  ContinueFrom(second);
}
}  // namespace

bool Paused() { return ElapsedSecondsHeld(); }

void TogglePause() {
  if (FixedClock()) return;  // a capture's clock is its own
  const bool pause = !Paused();
  HoldElapsedSeconds(pause);
  if (SoundOn) {
    if (pause)
      SoundStopBackgroundPlay();  // the device asks for no samples: the module holds its place
    else
      SoundStartBackgroundPlay();
  }
}

void JumpScene(int direction) {
  if (FixedClock()) return;
  const float target = SceneStartFrom(DemoClock, direction);
  if (target < 0) return;
  GoTo(target);
}

void StartShowAgain() {
  BeginFrame();
  RestartShowAt(ThisRun.loopStart);
  ContinueFrom(ThisRun.loopStart);
  Running = 1;
}

void PassTimeUnseen() {
  Unseen = true;
  const float clock = ThisRun.startTime + ElapsedSeconds();
  StartMusic();  // the music follows the clock, drawn or not
  KeepMusicCuesReady(clock);
  if (clock >= ThisRun.endTime || clock >= kShowLength) StopRunning(StopReason::ShowOver);
}

void CatchUpUnseen() {
  if (!Unseen) return;
  Unseen = false;
  CatchUpTo(ThisRun.startTime + ElapsedSeconds(), CatchUp::Quick);
}

}  // namespace lumaro
