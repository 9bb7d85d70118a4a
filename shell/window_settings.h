// What the window (or the offscreen context) is made with, apart from the platform layer so
// that the window's own files can keep it.
#pragma once
#include "gfx/draw.h"

namespace lumaro {

// What the window (or the offscreen context) is made as.
struct WindowSettings {
  DrawingArea area{};  // the drawing size, and whether it fills the frame
  int frameWidth = 0, frameHeight = 0;  // "-size": what the window holds (0: the drawing size)
  bool Fullscreen = true;
  bool headless = false;    // an offscreen context, no display
  bool fixedClock = false;  // a capture or a timedemo: offscreen when there is no display
  bool vsync = true;
};

}  // namespace lumaro
