// The frame loop's steps: the live show on the wall clock, stills and the timedemo on the
// fixed clock, and the end of a show.
#include <GL/gl.h>
#include <emscripten/emscripten.h>
#include <emscripten/heap.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/report.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "engine/player.h"
#include "engine/show.h"
#include "engine/startup.h"
#include "engine/timedemo.h"
#include "engine/timeline.h"
#include "glcompat/glcompat.h"
#include "web/shell/page.h"
#include "web/shell/web_run.h"

namespace lumaro::web {

namespace {
// Work a stills step does before the page gets its turn again.
constexpr double kStepBudgetMs = 40;
constexpr float kCatchUpChunk = 0.4f;  // demo seconds

// The page's memory only grows: its size now is its peak.
void ShowTimedemoTable() {
  char* renderer = lumaro_page_renderer();
  const Status reported = lumaro::ReportTimedemo({Web.programStart, Web.loopStart, renderer ? renderer : "",
                                                  emscripten_get_heap_size() / (1024.0 * 1024.0), lumaro_page_table});
  std::free(renderer);
  if (!reported.ok()) Say(reported);
}
}  // namespace

void LiveStep() {
  if (!Running()) return EndShow();
  if (Web.phase == Phase::Paused) return;  // the canvas keeps the last picture
  RunFrame(LiveElapsed());
  ++Web.framesDrawn;
}

// The engine's stills, as the desktop's RunFrame takes them: every frame before a still is
// walked exactly (a chunk at a time here, which walks the same frames), the still is drawn
// on the fixed clock, and the page reads it before the walk goes on.
void StillsStep() {
  if (Web.phase == Phase::StillShown) return;  // until the page has read it (or Escape)
  if (!Running()) return EndShow();
  const double begun = emscripten_get_now();
  const float still = Web.stills[Web.nextStill];
  while (Clock().DemoClock + FrameStep() < still) {
    CatchUpTo(std::min(still, Clock().DemoClock + kCatchUpChunk), CatchUp::Exact);
    if (emscripten_get_now() - begun > kStepBudgetMs) return;
  }
  RunFrame(0);
  ++Web.framesDrawn;
  const int index = static_cast<int>(Web.nextStill);
  while (Web.nextStill < Web.stills.size() && !(Web.stills[Web.nextStill] > Clock().DemoClock)) ++Web.nextStill;
  if (Web.nextStill == Web.stills.size()) StopRunning(StopReason::ShowOver);
  SetPhase(Phase::StillShown);
  lumaro_page_still(index, Clock().DemoClock, Clock().FrameNumber);
}

// As the desktop's: a frame's time runs from the start of drawing until the renderer has
// done it. WebGL's finish does not wait for the browser's GPU process; reading a pixel does.
void TimedemoStep() {
  if (!Running()) return EndShow();
  const auto start = std::chrono::steady_clock::now();
  RunFrame(0);
  ++Web.framesDrawn;
  if (DrawnScene() >= 0) {
    glFinish();
    GLubyte pixel[4];
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    RecordFrameTime(DrawnScene(), Clock().DemoClock, took.count());
  }
}

void EndShow() {
  emscripten_cancel_main_loop();
  if (Web.mode == Mode::Timedemo && ExitCode() == 0) ShowTimedemoTable();  // also after Escape, as on the desktop
  ReleasePendingScenes();
  RenderShutdown();
  lgl_Shutdown();  // the context starts the next show as a fresh one
  SetPhase(Phase::Ended);
}

}  // namespace lumaro::web
