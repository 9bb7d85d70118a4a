// Our small platform layer over SDL2 (window, events, dialogs) and EGL (offscreen
// rendering), in place of the window system calls the demo was first written against.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "base/report.h"

namespace lumaro {

// Creates the window (or the offscreen context) with its GL context current, for the
// options parsed already. Shows the failing step's message and returns false.
bool CreateRenderWindow();
// Releases whatever exists, in reverse order; each failure has its own message.
void DestroyRenderWindow();
// Resolution-only mode switch; its result is not examined (a refusal leaves a borderless window).
int EnterFullscreen();
void LeaveFullscreen();

bool HeadlessActive();

// A standalone offscreen context (tests, benchmarks): width x height pbuffer, made current.
bool CreateOffscreenContext(int width, int height);
void DestroyOffscreenContext();

void SwapRenderBuffers();

// Screen saver state; queried before the window exists, so it may start the video layer.
bool ScreenSaverActive(bool headless);
void SetScreenSaver(bool active);

// True once the window has been destroyed from outside (another X client, say): the run
// then ends with a message instead of dying inside the X library.
bool WindowVanished();

// The next pending window event; false when the queue is empty (or there is no display).
bool PollPlatformEvent(SDL_Event* event);

// Window size requests from the menu; the size change event then records the real size.
void SetWindowClientSize(int width, int height);
// While a capture records, the window keeps its size: a video has one size.
void LockWindowSize();
bool WindowSizeLocked();
void RecordWindowSize();  // the drawable size the system really gave

// SIGINT, SIGTERM and SIGHUP only ask the loop to stop; SIGPIPE is ignored, so a vanished
// encoder shows as a failed write.
void InstallStopSignals();
int StopSignal();  // the signal that asked, or 0

}  // namespace lumaro
