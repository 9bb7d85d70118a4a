#include "shell/window_proc.h"

#include <GL/gl.h>

#include <chrono>

#include "base/clock.h"
#include "base/run_state.h"
#include "engine/timedemo.h"
#include "engine/timeline.h"
#include "shell/menu.h"
#include "shell/platform.h"

namespace lumaro {

namespace {
struct MenuSize {
  uint32_t id;
  int32_t width, height;
};
constexpr MenuSize kMenuSizes[] = {
    {40002, 320, 240},  {40003, 640, 480},   {40004, 800, 600},  {40005, 1024, 768},
    {40006, 1280, 960}, {40007, 1600, 1200}, {40008, 1152, 864}, {40009, 512, 384},
};
}  // namespace

int HandleMenuCommand(uint32_t wParam) {
  if ((wParam >> 16) != 0) return 1;
  uint32_t id = wParam & 0xFFFFu;
  if (id == kMenuExit) {
    SDL_Event close{};
    close.type = SDL_QUIT;
    if (SDL_PushEvent(&close) != 1) StopRunning(StopReason::UserQuit);  // no event queue: stop directly
    return 1;
  }
  for (const MenuSize& size : kMenuSizes) {
    if (size.id == id) {
      if (WindowSizeLocked()) return 1;  // recording: the size stays
      ScreenWidth = size.width;
      ScreenHeight = size.height;
      ResizeWindow();
      return 1;
    }
  }
  return 0;
}

void ResizeWindow() { SetWindowClientSize(ScreenWidth, ScreenHeight); }

void PaintFrame() {
  const auto start = std::chrono::steady_clock::now();
  RunFrame(ElapsedSeconds());
  DrawMenuPopup();
  SwapRenderBuffers();
  if (ThisRun.timedemo && DrawnScene >= 0) {
    glFinish();  // a software renderer is not credited with work it has not done yet
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    RecordFrameTime(DrawnScene, DemoClock, took.count());
  }
}

bool DispatchPendingEvent() {
  SDL_Event event;
  if (!PollPlatformEvent(&event)) return false;
  HandleWindowEvent(event);
  return true;
}

void HandleWindowEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: StopRunning(StopReason::UserQuit); break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) StopRunning(StopReason::UserQuit);
      if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) RecordWindowSize();
      break;
    case SDL_KEYDOWN:
      if (event.key.keysym.sym == SDLK_ESCAPE) {
        if (MenuIsOpen())
          CloseMenu();  // Escape closes only the popup while it is open
        else
          StopRunning(StopReason::UserQuit);
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (Fullscreen) break;
      if (event.button.button == SDL_BUTTON_RIGHT) {
        OpenMenu(event.button.x, event.button.y);
      } else if (event.button.button == SDL_BUTTON_LEFT && MenuIsOpen()) {
        uint32_t id = MenuItemAt(event.button.x, event.button.y);
        CloseMenu();
        if (id != 0) HandleMenuCommand(id);
      }
      break;
    case SDL_MOUSEMOTION:
      if (MenuIsOpen()) HighlightMenuItemAt(event.motion.x, event.motion.y);
      break;
    default: break;
  }
}

}  // namespace lumaro
