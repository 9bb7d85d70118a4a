// Catching up to "-start" and between stills without showing the frames.
#include <GL/gl.h>

#include <chrono>

#include "engine/composer.h"
#include "engine/show.h"
#include "engine/timeline.h"

namespace lumaro {

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
  const float following = Clock().DemoClock + FrameStep();
  return !(following < start) || following >= kBlankFrom || FindSceneSlot(following) != slot;
}

void CatchUpFrame(float start, CatchUp how) {
  StepClockByAFrame();
  const bool showFps = Show().ShowFps;
  if (showFps) CountFrameRate();
  const float clock = Clock().DemoClock;
  const SceneSlot* slot = EnterScene(clock);
  if (!slot) return;
  if (how == CatchUp::Exact || LastBefore(slot, start)) {
    ComposeFrame(*slot, CurrentSpan(), showFps, ShownFrameRate());
  } else {
    AdvanceScene(slot->scene, {LocalTime(*slot, clock), slot->duration, CurrentSpan()});
  }
}
}  // namespace

bool CatchUpPartly(float start, double budgetSeconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(budgetSeconds);
  while (Clock().DemoClock + FrameStep() < start) {
    if (std::chrono::steady_clock::now() >= until) return false;
    CatchUpFrame(start, CatchUp::Quick);
  }
  return true;
}

void CatchUpTo(float start, CatchUp how) {
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  if (how == CatchUp::Exact) {
    glScissor(0, 0, 1, 1);
    glEnable(GL_SCISSOR_TEST);
  }
  while (Clock().DemoClock + FrameStep() < start) CatchUpFrame(start, how);
  if (how == CatchUp::Exact) {
    glDisable(GL_SCISSOR_TEST);
    glScissor(box[0], box[1], box[2], box[3]);
  }
}

}  // namespace lumaro
