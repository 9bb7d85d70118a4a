#include "shell/window_proc.h"

#include <GL/gl.h>

#include <cctype>
#include <chrono>

#include "base/clock.h"
#include "base/run_state.h"
#include "engine/navigation.h"
#include "engine/player.h"
#include "engine/show.h"
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
      SetDrawingSize(size.width, size.height);  // not while recording: a capture has one size
      return 1;
    }
  }
  return 0;
}

void PresentFrame() {
  ShowFrame();
  int width = 0, height = 0;
  WindowPixelSize(&width, &height);
  DrawMenuPopup(width, height);
  SwapRenderBuffers();
}

void PaintFrame() {
  const auto start = std::chrono::steady_clock::now();
  BeginFrame();
  if (StartOverInTheBlank()) return PresentFrame();
  CatchUpUnseen();
  RunFrame(ElapsedSeconds());
  KeepMusicCuesReady(Clock().DemoClock);
  PresentFrame();
  if (Show().timedemo && DrawnScene() >= 0) {
    glFinish();  // a software renderer is not credited with work it has not done yet
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    RecordFrameTime(DrawnScene(), Clock().DemoClock, took.count());
  }
}

bool DispatchPendingEvent() {
  SDL_Event event;
  if (!PollPlatformEvent(&event)) return false;
  HandleWindowEvent(event);
  return true;
}

namespace {
// While the menu is open the keys are its own: Escape closes it, Up, Down and Return walk
// and pick, an access letter picks its item, Alt and a heading's letter opens that heading.
void HandleMenuKey(const SDL_Keysym& key) {
  uint32_t id = 0;
  switch (key.sym) {
    case SDLK_ESCAPE: CloseMenu(); return;
    case SDLK_UP:
    case SDLK_DOWN: MoveMenuHighlight(key.sym == SDLK_UP ? -1 : +1); return;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: id = PickHighlightedMenuItem(); break;
    default:
      if (key.sym <= 0 || key.sym >= 128 || !std::isalnum(key.sym)) return;
      if (key.mod & KMOD_ALT) {
        int width = 0, height = 0;
        WindowPixelSize(&width, &height);
        OpenMenuAtHeading(static_cast<char>(key.sym), width, height);
        return;
      }
      id = PickMenuItemByLetter(static_cast<char>(key.sym));
  }
  if (id != 0) HandleMenuCommand(id);
}

// Alt and a heading's access letter in a window: the menu at that heading. False for any
// other key, which then does what it does without Alt.
bool OpenMenuByKey(const SDL_Keysym& key) {
  if (WindowFullscreen() || !(key.mod & KMOD_ALT) || key.sym <= 0 || key.sym >= 128 || !std::isalpha(key.sym)) return false;
  int width = 0, height = 0;
  WindowPixelSize(&width, &height);
  return OpenMenuAtHeading(static_cast<char>(key.sym), width, height);
}

// The player's keys; a held key acts once.
void HandleKey(const SDL_KeyboardEvent& key) {
  if (key.repeat) return;
  if (MenuIsOpen()) {
    HandleMenuKey(key.keysym);
    return;
  }
  if (OpenMenuByKey(key.keysym)) return;
  switch (key.keysym.sym) {
    case SDLK_ESCAPE: StopRunning(StopReason::UserQuit); break;
    case SDLK_SPACE: TogglePause(); break;
    case SDLK_LEFT:
    case SDLK_RIGHT: JumpScene(key.keysym.sym == SDLK_LEFT ? -1 : +1); break;
    case SDLK_f: ToggleFullscreen(); break;
    case SDLK_RETURN:
      if (key.keysym.mod & KMOD_ALT) ToggleFullscreen();
      break;
    default: break;
  }
}

void HandleMouseButton(const SDL_MouseButtonEvent& button) {
  if (WindowFullscreen()) return;
  if (button.button == SDL_BUTTON_RIGHT) {
    int width = 0, height = 0;
    SDL_GetWindowSize(SDL_GetWindowFromID(button.windowID), &width, &height);
    OpenMenu(button.x, button.y, width, height);
  } else if (button.button == SDL_BUTTON_LEFT && MenuIsOpen()) {
    uint32_t id = MenuItemAt(button.x, button.y);
    CloseMenu();
    if (id != 0) HandleMenuCommand(id);
  }
}
}  // namespace

void HandleWindowEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: StopRunning(StopReason::UserQuit); break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) StopRunning(StopReason::UserQuit);
      NoteWindowEvent(event.window);
      break;
    case SDL_KEYDOWN: HandleKey(event.key); break;
    case SDL_MOUSEBUTTONDOWN: HandleMouseButton(event.button); break;
    case SDL_MOUSEMOTION:
      if (MenuIsOpen()) HighlightMenuItemAt(event.motion.x, event.motion.y);
      break;
    default: break;
  }
}

}  // namespace lumaro
