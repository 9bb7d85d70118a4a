// No X server on Windows: a window closed from outside arrives as SDL's own close event.
#include "shell/x11_watch.h"

namespace lumaro {

void WatchXWindow(SDL_Window*) {}
bool XWindowVanished() { return false; }
bool XWindowUnseen() { return false; }
void DrainXErrors() {}

}  // namespace lumaro
