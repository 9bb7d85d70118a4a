// The window on the desktop: each frame drawn at the drawing size and shown scaled into
// whatever size and shape the window has, full screen on and off, the menu's sizes, and
// whether the window can be seen at all.
#include <GL/gl.h>

#include "base/run_state.h"
#include "shell/frame_target.h"
#include "shell/platform.h"
#include "shell/window_state.h"
#include "shell/x11_watch.h"

namespace lumaro {

SDL_Window* TheWindow = nullptr;

namespace {
bool DrawingLocked = false;
bool Minimised = false, Hidden = false;
}  // namespace

SDL_Rect ScreenArea(bool usable) {
  SDL_Rect area{0, 0, ScreenWidth, ScreenHeight};
  const int display = TheWindow ? SDL_GetWindowDisplayIndex(TheWindow) : 0;
  (usable ? SDL_GetDisplayUsableBounds : SDL_GetDisplayBounds)(display < 0 ? 0 : display, &area);
  return area;
}

void FitToScreen(int* width, int* height) {
  const SDL_Rect usable = ScreenArea(true);
  if (*width <= usable.w && *height <= usable.h) return;
  const FittedRect fitted = FitFrame(*width, *height, usable.w, usable.h);
  *width = fitted.width;
  *height = fitted.height;
}

void BeginFrame() {
  if (TheWindow) BindFrameTarget(ScreenWidth, ScreenHeight);
}

void ShowFrame() {
  if (!TheWindow) return;
  int width = 0, height = 0;
  WindowPixelSize(&width, &height);
  PresentFrameTarget(width, height);
}

void SwapRenderBuffers() {
  if (TheWindow) SDL_GL_SwapWindow(TheWindow);
  // A pbuffer has one buffer: nothing to present.
}

void WindowPixelSize(int* width, int* height) {
  *width = ScreenWidth;
  *height = ScreenHeight;
  if (TheWindow) SDL_GL_GetDrawableSize(TheWindow, width, height);
}

bool WindowShown() { return !TheWindow || (!Minimised && !Hidden && !XWindowUnseen()); }

void SetVsync(bool on) {
  // Adaptive sync where the driver has it; plain sync otherwise.
  if (on && SDL_GL_SetSwapInterval(-1) == 0) return;
  SDL_GL_SetSwapInterval(on ? 1 : 0);
}

// The window covers the screen itself as well as asking for full screen: without a window
// manager nobody else would make it do so. Back in a window, it has the frame's size again.
void ToggleFullscreen() {
  if (!TheWindow) return;
  Fullscreen = !Fullscreen;
  if (Fullscreen) {
    const SDL_Rect screen = ScreenArea(false);
    SDL_SetWindowPosition(TheWindow, screen.x, screen.y);
    SDL_SetWindowSize(TheWindow, screen.w, screen.h);
    SDL_SetWindowFullscreen(TheWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(TheWindow, 0);
    int width = FrameWidth(), height = FrameHeight();
    FitToScreen(&width, &height);
    SDL_SetWindowSize(TheWindow, width, height);
    SDL_SetWindowPosition(TheWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  SDL_ShowCursor(Fullscreen ? SDL_DISABLE : SDL_ENABLE);
}

void SetDrawingSize(int width, int height) {
  if (DrawingLocked) return;  // recording: the size stays
  // A size picked in the window replaces the frame "-size" gave.
  ThisRun.frameWidth = ThisRun.frameHeight = 0;
  ThisRun.widescreen = false;
  ScreenWidth = width;
  ScreenHeight = height;
  if (!TheWindow || Fullscreen) return;
  FitToScreen(&width, &height);
  SDL_SetWindowSize(TheWindow, width, height);
}

void LockDrawingSize() { DrawingLocked = true; }
bool DrawingSizeLocked() { return DrawingLocked; }

void NoteWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED: Minimised = true; break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: Minimised = false; break;
    case SDL_WINDOWEVENT_HIDDEN: Hidden = true; break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED: Hidden = false; break;
    default: break;
  }
}

}  // namespace lumaro
