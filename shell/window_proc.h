// The window procedure: what each platform event does to the run.
#pragma once
#include <SDL.h>

#include <cstdint>

namespace lumaro {

constexpr uint32_t kMenuExit = 40001;

void HandleWindowEvent(const SDL_Event& event);
// One pending event through the window procedure; false when the queue is empty.
bool DispatchPendingEvent();

// Returns 1 when the command was taken, else 0. A non-zero high word is a notification: ignored.
int HandleMenuCommand(uint32_t wParam);

// One frame, as a paint request runs it: the timeline's step for the elapsed time drawn at
// the drawing size, then presented.
void PaintFrame();
// The frame drawn last shown in the window as it now is, the menu over it (after the
// capture, so never in saved frames), and the buffers swapped: also while paused.
void PresentFrame();

}  // namespace lumaro
