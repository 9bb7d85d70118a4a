// The fixed schedule of fourteen scenes and the one-step-per-frame driver.
#pragma once
#include <cstdint>

namespace lumaro {

// The once-only steps, in the order of their DoneFlags.
enum OnceStep : int {
  SetupScene5Step, ReleaseScene5Step, SetupScene8Step, ReleaseScene8Step,
  SetupScene9Step, ReleaseScene9Step, SetupScene10Step, ReleaseScene10Step,
  SetupScene11Step, ReleaseScene11Step, SetupScene12Step, ReleaseScene12Step,
  SetupScene13Step, ReleaseScene13Step, SetupScene14Step, ReleaseScene14Step,
  OnceStepCount,
  NoStep = -1,
};

enum Backdrop : int { NoBackdrop = -1, SpaceBackdrop = 0 };  // 0: BackdropTexture

struct SceneSlot {
  int scene;
  float start;
  float duration;  // window [start, start + duration)
  int backdrop;    // a Backdrop
  bool fadeIn = false;
  bool fadeOut = false;
  OnceStep steps[2] = {NoStep, NoStep};  // run before the window's first frame is drawn, in this order
};

constexpr int SceneSlotCount = 14;
extern const SceneSlot Schedule[SceneSlotCount];
constexpr float BlankFrom = 328.0f;  // from here nothing is drawn

extern float DemoClock;
extern float PreviousClock;
extern uint32_t FrameNumber;
extern bool MusicStarted;
extern int32_t FramesThisSecond;
extern int32_t ShownFrameRate;
extern bool DoneFlag[OnceStepCount];
extern int DrawnScene;  // of the last RunFrame: its scene, 0 nothing drawn (the last second), -1 skipped

void ResetTimeline();

// One frame: clock, music, frame rate, scene steps, composer, end test, capture. The
// shell then lays its menu over the frame and swaps the buffers.
void RunFrame(float elapsedSeconds);

// The pieces of RunFrame, in its order.
void AdvanceDemoClock(float elapsedSeconds);
void CountFrameRate();
const SceneSlot* FindSceneSlot(float clock);  // null outside every window
// Runs the pending once-only steps of the clock's window; returns the slot to draw, or null.
const SceneSlot* EnterScene(float clock);
void RunOnceStep(OnceStep step);
// Everything but the picture of a scene's frame: what sparks, trails and flames carry on.
void AdvanceScene(int scene, float localTime, float duration);
// Walks the fixed clock from where it stands up to the last frame before `start`, changing
// all a full run's frames change (state, random numbers, GL settings) without showing them.
// Exact also gives the driver the same history, for frames equal to a full run's byte for
// byte (about 0.5 ms a skipped frame); Quick draws only the last frame of each scene.
enum class CatchUp { Exact, Quick };
void CatchUpTo(float start, CatchUp how);

}  // namespace lumaro
