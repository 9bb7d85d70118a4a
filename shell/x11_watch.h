// Watching the window on X11 for being destroyed from outside (another client calling
// XDestroyWindow). Kept apart: the X headers define names the rest of the shell uses.
#pragma once
#include <SDL.h>

namespace lumaro {

void WatchXWindow(SDL_Window* window);  // does nothing unless the window lives on X11
bool XWindowVanished();
// Takes in the errors still on their way (about a window already gone) while our handler is
// in place, so none reaches Xlib's default handler when SDL restores it at exit.
void DrainXErrors();

}  // namespace lumaro
