// The page's entry points: start a show on the click, and what the page and its test read.
// Plays the desktop's main() and platform layer: options, GL context, start-up, the frame
// loop (requestAnimationFrame instead of a loop of its own), teardown.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <string>

#include "base/report.h"
#include "base/run_state.h"
#include "engine/player.h"
#include "engine/startup.h"
#include "engine/timedemo.h"
#include "engine/timeline.h"
#include "glcompat/glcompat.h"
#include "web/shell/page.h"
#include "web/shell/web_keys.h"
#include "web/shell/web_options.h"
#include "web/shell/web_run.h"

namespace lumaro::web {

WebRun Web;

void SetPhase(Phase phase) {
  Web.phase = phase;
  lumaro_page_phase(static_cast<int>(phase));
}

namespace {
EMSCRIPTEN_WEBGL_CONTEXT_HANDLE Context = 0;

void ShowBox(const char* text, const char* caption) { lumaro_page_message(caption, text); }
// No dialog to answer on a page: the run goes on as Cancel says (silently, for the music).
DialogAnswer AskBox(const char* text, const char* caption) {
  lumaro_page_message(caption, text);
  return DialogAnswer::Cancel;
}

// WebGL 1 with what the desktop window asks for: 8-bit colour without alpha, a depth
// buffer, no stencil, no multisampling. Stills keep the drawing buffer for the page to read.
bool MakeContext(bool keepDrawing) {
  if (Context) return emscripten_webgl_make_context_current(Context) == EMSCRIPTEN_RESULT_SUCCESS;
  EmscriptenWebGLContextAttributes wanted;
  emscripten_webgl_init_context_attributes(&wanted);
  wanted.alpha = false;
  wanted.depth = true;
  wanted.stencil = false;
  wanted.antialias = false;
  wanted.premultipliedAlpha = false;
  wanted.preserveDrawingBuffer = keepDrawing;
  wanted.majorVersion = 1;
  wanted.minorVersion = 0;
  wanted.enableExtensionsByDefault = true;  // glcompat's clamp fade wants OES_standard_derivatives
  Context = emscripten_webgl_create_context("#canvas", &wanted);
  if (Context <= 0) {
    Context = 0;
    return false;
  }
  return emscripten_webgl_make_context_current(Context) == EMSCRIPTEN_RESULT_SUCCESS;
}

void Iterate() {
  switch (Web.mode) {
    case Mode::Live: LiveStep(); break;
    case Mode::Stills: StillsStep(); break;
    case Mode::Timedemo: TimedemoStep(); break;
  }
}

// The frame loop, as the mode wants it: live frames on the display's beat, the timedemo
// as fast as the page lets it, stills in steps that keep the page answering.
void StartLoop() {
  emscripten_cancel_main_loop();
  emscripten_set_main_loop(Iterate, 0, false);
  if (Web.mode == Mode::Timedemo) emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
}
}  // namespace

}  // namespace lumaro::web

using namespace lumaro;
using namespace lumaro::web;

extern "C" {

// Starts a show for the page's query string; 0 when it runs, 2 for a wrong option, 1 when
// the show cannot start (no WebGL). Called from the start button's click, so that the
// audio device opens inside the user's gesture.
EMSCRIPTEN_KEEPALIVE int lumaro_start(const char* query) {
  if (Web.phase != Phase::Idle && Web.phase != Phase::Ended) return 1;  // one show at a time
  Web.programStart = std::chrono::steady_clock::now();
  ShowSettings show;
  DrawingArea area;
  const Status parsed = ApplyQuery(query ? query : "", &show, &area);
  if (!parsed.ok()) {
    lumaro_page_message("lumaro", parsed.why().c_str());
    return 2;
  }
  if (!MakeContext(Web.mode == Mode::Stills)) {
    lumaro_page_message("ERROR", "WebGL is not available in this browser; the show needs it.");
    return 1;
  }
  InstallMessageBoxes({ShowBox, AskBox});
  lgl_SetMessageHandler([](const char* line) { Say(line); });  // the layer's lines like every other
  InstallKeys();
  SetDrawingArea(area);
  emscripten_set_canvas_element_size("#canvas", area.ScreenWidth, area.ScreenHeight);
  lumaro_page_canvas(area.ScreenWidth, area.ScreenHeight);
  ResetTimedemo();
  RenderStartup(show);
  // "start": the quick way, as the desktop's live show; stills catch up exactly, in steps.
  if (Web.mode != Mode::Stills) CatchUpTo(show.start, CatchUp::Quick);
  if (ExitCode() == 0) StartRunning();
  StartPlayer();
  Web.framesDrawn = 0;
  Web.loopStart = std::chrono::steady_clock::now();
  SetPhase(Web.mode == Mode::Stills ? Phase::CatchingUp : Phase::Running);
  StartLoop();
  return 0;
}

// Stills: on to the next one once the page has read the canvas.
EMSCRIPTEN_KEEPALIVE void lumaro_next() {
  if (Web.phase == Phase::StillShown) SetPhase(Phase::CatchingUp);
}

// The page's touch controls: Space, Left or Right, Escape.
EMSCRIPTEN_KEEPALIVE void lumaro_pause() { PauseOrNext(); }
EMSCRIPTEN_KEEPALIVE void lumaro_jump(int direction) {
  if (Web.mode == Mode::Live && (Web.phase == Phase::Running || Web.phase == Phase::Paused)) JumpScene(direction);
}
// Escape, or with `lost` the browser took the WebGL context away: the show cannot go on.
EMSCRIPTEN_KEEPALIVE void lumaro_stop(int lost) { StopShow(lost ? StopReason::Failure : StopReason::UserQuit); }

EMSCRIPTEN_KEEPALIVE float lumaro_clock() { return Clock().DemoClock; }
EMSCRIPTEN_KEEPALIVE int lumaro_scene() { return DrawnScene(); }
EMSCRIPTEN_KEEPALIVE uint32_t lumaro_frames() { return Web.framesDrawn; }
EMSCRIPTEN_KEEPALIVE uint32_t lumaro_frame_number() { return Clock().FrameNumber; }
EMSCRIPTEN_KEEPALIVE int lumaro_phase() { return static_cast<int>(Web.phase); }

}  // extern "C"
