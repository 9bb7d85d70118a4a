#include "shell/platform.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/run_state.h"
#include "shell/frame_target.h"
#include "shell/headless.h"
#include "shell/menu.h"
#include "shell/message_box.h"
#include "shell/window_state.h"
#include "shell/x11_watch.h"

namespace lumaro {

namespace {
struct PlatformState {
  SDL_GLContext Context = nullptr;
  bool VideoReady = false;  // SDL's video layer is up (a display exists)
  bool VideoTried = false;
  bool UsingHeadless = false;
};
PlatformState State;
void QuitVideoAtExit() { SDL_Quit(); }

// Which display was tried, and why it would not open.
std::string DisplayProblem() {
  const char* name = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  std::string tried = name && *name         ? std::string("the X display ") + name
                      : wayland && *wayland ? std::string("the Wayland display ") + wayland
                                            : "a display (DISPLAY and WAYLAND_DISPLAY are not set)";
  const std::string why = SDL_GetError();
  return "cannot open " + tried + (why.empty() || why == "no display to open" ? "" : ": " + why);
}

void ShowBox(const char* text, const char* caption) {
  if (!State.VideoReady || State.UsingHeadless) return;
  (void)ShowBoxAside(std::strcmp(caption, "SHUTDOWN ERROR") == 0 ? BoxKind::Information : BoxKind::Error, text,
                     caption);
}

DialogAnswer AskBox(const char* text, const char* caption) {
  if (!State.VideoReady || State.UsingHeadless) return DialogAnswer::Cancel;
  return ShowBoxAside(BoxKind::OkCancel, text, caption);
}

// Brings up SDL's video layer once; false when no display can be opened.
bool StartVideo() {
  if (State.VideoTried) return State.VideoReady;
  State.VideoTried = true;
  // We manage the screen saver and the signals ourselves.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  // With no display SDL settles for its offscreen driver: that is our headless case.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy"))) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetError("no display to open");
    return false;
  }
  State.VideoReady = true;
  InstallMessageBoxes({ShowBox, AskBox});
  std::atexit(QuitVideoAtExit);  // also restores the desktop mode when the process ends early
  return true;
}

void SetWindowAttributes(int depthBits) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// Full screen is the desktop's own: the screen keeps its mode and the picture is scaled into
// it. A window starts at the drawing size, fitted to the screen.
SDL_Window* OpenWindow(const WindowSettings& settings, int depthBits) {
  SetWindowAttributes(depthBits);
  const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (settings.Fullscreen) {
    const SDL_Rect screen = ScreenArea(false);  // covered without a window manager too
    return SDL_CreateWindow("Lumaro", screen.x, screen.y, screen.w, screen.h, flags | SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  int width = WindowFrameWidth(), height = WindowFrameHeight();  // "-size" shows the bars in the window too
  FitToScreen(&width, &height);
  return SDL_CreateWindow("Lumaro", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
}

void ReleaseWindowAndContext() {
  ReleaseFrameTarget();
  if (State.Context) SDL_GL_DeleteContext(State.Context);
  State.Context = nullptr;
  if (TheWindow) SDL_DestroyWindow(TheWindow);
  TheWindow = nullptr;
}

// The original's text where a window opens but not one to draw into with OpenGL (an X
// server without GLX, say), and what still works then.
constexpr const char* kNoOpenGl =
    "Can't Find A Suitable PixelFormat.\n"
    "This display offers no OpenGL for a window; -video=FILE and -videosave still work offscreen (-headless).";

// Whether the display takes a window at all, OpenGL aside.
bool PlainWindowOpens() {
  SDL_Window* plain = SDL_CreateWindow("Lumaro", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
  if (plain) SDL_DestroyWindow(plain);
  return plain != nullptr;
}

Status FailCreation(const char* text) {
  ReleaseWindowAndContext();
  return Status::Failure(text);
}
}  // namespace

bool HeadlessActive() { return State.UsingHeadless; }

Status ChooseDisplay(WindowSettings* settings) {
  if (settings->headless || StartVideo()) return {};
  // Drawing into nothing for five minutes helps nobody; a capture still has its files.
  if (!settings->fixedClock)
    return Status::Failure(DisplayProblem() +
                           "; to run without one, use -headless with -videosave, -video=FILE or -timedemo");
  Say(DisplayProblem() + "; rendering offscreen");
  settings->headless = true;
  return {};
}

Status CreateRenderWindow(const WindowSettings& settings) {
  KeepWindowSettings(settings);
  if (settings.headless) {
    State.UsingHeadless = true;
    const Status created = HeadlessCreate(settings.area.ScreenWidth, settings.area.ScreenHeight);
    if (!created.ok()) State.UsingHeadless = false;
    return created;
  }

  // SDL picks the visual when the window is made; 32 depth bits falls back to 24.
  TheWindow = OpenWindow(settings, 32);
  if (!TheWindow) TheWindow = OpenWindow(settings, 24);
  if (!TheWindow) return FailCreation(PlainWindowOpens() ? kNoOpenGl : "Window Creation Error.");
  GiveWindowItsIcon(TheWindow);
  if (settings.Fullscreen) SDL_ShowCursor(SDL_DISABLE);
  State.Context = SDL_GL_CreateContext(TheWindow);
  if (!State.Context) return FailCreation("Can't Create A GL Rendering Context.");
  if (SDL_GL_MakeCurrent(TheWindow, State.Context) != 0)
    return FailCreation("Can't Activate The GL Rendering Context.");
  SetVsync(settings.vsync);
  // Black until the first frame: start-up and catching up to "-start" take a while, and a
  // new window's buffers hold whatever the server had there.
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(TheWindow);
  SDL_ShowWindow(TheWindow);
  SDL_RaiseWindow(TheWindow);
  WatchXWindow(TheWindow);
  return {};
}

void DestroyRenderWindow() {
  if (State.UsingHeadless) {
    const Status destroyed = HeadlessDestroy();
    if (!destroyed.ok()) ShowMessage(destroyed.why(), "SHUTDOWN ERROR");
    State.UsingHeadless = false;
    return;
  }
  if (WindowFullscreen() && TheWindow) SDL_ShowCursor(SDL_ENABLE);
  ReleaseFrameTarget();
  ReleaseMenuText();
  if (State.Context) {
    if (SDL_GL_MakeCurrent(TheWindow, nullptr) != 0) ShowMessage("Release Of DC And RC Failed.", "SHUTDOWN ERROR");
    SDL_GL_DeleteContext(State.Context);
    State.Context = nullptr;
  }
  if (TheWindow) {
    SDL_DestroyWindow(TheWindow);
    TheWindow = nullptr;
  }
  DrainXErrors();
}

Status CreateOffscreenContext(int width, int height) {
  const Status created = HeadlessCreate(width, height);
  return created.ok() ? created : Status::Failure("offscreen context: " + created.why());
}

void DestroyOffscreenContext() {
  ReleaseMenuText();
  const Status destroyed = HeadlessDestroy();
  if (!destroyed.ok()) Say("offscreen context: " + destroyed.why());
}

bool ScreenSaverActive(bool headless) {
  if (headless) return false;
  if (!StartVideo()) return false;
  return SDL_IsScreenSaverEnabled() == SDL_TRUE;
}

void SetScreenSaver(bool active) {
  if (!State.VideoReady) return;
  if (active)
    SDL_EnableScreenSaver();
  else
    SDL_DisableScreenSaver();
}

bool WindowVanished() { return XWindowVanished(); }

bool PollPlatformEvent(SDL_Event* event) { return State.VideoReady && SDL_PollEvent(event); }

bool WaitPlatformEvent(SDL_Event* event, int milliseconds) {
  if (!State.VideoReady) {
    SDL_Delay(static_cast<Uint32>(milliseconds));
    return false;
  }
  return SDL_WaitEventTimeout(event, milliseconds) == 1;
}

}  // namespace lumaro
