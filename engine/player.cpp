#include "engine/player.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "audio/music.h"
#include "audio/sound_library.h"
#include "base/clock.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "engine/show.h"
#include "engine/timedemo.h"
#include "engine/timeline.h"
#include "gfx/draw.h"

namespace lumaro {

namespace {
// "-loop" starts the show over in its last, blank second, where nothing is drawn: a slice a
// frame, so that its start is ready when the second is over and no frame waits for it.
enum class LoopRestart { None, Underway, Ready };

struct PlayerState {
  // Until a platform installs its own: the desktop's clock, no frames of its own.
  PlayerPlatform Platform{HoldElapsedSeconds, ResetElapsedSeconds, ElapsedSeconds, nullptr, nullptr};
  bool Held = false;
  bool Unseen = false;  // frames were left out while the window could not be seen
  LoopRestart Restarting = LoopRestart::None;
};
PlayerState State;
constexpr double kRestartSliceSeconds = 0.006;  // of a frame's 16.7 ms at 60 a second

void BeginFrameUnseen() {
  if (State.Platform.beginFrame) State.Platform.beginFrame();
}

// The show goes on from `second`: the live clock reads it at the next frame, and the music
// starts there on that frame, cued from the module's start.
void ContinueFrom(float second) {
  if (Music().PlayHandle)
    (void)SoundStopModule(Music().PlayHandle);  // a handle that ended on its own has nothing to stop
  Music().PlayHandle = 0;
  SetClockOrigin(second);
  State.Platform.restartClock();
  ForgetMusicStart();
  if (MusicOn()) CueMusic(Music().MusicModule, second);
}

void GoTo(float second) {
  BeginFrameUnseen();  // the frames between are drawn at the drawing size, never shown
  if (second > Clock().DemoClock)
    CatchUpTo(second, CatchUp::Quick);  // onward: the frames between, without showing them
  else
    RestartShowAt(second);  // back: the show over, up to there
  ContinueFrom(second);
}
}  // namespace

void InstallPlayer(const PlayerPlatform& platform) {
  State.Platform = platform;
  State.Held = false;
  State.Unseen = false;
  State.Restarting = LoopRestart::None;
}

bool Paused() { return State.Held; }

void TogglePause() {
  if (FixedClock()) return;  // a capture's clock is its own
  State.Held = !State.Held;
  State.Platform.holdClock(State.Held);
  if (MusicOn()) {
    if (State.Held)
      (void)SoundStopBackgroundPlay();  // the device asks for no samples: the module holds its place
    else
      (void)SoundStartBackgroundPlay();  // fails only before start-up, which ran
  }
}

void JumpScene(int direction) {
  if (FixedClock()) return;
  // Starting over in the blank second, the clock is the new show's: the viewer is in the blank.
  const float target =
      SceneStartFrom(State.Restarting == LoopRestart::None ? Clock().DemoClock : kBlankFrom, direction);
  if (target < 0) return;
  State.Restarting = LoopRestart::None;  // the show as it stands goes on, or starts over, to the target
  GoTo(target);
  if (State.Held && State.Platform.showPausedFrame)
    State.Platform.showPausedFrame();  // the picture shows where the show stands
}

bool StartOverInTheBlank() {
  if (State.Restarting == LoopRestart::None) {
    const ShowSettings& show = Show();
    if (!show.loopShow || show.fixedClock || show.end < kShowLength || Clock().DemoClock < kBlankFrom) return false;
    BeginRestart();
    State.Restarting = LoopRestart::Underway;
    State.Unseen = false;  // whatever was left out belongs to the show that ends
  }
  if (State.Restarting == LoopRestart::Underway && CatchUpPartly(Show().start, kRestartSliceSeconds))
    State.Restarting = LoopRestart::Ready;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the blank second stays black
  if (Clock().origin + State.Platform.elapsedSeconds() >= kShowLength) StopRunning(StopReason::ShowOver);
  KeepMusicCuesReady(kBlankFrom);
  return true;
}

void StartShowAgain() {
  BeginFrameUnseen();
  if (State.Restarting == LoopRestart::None)
    RestartShowAt(Show().start);
  else
    CatchUpTo(Show().start, CatchUp::Quick);  // what the blank second had no time for
  State.Restarting = LoopRestart::None;
  ContinueFrom(Show().start);
  StartRunning();
}

void PassTimeUnseen() {
  State.Unseen = true;
  const float clock = Clock().origin + State.Platform.elapsedSeconds();
  StartMusic();  // the music follows the clock, drawn or not
  KeepMusicCuesReady(clock);
  if (clock >= Show().end || clock >= kShowLength) StopRunning(StopReason::ShowOver);
}

void CatchUpUnseen() {
  if (!State.Unseen) return;
  State.Unseen = false;
  CatchUpTo(Clock().origin + State.Platform.elapsedSeconds(), CatchUp::Quick);
}

Status ReportTimedemo(const TimedemoReport& report) {
  using Seconds = std::chrono::duration<double>;
  const auto now = std::chrono::steady_clock::now();
  const char* named = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  const TimedemoRun run{!report.renderer.empty() ? report.renderer
                        : named                  ? named
                                                 : "an unknown renderer",
                        CurrentDrawingArea().ScreenWidth,
                        CurrentDrawingArea().ScreenHeight,
                        Seconds(now - report.loopStart).count(),
                        Seconds(FirstFrameDone() - report.programStart).count() * 1000,
                        report.peakMegabytes};
  const std::vector<SceneTiming> rows = TimedemoTable();
  const std::string table = FormatTimedemoTable(rows, run);
  if (std::fputs(table.c_str(), stdout) < 0 || std::fflush(stdout) != 0)
    return ErrnoFailure("cannot write the timedemo's table to stdout", errno);
  if (report.alsoShow) report.alsoShow(table.c_str());
  const std::string& file = Show().timedemoFile;
  return file.empty() ? Status() : WriteTimedemoCsv(file, rows, run);
}

}  // namespace lumaro
