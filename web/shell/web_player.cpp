// The page's side of the player (engine/player.h): the live clock is the browser's
// (emscripten_get_now), and a jump while paused draws the frame where the show now stands,
// since a paused page draws nothing of itself.
#include <emscripten/emscripten.h>

#include "engine/player.h"
#include "engine/timeline.h"
#include "web/shell/web_run.h"

namespace lumaro::web {

namespace {
void HoldLiveClock(bool hold) {
  if (hold == Web.clockHeld) return;
  const double now = emscripten_get_now();
  if (hold)
    Web.heldAtMs = now;
  else if (Web.originSet)
    Web.originMs += now - Web.heldAtMs;  // the held time never counts
  Web.clockHeld = hold;
}

void RestartLiveClock() { Web.originSet = false; }

void ShowPausedFrame() {
  RunFrame(LiveElapsed());
  ++Web.framesDrawn;
}
}  // namespace

float LiveElapsed() {
  const double now = Web.clockHeld ? Web.heldAtMs : emscripten_get_now();
  if (!Web.originSet) {
    Web.originSet = true;
    Web.originMs = now;
  }
  return static_cast<float>((now - Web.originMs) / 1000.0);
}

void StartPlayer() {
  Web.clockHeld = false;
  Web.originSet = false;  // elapsed zero at the first frame
  InstallPlayer({HoldLiveClock, RestartLiveClock, LiveElapsed, nullptr, ShowPausedFrame});
}

void PauseOrResume() {
  if (Web.phase != Phase::Running && Web.phase != Phase::Paused) return;
  TogglePause();
  SetPhase(Paused() ? Phase::Paused : Phase::Running);
}

}  // namespace lumaro::web
