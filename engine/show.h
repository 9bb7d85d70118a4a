// What the engine is told of a run before its start-up, and keeps for the run: the show's
// range, its clock, the music and the capture. What changes later comes as an event (a jump,
// a new drawing size), never as a write into these.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "base/run_state.h"
#include "engine/capture_settings.h"

namespace lumaro {

struct ShowSettings {
  float start = 0;                    // "-start": the first demo second shown
  float end = INFINITY;               // "-end": the run stops at this demo time (else the show's end)
  std::vector<float> stills{};        // only these frames, ascending
  bool fixedClock = false;            // captures and timedemos: FrameStep() a frame, not the wall clock
  int videoRate = kDefaultVideoRate;  // frames a second of the fixed clock
  bool ShowFps = false;
  bool SoundOn = true;  // live music
  bool LoopSound = false;
  bool VideoSave = false;  // every frame captured, by `capture`
  bool loopShow = false;   // again from `start` when the show ends
  bool timedemo = false;   // frame times measured, reported at the end
  std::string timedemoFile{};
  bool seedGiven = false;  // else the calendar time seeds the generator
  uint32_t seed = 0;
  bool forceProgress = false;  // a progress line even when stderr is no terminal
  bool safe = false;           // the passages that flash too much tamed (SceneFrame::safe)
  // Where the music module is; empty when it was not found, and then where it was looked for.
  std::string modulePath{};
  std::string moduleSearch{};
  CaptureSettings capture{};
};

// Kept from RenderStartup on; read by the engine's modules.
void KeepShowSettings(const ShowSettings& settings);
const ShowSettings& Show();

// 1/rate in single precision: kFrameStep at 25 frames a second.
inline float FrameStep() { return 1.0f / static_cast<float>(Show().videoRate); }
inline bool FixedClock() { return Show().fixedClock; }

}  // namespace lumaro
