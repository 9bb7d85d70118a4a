// The window's icon: the picture the desktop entry shows, embedded, so that the task bar and
// the window switcher show the same one.
#include <string>
#include <vector>

#include "assets/assets.h"
#include "base/report.h"
#include "gfx/glyphs.h"
#include "shell/window_state.h"

namespace lumaro {

void GiveWindowItsIcon(SDL_Window* window) {
  TgaImage icon;
  const Status parsed = ParseTga(Picture_icon, &icon);
  if (!parsed.ok() || icon.bitsPerPixel != 32) {
    Warn("the window's icon: " + (parsed.ok() ? std::string("not a picture with alpha") : parsed.why()));
    return;
  }
  // TGA keeps its rows bottom-up, a window icon top-down.
  std::vector<uint8_t> pixels = TopDownPixels(icon);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), icon.width, icon.height, 32, icon.width * 4,
                                                            SDL_PIXELFORMAT_BGRA32);
  if (!surface) {
    Warn(std::string("the window's icon: ") + SDL_GetError());
    return;
  }
  SDL_SetWindowIcon(window, surface);  // copied: the pixels may go
  SDL_FreeSurface(surface);
}

}  // namespace lumaro
