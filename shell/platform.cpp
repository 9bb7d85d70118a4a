#include "shell/platform.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/run_state.h"
#include "shell/headless.h"
#include "shell/x11_watch.h"

namespace lumaro {

namespace {
SDL_Window* Window = nullptr;
SDL_GLContext Context = nullptr;
bool VideoReady = false;  // SDL's video layer is up (a display exists)
bool VideoTried = false;
bool UsingHeadless = false;
bool SizeLocked = false;


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
  if (!VideoReady || UsingHeadless) return;
  SDL_ShowSimpleMessageBox(
      std::strcmp(caption, "SHUTDOWN ERROR") == 0 ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_ERROR, caption, text,
      nullptr);
}

DialogAnswer AskBox(const char* text, const char* caption) {
  if (!VideoReady || UsingHeadless) return DialogAnswer::Cancel;
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
  };
  const SDL_MessageBoxData box = {SDL_MESSAGEBOX_ERROR, nullptr, caption, text, 2, buttons, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return DialogAnswer::Cancel;
  return pressed == 1 ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

// Brings up SDL's video layer once; false when no display can be opened.
bool StartVideo() {
  if (VideoTried) return VideoReady;
  VideoTried = true;
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
  VideoReady = true;
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

SDL_Window* OpenWindow(int depthBits) {
  SetWindowAttributes(depthBits);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  flags |= Fullscreen ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE;
  int position = Fullscreen ? 0 : SDL_WINDOWPOS_UNDEFINED;
  return SDL_CreateWindow("Lumaro", position, position, ScreenWidth, ScreenHeight, flags);
}

void ReleaseWindowAndContext() {
  if (Context) SDL_GL_DeleteContext(Context);
  Context = nullptr;
  if (Window) SDL_DestroyWindow(Window);
  Window = nullptr;
}

bool FailCreation(const char* text) {
  if (Fullscreen && VideoReady) LeaveFullscreen();
  ReleaseWindowAndContext();
  ShowMessage(text, "ERROR");
  return false;
}

}  // namespace

void RecordWindowSize() {
  if (!Window || SizeLocked) return;
  int width = 0, height = 0;
  if (!XWindowSize(&width, &height)) SDL_GL_GetDrawableSize(Window, &width, &height);
  if (width > 0 && height > 0) {
    ScreenWidth = width;
    ScreenHeight = height;
  }
}

namespace {
void OnStopSignal(int signal) { StopSignalNumber = signal; }
}  // namespace

bool HeadlessActive() { return UsingHeadless; }

bool CreateRenderWindow() {
  if (!ThisRun.headless && !StartVideo()) {
    // Drawing into nothing for five minutes helps nobody; a capture still has its files.
    if (!FixedClock()) {
      Say(DisplayProblem() + "; to run without one, use -headless with -videosave, -video=FILE or -timedemo");
      return false;
    }
    Say(DisplayProblem() + "; rendering offscreen");
    ThisRun.headless = true;
  }
  if (ThisRun.headless) {
    UsingHeadless = true;
    const Status created = HeadlessCreate(ScreenWidth, ScreenHeight);
    if (!created.ok()) {
      UsingHeadless = false;
      ShowMessage(created.why(), "ERROR");
      return false;
    }
    return true;
  }

  // SDL picks the visual when the window is made; 32 depth bits falls back to 24.
  Window = OpenWindow(32);
  if (!Window) Window = OpenWindow(24);
  if (!Window) return FailCreation("Can't Find A Suitable PixelFormat.");
  if (Fullscreen) {
    EnterFullscreen();
    SDL_ShowCursor(SDL_DISABLE);
  }
  Context = SDL_GL_CreateContext(Window);
  if (!Context) return FailCreation("Can't Create A GL Rendering Context.");
  if (SDL_GL_MakeCurrent(Window, Context) != 0) return FailCreation("Can't Activate The GL Rendering Context.");
  SDL_GL_SetSwapInterval(0);
  SDL_ShowWindow(Window);
  SDL_RaiseWindow(Window);
  WatchXWindow(Window);
  RecordWindowSize();
  return true;
}

void DestroyRenderWindow() {
  if (UsingHeadless) {
    const Status destroyed = HeadlessDestroy();
    if (!destroyed.ok()) ShowMessage(destroyed.why(), "SHUTDOWN ERROR");
    UsingHeadless = false;
    return;
  }
  if (Fullscreen && Window) {
    LeaveFullscreen();
    SDL_ShowCursor(SDL_ENABLE);
  }
  if (Context) {
    if (SDL_GL_MakeCurrent(Window, nullptr) != 0) ShowMessage("Release Of DC And RC Failed.", "SHUTDOWN ERROR");
    SDL_GL_DeleteContext(Context);
    Context = nullptr;
  }
  if (Window) {
    SDL_DestroyWindow(Window);
    Window = nullptr;
  }
  DrainXErrors();
}

int EnterFullscreen() {
  SDL_DisplayMode desktop, wanted, closest;
  int display = SDL_GetWindowDisplayIndex(Window);
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop) != 0) return -1;
  wanted = desktop;  // depth and refresh of the desktop stay
  wanted.w = ScreenWidth;
  wanted.h = ScreenHeight;
  if (!SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest)) return -1;
  if (SDL_SetWindowDisplayMode(Window, &closest) != 0) return -1;
  return SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN);
}

void LeaveFullscreen() {
  if (Window) SDL_SetWindowFullscreen(Window, 0);
}

bool CreateOffscreenContext(int width, int height) {
  const Status created = HeadlessCreate(width, height);
  if (!created.ok()) Say("offscreen context: " + created.why());
  return created.ok();
}

void DestroyOffscreenContext() {
  const Status destroyed = HeadlessDestroy();
  if (!destroyed.ok()) Say("offscreen context: " + destroyed.why());
}

void SwapRenderBuffers() {
  if (Window) SDL_GL_SwapWindow(Window);
  // A pbuffer has one buffer: nothing to present.
}

bool ScreenSaverActive(bool headless) {
  if (headless) return false;
  if (!StartVideo()) return false;
  return SDL_IsScreenSaverEnabled() == SDL_TRUE;
}

void SetScreenSaver(bool active) {
  if (!VideoReady) return;
  if (active)
    SDL_EnableScreenSaver();
  else
    SDL_DisableScreenSaver();
}

bool WindowVanished() { return XWindowVanished(); }

bool PollPlatformEvent(SDL_Event* event) { return VideoReady && SDL_PollEvent(event); }

void SetWindowClientSize(int width, int height) {
  if (Window && !SizeLocked) SDL_SetWindowSize(Window, width, height);
}

void LockWindowSize() {
  SizeLocked = true;
  if (Window) SDL_SetWindowResizable(Window, SDL_FALSE);
}

bool WindowSizeLocked() { return SizeLocked; }

void InstallStopSignals() {
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGHUP, OnStopSignal);  // a closed terminal ends the run as cleanly as Ctrl+C
  std::signal(SIGPIPE, SIG_IGN);
}

int StopSignal() { return StopSignalNumber; }

}  // namespace lumaro
