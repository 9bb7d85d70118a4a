#include "web/shell/web_keys.h"

#include <emscripten/html5.h>

#include <cstring>

#include "base/run_state.h"
#include "engine/player.h"
#include "web/shell/web_run.h"

namespace lumaro::web {

namespace {
bool Is(const EmscriptenKeyboardEvent* event, const char* key) { return std::strcmp(event->key, key) == 0; }

void ToggleFullscreen() {
  EmscriptenFullscreenChangeEvent status;
  if (emscripten_get_fullscreen_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.isFullscreen) {
    emscripten_exit_fullscreen();
    return;
  }
  // The whole show, not the canvas: the page keeps the picture's shape inside it with black
  // bars, and its messages, controls and the button at the end stay in sight.
  emscripten_request_fullscreen("#show", true);
}

bool Showing() {
  return Web.phase == Phase::Running || Web.phase == Phase::Paused || Web.phase == Phase::CatchingUp ||
         Web.phase == Phase::StillShown;
}

// True when the key was ours, so that the browser does not scroll or search as well.
EM_BOOL OnKey(int, const EmscriptenKeyboardEvent* event, void*) {
  if (event->ctrlKey || event->altKey || event->metaKey) return false;  // the browser's shortcuts
  if (Is(event, "f") || Is(event, "F")) {
    if (!event->repeat) ToggleFullscreen();
    return true;
  }
  if (!Showing()) return false;
  if (Is(event, "Escape")) return StopShow(StopReason::UserQuit);
  if (Is(event, " ") && Web.mode == Mode::Stills && Web.phase == Phase::StillShown) {
    PauseOrNext();
    return true;
  }
  if (Web.mode != Mode::Live) return false;
  if (Is(event, " ")) {
    if (!event->repeat) PauseOrNext();
    return true;
  }
  if (Is(event, "ArrowLeft") || Is(event, "ArrowRight")) {
    JumpScene(Is(event, "ArrowRight") ? 1 : -1);
    return true;
  }
  return false;
}
}  // namespace

bool StopShow(StopReason reason) {
  if (!Showing()) return false;
  StopRunning(reason);                                              // the frame loop ends the show at its next turn
  if (Web.phase == Phase::StillShown) SetPhase(Phase::CatchingUp);  // no longer waiting for the page
  return true;
}

void PauseOrNext() {
  if (Web.mode == Mode::Stills && Web.phase == Phase::StillShown) {
    SetPhase(Phase::CatchingUp);  // on to the next still
  } else if (Web.mode == Mode::Live) {
    PauseOrResume();
  }
}

void InstallKeys() {
  static bool installed = false;  // a second listener would see every key twice
  if (!installed) emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, OnKey);
  installed = true;
}

}  // namespace lumaro::web
