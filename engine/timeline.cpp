#include "engine/timeline.h"

#include <GL/gl.h>

#include <algorithm>

#include "audio/music.h"
#include "base/report.h"
#include "base/run_state.h"
#include "engine/capture.h"
#include "engine/composer.h"
#include "engine/progress.h"
#include "engine/show.h"
#include "scenes/scenes.h"

namespace lumaro {

namespace {
struct TimelineState {
  ShowClock clock;
  bool musicStarted = false;
  bool musicClosed = false;  // by a failure: nothing more to play, stop or free
  int32_t framesThisSecond = 0;
  int32_t shownFrameRate = 0;
  OnceSteps doneFlag[kSceneCount + 1];
  int drawnScene = -1;
};
TimelineState State;
}  // namespace

const ShowClock& Clock() { return State.clock; }
OnceSteps& DoneFlag(int scene) { return State.doneFlag[scene]; }
int DrawnScene() { return State.drawnScene; }
int32_t ShownFrameRate() { return State.shownFrameRate; }
bool MusicOn() { return Show().SoundOn && !State.musicClosed; }
void ForgetMusicStart() { State.musicStarted = false; }
bool MusicStarted() { return State.musicStarted; }
void ClearMusicFailure() { State.musicClosed = false; }
void SetDemoClock(float second) { State.clock.DemoClock = second; }
void SetClockOrigin(float second) { State.clock.origin = second; }

void ResetTimeline() {
  const bool closed = State.musicClosed;  // a closed library stays closed
  State = {};
  State.musicClosed = closed;
  State.clock.origin = Show().start;
}

void StepClockByAFrame() {
  ShowClock& clock = State.clock;
  clock.PreviousClock = clock.DemoClock;
  clock.DemoClock = clock.DemoClock + FrameStep();  // summed in single precision, as the frame numbers assume
  if (FixedClock()) clock.FrameNumber += 1;
}

void AdvanceDemoClock(float elapsedSeconds) {
  ShowClock& clock = State.clock;
  if (FixedClock()) return StepClockByAFrame();
  clock.PreviousClock = clock.DemoClock;
  clock.DemoClock = elapsedSeconds + clock.origin;
}

FrameSpan CurrentSpan() {
  const bool fixed = FixedClock();
  const ShowClock& clock = State.clock;
  return {clock.PreviousClock, clock.DemoClock, fixed ? clock.FrameNumber : 0, fixed ? Show().videoRate : 0};
}

void CountFrameRate() {
  if (static_cast<int32_t>(State.clock.PreviousClock) == static_cast<int32_t>(State.clock.DemoClock)) {
    State.framesThisSecond += 1;
  } else {
    State.shownFrameRate = State.framesThisSecond;
    State.framesThisSecond = 1;  // the frame that enters the new second
  }
}

const SceneSlot* FindSceneSlot(float clock) {
  for (const SceneSlot& slot : kSchedule)
    if (clock >= slot.start && !(clock >= slot.start + slot.duration)) return &slot;
  return nullptr;
}

float LocalTime(const SceneSlot& slot, float clock) {
  return static_cast<float>(static_cast<double>(clock) - slot.start);
}

namespace {
void RunSetup(const SceneSlot& slot) {
  if (!slot.ownsResources() || State.doneFlag[slot.scene].setUp) return;
  SetupScene(slot.scene);
  State.doneFlag[slot.scene].setUp = true;
}

void RunRelease(const SceneSlot& slot) {
  if (!slot.ownsResources() || State.doneFlag[slot.scene].released) return;
  ReleaseScene(slot.scene);
  State.doneFlag[slot.scene].released = true;
}
}  // namespace

const SceneSlot* EnterScene(float clock) {
  if (clock >= kBlankFrom) {
    RunRelease(kSchedule[kSceneCount - 1]);
    return nullptr;
  }
  const SceneSlot* slot = FindSceneSlot(clock);
  if (!slot) return nullptr;
  if (slot != kSchedule) RunRelease(slot[-1]);
  RunSetup(*slot);
  return slot;
}

void EndForMusic(const Status& failure) {
  ShowMusicFailure(failure);
  State.musicClosed = true;
  StopRunning(StopReason::Failure);
}

void StartMusic() {
  if (!MusicOn() || State.musicStarted) return;
  State.musicStarted = true;
  const Status playing =
      PlayMusic(Music().MusicModule, Show().LoopSound, &Music().PlayHandle);  // at "-start" when start-up put it there
  if (!playing.ok()) EndForMusic(playing);
}

void RunFrame(float elapsedSeconds) {
  AdvanceDemoClock(elapsedSeconds);
  const float clock = State.clock.DemoClock;
  const ShowSettings& show = Show();
  State.drawnScene = -1;

  StartMusic();
  if (show.ShowFps) CountFrameRate();

  State.drawnScene = 0;
  if (const SceneSlot* slot = EnterScene(clock)) {
    ComposeFrame(*slot, CurrentSpan(), show.ShowFps, State.shownFrameRate);
    State.drawnScene = slot->scene;
  } else if (clock >= kBlankFrom) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the last second shows black
  }

  if (clock >= kShowLength || clock >= show.end) StopRunning(StopReason::ShowOver);

  if (show.VideoSave) {
    // Read back before the swap, so the file holds exactly the frame just drawn.
    // A failure stops the run; the shell says what it was, with what is on disk.
    if (CaptureFrame(State.clock.FrameNumber, clock).ok())
      ReportProgress(clock);
    else if (StopSignalNumber)
      StopRunning(StopReason::Signal, StopSignalNumber);  // it gave up waiting for the writer
    else
      StopRunning(StopReason::Failure);
  }
  // "-stills": on to the next still without showing the frames between.
  const auto next = std::upper_bound(show.stills.begin(), show.stills.end(), clock);
  if (Running() && next != show.stills.end()) CatchUpTo(*next, CatchUp::Exact);
}

}  // namespace lumaro
