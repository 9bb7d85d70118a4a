#include "shell/x11_watch.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace lumaro {

namespace {
// Xlib's own handler ends the process from inside the library (whose exit handlers then
// trip its assertions); ours notes the error, and the frame loop asks whether the window is
// still there.
Display* XDisplay = nullptr;
::Window XWindowId = 0;
volatile bool XErrorSeen = false;

int NoteXError(Display*, XErrorEvent*) {
  XErrorSeen = true;
  return 0;
}
}  // namespace

void WatchXWindow(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  XDisplay = info.info.x11.display;
  XWindowId = info.info.x11.window;
  XSetErrorHandler(NoteXError);
}

bool XWindowVanished() {
  if (!XErrorSeen || !XDisplay) return false;
  XErrorSeen = false;
  XWindowAttributes attributes;
  const bool exists = XGetWindowAttributes(XDisplay, XWindowId, &attributes) != 0;
  XSync(XDisplay, False);
  return !exists || XErrorSeen;  // asking about a destroyed window is itself an error
}

bool XWindowUnseen() {
  XWindowAttributes attributes;
  return XDisplay && XGetWindowAttributes(XDisplay, XWindowId, &attributes) != 0 && attributes.map_state != IsViewable;
}

void DrainXErrors() {
  if (XDisplay) XSync(XDisplay, False);
  XDisplay = nullptr;
}

}  // namespace lumaro
