// Two headless EGL contexts on Mesa's surfaceless platform, side by side: desktop OpenGL
// (compatibility profile) for the native pictures and OpenGL ES 2 for the layer's.
#pragma once
#include <cstdint>
#include <vector>

namespace glctest {

enum class Side { Native, Layer };

// Both contexts with a pbuffer of this size each: 8/8/8 colour, 24-bit depth. Returns an
// empty string, or what failed.
const char* OpenContexts(int width, int height);
void CloseContexts();
void MakeCurrent(Side side);

// The current context's colour buffer as RGBA rows from the bottom, read by the driver
// itself (not through the layer).
std::vector<uint8_t> ReadRgba(int width, int height);

}  // namespace glctest
