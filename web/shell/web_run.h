// The browser's run of the show: what the desktop's main loop, platform layer and window
// procedure keep, for a page that starts the show on a click and draws from
// requestAnimationFrame.
#pragma once
#include <chrono>
#include <cstdint>
#include <vector>

namespace lumaro::web {

enum class Mode { Live, Stills, Timedemo };
// Read by the page (lumaro_phase): keep the numbers.
enum class Phase : int { Idle = 0, CatchingUp = 1, Running = 2, Paused = 3, StillShown = 4, Ended = 5 };

struct WebRun {
  Mode mode = Mode::Live;
  Phase phase = Phase::Idle;
  std::vector<float> stills;  // "?stills=": ascending demo seconds
  size_t nextStill = 0;
  bool originSet = false;  // live: the wall-clock time at demo time zero is taken at the first frame
  double originMs = 0;
  bool clockHeld = false;  // paused: the live clock stands at heldAtMs
  double heldAtMs = 0;
  uint32_t framesDrawn = 0;
  std::chrono::steady_clock::time_point programStart, loopStart;
};
extern WebRun Web;

// The seconds of show the live clock has run: frozen while paused.
float LiveElapsed();
// A live show's player on the page's clock (web_player.cpp), from a show's start.
void StartPlayer();
void SetPhase(Phase phase);

// The frame loop's one step, by mode; each ends the show once the run stops.
void LiveStep();
void StillsStep();
void TimedemoStep();
// After the run stopped: the timedemo's table, the scenes' and the start-up's releases.
void EndShow();

// Space on a live show, running or paused; Left and Right are the player's JumpScene.
void PauseOrResume();

}  // namespace lumaro::web
