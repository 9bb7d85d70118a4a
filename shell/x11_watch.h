// Watching the window on X11 for being destroyed from outside (another client calling
// XDestroyWindow). Kept apart: the X headers define names the rest of the shell uses.
#pragma once
#include <SDL.h>

namespace lumaro {

void WatchXWindow(SDL_Window* window);  // does nothing unless the window lives on X11
bool XWindowVanished();
// Whether X has the window off the screen (minimised, hidden). SDL's window events can leave
// a minimised window looking restored when they are taken in late (their state is read
// when they are handled, not when they happened); the server's own word settles it.
bool XWindowUnseen();
// Takes in the errors still on their way (about a window already gone) while our handler is
// in place, so none reaches Xlib's default handler when SDL restores it at exit.
void DrainXErrors();

}  // namespace lumaro
