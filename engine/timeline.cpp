#include "engine/timeline.h"

#include <GL/gl.h>

#include <algorithm>

#include "audio/music.h"
#include "base/report.h"
#include "base/run_state.h"
#include "engine/capture.h"
#include "engine/composer.h"
#include "engine/progress.h"
#include "scenes/scenes.h"

namespace lumaro {

float DemoClock = 0;
float PreviousClock = 0;
uint32_t FrameNumber = 0;
bool MusicStarted = false;
int32_t FramesThisSecond = 0;
int32_t ShownFrameRate = 0;
OnceSteps DoneFlag[kSceneCount + 1];
int DrawnScene = -1;

void ResetTimeline() {
  MusicStarted = false;
  DemoClock = 0;
  FrameNumber = 0;
  PreviousClock = 0;
  FramesThisSecond = 0;
  ShownFrameRate = 0;
  for (OnceSteps& done : DoneFlag) done = {};
}

void AdvanceDemoClock(float elapsedSeconds) {
  PreviousClock = DemoClock;
  if (FixedClock()) {
    FrameNumber += 1;
    DemoClock = DemoClock + FrameStep();  // summed in single precision, as the frame numbers assume
  } else {
    DemoClock = elapsedSeconds + ThisRun.startTime;
  }
}

FrameSpan CurrentSpan() {
  const bool fixed = FixedClock();
  return {PreviousClock, DemoClock, fixed ? FrameNumber : 0, fixed ? ThisRun.videoRate : 0};
}

void CountFrameRate() {
  if (static_cast<int32_t>(PreviousClock) == static_cast<int32_t>(DemoClock)) {
    FramesThisSecond += 1;
  } else {
    ShownFrameRate = FramesThisSecond;
    FramesThisSecond = 1;  // the frame that enters the new second
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
  if (!slot.ownsResources() || DoneFlag[slot.scene].setUp) return;
  SetupScene(slot.scene);
  DoneFlag[slot.scene].setUp = true;
}

void RunRelease(const SceneSlot& slot) {
  if (!slot.ownsResources() || DoneFlag[slot.scene].released) return;
  ReleaseScene(slot.scene);
  DoneFlag[slot.scene].released = true;
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
  SoundOn = false;  // the library is closed: nothing more to stop or free
  StopRunning(StopReason::Failure);
}

void StartMusic() {
  if (!SoundOn || MusicStarted) return;
  MusicStarted = true;
  const Status playing =
      PlayMusic(Music().MusicModule, LoopSound, &Music().PlayHandle);  // at "-start" when start-up put it there
  if (!playing.ok()) EndForMusic(playing);
}

void RunFrame(float elapsedSeconds) {
  AdvanceDemoClock(elapsedSeconds);
  DrawnScene = -1;

  StartMusic();
  if (ShowFps) CountFrameRate();

  DrawnScene = 0;
  if (const SceneSlot* slot = EnterScene(DemoClock)) {
    ComposeFrame(*slot, CurrentSpan(), ShownFrameRate);
    DrawnScene = slot->scene;
  } else if (DemoClock >= kBlankFrom) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the last second shows black
  }

  if (DemoClock >= kShowLength || DemoClock >= ThisRun.endTime) StopRunning(StopReason::ShowOver);

  if (VideoSave) {
    // Read back before the swap, so the file holds exactly the frame just drawn.
    // A failure stops the run; the shell says what it was, with what is on disk.
    if (CaptureFrame(FrameNumber, DemoClock).ok())
      ReportProgress(DemoClock);
    else if (StopSignalNumber)
      StopRunning(StopReason::Signal, StopSignalNumber);  // it gave up waiting for the writer
    else
      StopRunning(StopReason::Failure);
  }
  // "-stills": on to the next still without showing the frames between.
  const auto next = std::upper_bound(ThisRun.stillTimes.begin(), ThisRun.stillTimes.end(), DemoClock);
  if (Running && next != ThisRun.stillTimes.end()) CatchUpTo(*next, CatchUp::Exact);
}

}  // namespace lumaro
