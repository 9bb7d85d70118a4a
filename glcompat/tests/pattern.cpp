#include <cmath>

#include "scenes.h"

namespace glctest {

std::vector<uint8_t> Pattern(int width, int height, int channels, int seed, int alignment) {
  const size_t stride = (static_cast<size_t>(width) * channels + alignment - 1) / alignment * alignment;
  std::vector<uint8_t> pixels(stride * height, 0);
  uint32_t noise = 2654435761u * static_cast<uint32_t>(seed + 1);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const double u = (x + 0.5) / width, v = (y + 0.5) / height;
      const double wave = 0.5 + 0.5 * std::sin(6.2832 * (3 * u + 2 * v) + seed);
      const int grain = static_cast<int>(noise >> 27);  // 0..31 of fine detail
      const int values[4] = {static_cast<int>(200 * u) + grain, static_cast<int>(220 * v) + grain / 2,
                             static_cast<int>(180 * wave) + grain, static_cast<int>(60 + 195 * (1 - u * v))};
      for (int c = 0; c < channels; ++c) pixels[y * stride + x * channels + c] = static_cast<uint8_t>(values[c] % 256);
    }
  return pixels;
}

}  // namespace glctest
