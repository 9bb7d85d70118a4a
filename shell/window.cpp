// The window on the desktop: each frame drawn at the drawing size and shown scaled into
// whatever size and shape the window has, full screen on and off, the menu's sizes, and
// whether the window can be seen at all.
#include <GL/gl.h>

#include "shell/frame_target.h"
#include "shell/platform.h"
#include "shell/window_state.h"
#include "shell/x11_watch.h"

namespace lumaro {

SDL_Window* TheWindow = nullptr;

namespace {
struct WindowState {
  WindowSettings settings;  // Fullscreen and the frame change with the keys and the menu
  bool drawingLocked = false;
  bool minimised = false, hidden = false;
};
WindowState State;

const DrawingArea& Area() { return CurrentDrawingArea(); }
}  // namespace

void KeepWindowSettings(const WindowSettings& settings) {
  State = {};
  State.settings = settings;
  SetDrawingArea(settings.area);
}

int WindowFrameWidth() { return State.settings.frameWidth ? State.settings.frameWidth : Area().ScreenWidth; }
int WindowFrameHeight() { return State.settings.frameHeight ? State.settings.frameHeight : Area().ScreenHeight; }
bool WindowFullscreen() { return State.settings.Fullscreen; }

SDL_Rect ScreenArea(bool usable) {
  SDL_Rect area{0, 0, Area().ScreenWidth, Area().ScreenHeight};
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
  if (TheWindow) BindFrameTarget(Area().ScreenWidth, Area().ScreenHeight);
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
  *width = Area().ScreenWidth;
  *height = Area().ScreenHeight;
  if (TheWindow) SDL_GL_GetDrawableSize(TheWindow, width, height);
}

bool WindowShown() { return !TheWindow || (!State.minimised && !State.hidden && !XWindowUnseen()); }

void SetVsync(bool on) {
  // Adaptive sync where the driver has it; plain sync otherwise.
  if (on && SDL_GL_SetSwapInterval(-1) == 0) return;
  SDL_GL_SetSwapInterval(on ? 1 : 0);
}

// The window covers the screen itself as well as asking for full screen: without a window
// manager nobody else would make it do so. Back in a window, it has the frame's size again.
void ToggleFullscreen() {
  if (!TheWindow) return;
  bool& fullscreen = State.settings.Fullscreen;
  fullscreen = !fullscreen;
  if (fullscreen) {
    const SDL_Rect screen = ScreenArea(false);
    SDL_SetWindowPosition(TheWindow, screen.x, screen.y);
    SDL_SetWindowSize(TheWindow, screen.w, screen.h);
    SDL_SetWindowFullscreen(TheWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(TheWindow, 0);
    int width = WindowFrameWidth(), height = WindowFrameHeight();
    FitToScreen(&width, &height);
    SDL_SetWindowSize(TheWindow, width, height);
    SDL_SetWindowPosition(TheWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
}

void SetDrawingSize(int width, int height) {
  if (State.drawingLocked) return;  // recording: the size stays
  // A size picked in the window replaces the frame "-size" gave.
  State.settings.frameWidth = State.settings.frameHeight = 0;
  SetDrawingArea({.ScreenWidth = width, .ScreenHeight = height, .widescreen = false});
  if (!TheWindow || State.settings.Fullscreen) return;
  FitToScreen(&width, &height);
  SDL_SetWindowSize(TheWindow, width, height);
}

void LockDrawingSize() { State.drawingLocked = true; }
bool DrawingSizeLocked() { return State.drawingLocked; }

void NoteWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED: State.minimised = true; break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED: State.minimised = false; break;
    case SDL_WINDOWEVENT_HIDDEN: State.hidden = true; break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED: State.hidden = false; break;
    default: break;
  }
}

}  // namespace lumaro
