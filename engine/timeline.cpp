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

const SceneSlot Schedule[SceneSlotCount] = {
    {.scene = 1, .start = 0, .duration = 4, .backdrop = NoBackdrop},
    {.scene = 2, .start = 4, .duration = 4, .backdrop = NoBackdrop},
    {.scene = 3, .start = 8, .duration = 4, .backdrop = NoBackdrop},
    {.scene = 4, .start = 12, .duration = 8, .backdrop = NoBackdrop, .fadeOut = true},
    {.scene = 5, .start = 20, .duration = 8, .backdrop = NoBackdrop, .fadeIn = true, .fadeOut = true,
     .steps = {SetupScene5Step, NoStep}},
    {.scene = 6, .start = 28, .duration = 12, .backdrop = SpaceBackdrop, .fadeIn = true,
     .steps = {ReleaseScene5Step, NoStep}},
    {.scene = 7, .start = 40, .duration = 30, .backdrop = SpaceBackdrop},
    {.scene = 8, .start = 70, .duration = 60, .backdrop = SpaceBackdrop, .fadeOut = true,
     .steps = {SetupScene8Step, NoStep}},
    {.scene = 9, .start = 130, .duration = 60, .backdrop = NoBackdrop, .fadeIn = true, .fadeOut = true,
     .steps = {ReleaseScene8Step, SetupScene9Step}},
    {.scene = 10, .start = 190, .duration = 30, .backdrop = NoBackdrop, .fadeIn = true, .fadeOut = true,
     .steps = {ReleaseScene9Step, SetupScene10Step}},
    {.scene = 11, .start = 220, .duration = 30, .backdrop = NoBackdrop, .fadeIn = true, .fadeOut = true,
     .steps = {ReleaseScene10Step, SetupScene11Step}},
    {.scene = 12, .start = 250, .duration = 40, .backdrop = NoBackdrop, .fadeIn = true, .fadeOut = true,
     .steps = {ReleaseScene11Step, SetupScene12Step}},
    {.scene = 13, .start = 290, .duration = 35, .backdrop = SpaceBackdrop, .fadeIn = true, .fadeOut = true,
     .steps = {ReleaseScene12Step, SetupScene13Step}},
    {.scene = 14, .start = 325, .duration = 3, .backdrop = NoBackdrop,
     .steps = {ReleaseScene13Step, SetupScene14Step}},
};

float DemoClock = 0;
float PreviousClock = 0;
uint32_t FrameNumber = 0;
bool MusicStarted = false;
int32_t FramesThisSecond = 0;
int32_t ShownFrameRate = 0;
bool DoneFlag[OnceStepCount];
int DrawnScene = -1;

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
  if (FixedClock()) {
    FrameNumber += 1;
    DemoClock = DemoClock + FrameStep;  // summed in single precision, as the frame numbers assume
  } else {
    DemoClock = elapsedSeconds + ThisRun.startTime;
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

void AdvanceScene(int scene, float localTime, float duration) {
  switch (scene) {
    case 6: AdvanceScene6(localTime, duration); break;
    case 7: AdvanceScene7(localTime, duration); break;
    case 8: AdvanceScene8(localTime, duration); break;
    case 9: AdvanceScene9(localTime, duration); break;
    default: break;  // the others draw from their local time alone
  }
}

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

// A frame skipped on the way to "-start" changes all that a shown frame changes but the
// picture: the clock and frame number, the frame-rate count, the once-only steps (with the
// random numbers their set-ups draw) and the scene's own state (sparks, trails, flames).
// Quick: scenes only advance, and the last skipped frame of each scene window, and the one
// just before the start, are drawn (never shown), so the GL settings every scene leaves for
// the next are those of the full run. Exact: every skipped frame is drawn with rasterising
// cut to one pixel, because the driver also keeps a history: Mesa splits immediate-mode
// primitives where its vertex buffer fills, and a quad split elsewhere rounds its diagonal
// one level differently. Frames then match a full run byte for byte.
namespace {
bool LastBefore(const SceneSlot* slot, float start) {
  const float following = DemoClock + FrameStep;
  return !(following < start) || following >= BlankFrom || FindSceneSlot(following) != slot;
}

void CatchUpFrame(float start, CatchUp how) {
  PreviousClock = DemoClock;
  DemoClock = DemoClock + FrameStep;  // single precision, as the fixed clock sums
  if (FixedClock()) FrameNumber += 1;
  if (ShowFps) CountFrameRate();
  const SceneSlot* slot = EnterScene(DemoClock);
  if (!slot) return;
  if (how == CatchUp::Exact || LastBefore(slot, start)) {
    ComposeFrame(slot->scene, slot->start, slot->duration, slot->backdrop, slot->fadeIn, slot->fadeOut);
  } else {
    AdvanceScene(slot->scene, static_cast<float>(static_cast<double>(DemoClock) - slot->start), slot->duration);
  }
}
}  // namespace

void CatchUpTo(float start, CatchUp how) {
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  if (how == CatchUp::Exact) {
    glScissor(0, 0, 1, 1);
    glEnable(GL_SCISSOR_TEST);
  }
  while (DemoClock + FrameStep < start) CatchUpFrame(start, how);
  if (how == CatchUp::Exact) {
    glDisable(GL_SCISSOR_TEST);
    glScissor(box[0], box[1], box[2], box[3]);
  }
}

void RunFrame(float elapsedSeconds) {
  AdvanceDemoClock(elapsedSeconds);
  DrawnScene = -1;

  if (SoundOn && !MusicStarted) {
    PlayHandle = PlayMusic(MusicModule, LoopSound);  // at "-start" when start-up put it there
    MusicStarted = true;
  }
  if (ShowFps) CountFrameRate();

  DrawnScene = 0;
  if (const SceneSlot* slot = EnterScene(DemoClock)) {
    ComposeFrame(slot->scene, slot->start, slot->duration, slot->backdrop, slot->fadeIn, slot->fadeOut);
    DrawnScene = slot->scene;
  } else if (DemoClock >= BlankFrom) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // the last second shows black
  }

  if (DemoClock >= ShowLength || DemoClock >= ThisRun.endTime) StopRunning(StopReason::ShowOver);

  if (VideoSave) {
    // Read back before the swap, so the file holds exactly the frame just drawn.
    // A failure stops the run; the shell says what it was, with what is on disk.
    if (CaptureFrame(FrameNumber, DemoClock).ok())
      ReportProgress(DemoClock);
    else
      StopRunning(StopReason::Failure);
  }
  // "-stills": on to the next still without showing the frames between.
  const auto next = std::upper_bound(ThisRun.stillTimes.begin(), ThisRun.stillTimes.end(), DemoClock);
  if (Running && next != ThisRun.stillTimes.end()) CatchUpTo(*next, CatchUp::Exact);
}

}  // namespace lumaro
