// The window as the platform layer's two halves share it: made in platform.cpp, shown,
// sized and switched in window.cpp. Inside the shell only.
#pragma once
#include <SDL.h>

#include "shell/window_settings.h"

namespace lumaro {

extern SDL_Window* TheWindow;  // null offscreen
// The settings the window is made with, kept for what it does later; the drawing is told its
// area.
void KeepWindowSettings(const WindowSettings& settings);
// The frame the window holds: "-size", or the drawing size (after a size from the menu).
int WindowFrameWidth();
int WindowFrameHeight();
// The screen the window is on (the first before there is one): whole, or the part a window
// may use (without panels).
SDL_Rect ScreenArea(bool usable);
// A size shrunk to fit the screen's usable area, its shape kept.
void FitToScreen(int* width, int* height);
// The desktop entry's icon on the window (a warning when it cannot be set).
void GiveWindowItsIcon(SDL_Window* window);

}  // namespace lumaro
