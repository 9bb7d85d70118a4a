// The one-step-per-frame driver over the scene list: the clock, the once-only steps of each
// window, the frame drawn, the end of the run.
#pragma once
#include <cstdint>

#include "base/status.h"
#include "scenes/scene_list.h"

namespace lumaro {

// The show's one clock, owned by the engine: the demo second of this frame and of the one
// before, the fixed clock's frame number, and the live clock's origin (the demo second its
// elapsed seconds count from: "-start" at first, then wherever a jump or "-loop" put it).
struct ShowClock {
  float DemoClock = 0;
  float PreviousClock = 0;
  uint32_t FrameNumber = 0;
  float origin = 0;
};
const ShowClock& Clock();
// One frame on: by FrameStep(), as the fixed clock and every catching up step.
void StepClockByAFrame();
// The clock stands at `second`, for a frame drawn on its own (a still, a test).
void SetDemoClock(float second);
// The live clock counts from `second` on (its elapsed seconds start again at zero).
void SetClockOrigin(float second);

// The once-only steps' flags, by scene number: set up, released. Cleared only at start-up.
struct OnceSteps {
  bool setUp = false, released = false;
};
OnceSteps& DoneFlag(int scene);
int DrawnScene();  // of the last RunFrame: its scene, 0 nothing drawn (the last second), -1 skipped
// The frame rate the "-fps" counter shows, counted over the frames of each demo second.
int32_t ShownFrameRate();

// The show at its start: the clock at the origin, nothing set up, the music not yet started.
void ResetTimeline();

// Live music: asked for, and not closed by a failure. The music is started with the first
// frame the clock runs, and again after a jump (ForgetMusicStart).
bool MusicOn();
void ForgetMusicStart();
bool MusicStarted();
// A new run: whatever closed an earlier run's music is forgotten.
void ClearMusicFailure();

// One frame: clock, music, frame rate, scene steps, composer, end test, capture. The
// shell then lays its menu over the frame and swaps the buffers.
void RunFrame(float elapsedSeconds);

// The pieces of RunFrame, in its order.
void AdvanceDemoClock(float elapsedSeconds);
// The music from where it is cued, once the clock runs, whether or not a frame is drawn.
void StartMusic();
// A music failure the run cannot go on without: the original's box, no more sound, and the
// run ends with exit code 1.
void EndForMusic(const Status& failure);
void CountFrameRate();
const SceneSlot* FindSceneSlot(float clock);  // null outside every window
// Runs the pending once-only steps of the clock's window (the release of the scene before,
// then this scene's set-up); returns the slot to draw, or null.
const SceneSlot* EnterScene(float clock);
float LocalTime(const SceneSlot& slot, float clock);  // formed in double, rounded to float
// The show time the current frame covers, for the scenes that step.
FrameSpan CurrentSpan();

// Walks the fixed clock from where it stands up to the last frame before `start`, changing
// all a full run's frames change (state, random numbers, GL settings) without showing them.
// Exact also gives the driver the same history, for frames equal to a full run's byte for
// byte (about 0.5 ms a skipped frame); Quick draws only the last frame of each scene.
enum class CatchUp { Exact, Quick };
void CatchUpTo(float start, CatchUp how);
// The quick way in slices: catches up until `start` or until `budgetSeconds` of wall time
// have gone, and says whether it reached `start`. Run again, it goes on from where it stopped.
bool CatchUpPartly(float start, double budgetSeconds);

}  // namespace lumaro
