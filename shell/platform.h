// Our small platform layer over SDL2 (window, events, dialogs) and EGL (offscreen
// rendering), in place of the window system calls the demo was first written against.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "base/report.h"
#include "shell/window_settings.h"

namespace lumaro {

// Whether the run has a display, or renders offscreen: a capture or a timedemo without one
// goes offscreen (said once, and `settings` says so from then on), anything else fails
// with which display would not open.
Status ChooseDisplay(WindowSettings* settings);
// Creates the window (or the offscreen context) with its GL context current, and tells the
// drawing its area. Full screen is the desktop's own (no mode change); a window starts at
// the frame's size, fitted to the screen. A failure releases what was made and carries the
// failing step's text, which the caller shows in the original's "ERROR" box.
Status CreateRenderWindow(const WindowSettings& settings);
// Releases whatever exists, in reverse order; each failure has its own message.
void DestroyRenderWindow();
// Full screen on or off at once (F, Alt+Enter); the cursor hides with it.
void ToggleFullscreen();
bool WindowFullscreen();

bool HeadlessActive();

// A standalone offscreen context (tests, benchmarks): width x height pbuffer, made current.
Status CreateOffscreenContext(int width, int height);
void DestroyOffscreenContext();

// A frame in a window: drawn at the drawing size into the offscreen frame (BeginFrame),
// then shown scaled into the window with bars (ShowFrame; the window's framebuffer stays
// bound, in window pixels, for the menu), then presented (SwapRenderBuffers). Offscreen
// runs draw straight into their pbuffer.
void BeginFrame();
void ShowFrame();
void SwapRenderBuffers();
// The window's size in pixels (the drawing size offscreen).
void WindowPixelSize(int* width, int* height);
// Whether a frame would be seen: false while the window is minimised or hidden.
bool WindowShown();
// The vertical sync: on for the live show, off for the fixed clock and with "-novsync".
void SetVsync(bool on);

// Screen saver state; queried before the window exists, so it may start the video layer.
bool ScreenSaverActive(bool headless);
void SetScreenSaver(bool active);

// True once the window has been destroyed from outside (another X client, say): the run
// then ends with a message instead of dying inside the X library.
bool WindowVanished();

// The next pending window event; false when the queue is empty (or there is no display).
bool PollPlatformEvent(SDL_Event* event);
// Waits up to `milliseconds` for one (paused or minimised, nothing needs drawing).
bool WaitPlatformEvent(SDL_Event* event, int milliseconds);

// The menu's sizes: a new drawing size (replacing the frame "-size" gave), and the window
// sized to show it, fitted to the screen. While a capture records the drawing size stays (a
// capture has one size).
void SetDrawingSize(int width, int height);
void LockDrawingSize();
bool DrawingSizeLocked();
// A window event that changed what the window shows (visibility), from the window procedure.
void NoteWindowEvent(const SDL_WindowEvent& event);

// SIGINT, SIGTERM and SIGHUP only ask the loop to stop; SIGPIPE is ignored, so a vanished
// encoder shows as a failed write.
void InstallStopSignals();
int StopSignal();  // the signal that asked, or 0

}  // namespace lumaro
