#include "engine/timeline.h"

#include <GL/gl.h>

#include "audio/music.h"
#include "engine/capture.h"
#include "engine/composer.h"
#include "engine/progress.h"
#include "scenes/scenes.h"
#include "shell/menu.h"
#include "shell/options.h"
#include "shell/platform.h"

namespace lumaro {

const SceneSlot Schedule[SceneSlotCount] = {
    {1, 0, 4, -1, false, false, {NoStep, NoStep}},
    {2, 4, 4, -1, false, false, {NoStep, NoStep}},
    {3, 8, 4, -1, false, false, {NoStep, NoStep}},
    {4, 12, 8, -1, false, true, {NoStep, NoStep}},
    {5, 20, 8, -1, true, true, {SetupScene5Step, NoStep}},
    {6, 28, 12, 0, true, false, {ReleaseScene5Step, NoStep}},
    {7, 40, 30, 0, false, false, {NoStep, NoStep}},
    {8, 70, 60, 0, false, true, {SetupScene8Step, NoStep}},
    {9, 130, 60, -1, true, true, {ReleaseScene8Step, SetupScene9Step}},
    {10, 190, 30, -1, true, true, {ReleaseScene9Step, SetupScene10Step}},
    {11, 220, 30, -1, true, true, {ReleaseScene10Step, SetupScene11Step}},
    {12, 250, 40, -1, true, true, {ReleaseScene11Step, SetupScene12Step}},
    {13, 290, 35, 0, true, true, {ReleaseScene12Step, SetupScene13Step}},
    {14, 325, 3, -1, false, false, {ReleaseScene13Step, SetupScene14Step}},
};

float DemoClock = 0;
float PreviousClock = 0;
uint32_t FrameNumber = 0;
bool MusicStarted = false;
int32_t FramesThisSecond = 0;
int32_t ShownFrameRate = 0;
bool DoneFlag[OnceStepCount];
int ExitCode = 0;

void ResetTimeline() {
  MusicStarted = false;
  DemoClock = 0;
  FrameNumber = 0;
  PreviousClock = 0;
  FramesThisSecond = 0;
  ShownFrameRate = 0;
  for (bool& done : DoneFlag) done = false;
}

void AdvanceDemoClock(float elapsedSeconds) {
  PreviousClock = DemoClock;
  if (VideoSave) {
    FrameNumber += 1;
    DemoClock = DemoClock + 0.04f;  // summed in single precision, as the frame numbers assume
  } else {
    DemoClock = elapsedSeconds + StartTime;
  }
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
  for (const SceneSlot& slot : Schedule)
    if (clock >= slot.start && !(clock >= slot.start + slot.duration)) return &slot;
  return nullptr;
}

void RunOnceStep(OnceStep step) {
  switch (step) {
    case SetupScene5Step: SetupScene5(); break;
    case ReleaseScene5Step: ReleaseScene5(); break;
    case SetupScene8Step: SetupScene8(); break;
    case ReleaseScene8Step: ReleaseScene8(); break;
    case SetupScene9Step: SetupScene9(); break;
    case ReleaseScene9Step: ReleaseScene9(); break;
    case SetupScene10Step: SetupScene10(); break;
    case ReleaseScene10Step: ReleaseScene10(); break;
    case SetupScene11Step: SetupScene11(); break;
    case ReleaseScene11Step: ReleaseScene11(); break;
    case SetupScene12Step: SetupScene12(); break;
    case ReleaseScene12Step: ReleaseScene12(); break;
    case SetupScene13Step: SetupScene13(); break;
    case ReleaseScene13Step: ReleaseScene13(); break;
    case SetupScene14Step: SetupScene14(); break;
    case ReleaseScene14Step: ReleaseScene14(); break;
    default: break;
  }
}

namespace {
void RunPending(OnceStep step) {
  if (step == NoStep || DoneFlag[step]) return;
  RunOnceStep(step);
  DoneFlag[step] = true;
}
}  // namespace

const SceneSlot* EnterScene(float clock) {
  if (clock >= BlankFrom) {
    RunPending(ReleaseScene14Step);
    return nullptr;
  }
  const SceneSlot* slot = FindSceneSlot(clock);
  if (!slot) return nullptr;
  for (OnceStep step : slot->steps) RunPending(step);
  return slot;
}

void RunFrame(float elapsedSeconds) {
  AdvanceDemoClock(elapsedSeconds);
  // Video frames before "-start" only advance the clock, so numbers match a full run.
  if (VideoSave && DemoClock < StartTime) return;

  if (SoundOn && !MusicStarted) {
    PlayHandle = PlayMusic(MusicModule, LoopSound);
    if (StartTime > 0) SeekMusic(DemoClock);
    MusicStarted = true;
  }
  if (ShowFps) CountFrameRate();

  if (const SceneSlot* slot = EnterScene(DemoClock)) {
    ComposeFrame(slot->scene, slot->start, slot->duration, slot->backdrop, slot->fadeIn, slot->fadeOut);
  } else if (DemoClock >= BlankFrom) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the last second shows black
  }

  if (DemoClock >= ShowLength || DemoClock >= EndTime) Running = 0;

  if (VideoSave) {
    // Read back before the swap, so the file holds exactly the frame just drawn.
    if (!CaptureFrame(VideoDir.c_str())) {
      Running = 0;
      ExitCode = 1;
    }
    ReportProgress();
  }
  DrawMenuPopup();
  SwapRenderBuffers();
}

}  // namespace lumaro
