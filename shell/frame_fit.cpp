#include "shell/frame_fit.h"

#include <cstdint>

namespace lumaro {

FittedRect FitFrame(int frameWidth, int frameHeight, int windowWidth, int windowHeight) {
  if (frameWidth <= 0 || frameHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return {0, 0, 0, 0};
  // Width-limited or height-limited, in whole pixels; products in 64 bits.
  int width = windowWidth, height = static_cast<int>(int64_t{windowWidth} * frameHeight / frameWidth);
  if (height > windowHeight) {
    height = windowHeight;
    width = static_cast<int>(int64_t{windowHeight} * frameWidth / frameHeight);
  }
  return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

}  // namespace lumaro
