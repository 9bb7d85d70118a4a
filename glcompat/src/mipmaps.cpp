// gluBuild2DMipmaps: level 0 as given, then each level the box-filtered half of the last,
// down to 1 x 1, rounded as GLU rounds bytes.
#include <algorithm>

#include "texture.h"

namespace glcompat {

namespace {
// Each texel the mean of the 2 x 2 block above it, rounded to nearest; where one side is
// already 1 the mean of a pair, rounded down (GLU's 1D halving).
std::vector<uint8_t> Halve(const std::vector<uint8_t>& in, int width, int height, int channels) {
  const int w = std::max(1, width / 2), h = std::max(1, height / 2);
  std::vector<uint8_t> out(static_cast<size_t>(w) * h * channels);
  const bool pairs = width == 1 || height == 1;
  const int dx = width > 1 ? channels : 0, dy = height > 1 ? width * channels : 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < channels; ++c) {
        const uint8_t* p = &in[(static_cast<size_t>(2 * y) * width + 2 * x) * channels + c];
        out[(static_cast<size_t>(y) * w + x) * channels + c] =
            pairs ? static_cast<uint8_t>((p[0] + p[dx + dy]) / 2)
                  : static_cast<uint8_t>((p[0] + p[dx] + p[dy] + p[dx + dy] + 2) / 4);
      }
  return out;
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }
}  // namespace

}  // namespace glcompat

using namespace glcompat;

extern "C" {

// GLU rescales other sizes to a power of two first; the layer refuses them instead.
GLint lglu_Build2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                          GLenum type, const void* data) {
  const char* call = "gluBuild2DMipmaps";
  if (!Immediate(call) || !CheckUpload(call, target, internalFormat, width, height, format, type))
    return GL_INVALID_ENUM;
  if (!PowerOfTwo(width) || !PowerOfTwo(height)) {
    Unsupported(call, "a size not a power of two, width", static_cast<GLenum>(width));
    return GL_INVALID_VALUE;
  }
  const GLenum base = BaseFormat(internalFormat);
  const int channels = Channels(base);
  std::vector<uint8_t> level =
      ConvertPixels(static_cast<const uint8_t*>(data), width, height, format, S().unpackAlignment, base);
  for (int n = 0;; ++n) {
    StoreLevel(n, base, width, height, level.data());
    if (width == 1 && height == 1) break;
    level = Halve(level, width, height, channels);
    width = std::max(1, width / 2), height = std::max(1, height / 2);
  }
  return 0;
}

}  // extern "C"
