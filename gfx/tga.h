// Uncompressed TGA blocks compiled into the program, and the checks before their pixels are used.
#pragma once
#include <cstddef>
#include <cstdint>
#include "base/embedded.h"
#include "base/status.h"

namespace lumaro {

using EmbeddedImage = EmbeddedBlock;  // a TGA file compiled into the program

struct TgaImage {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // 8, 24 or 32
  int imageType = 0;     // 2 true colour, 3 greyscale
  int descriptor = 0;
  const uint8_t* pixels = nullptr;  // offset 18, first row = bottom row
  size_t pixelBytes() const { return static_cast<size_t>(width) * height * (bitsPerPixel / 8); }
};

// Accepts only what the uploads rely on: no ID, no colour map, type 2 with 24/32 bits
// or type 3 with 8, and a block long enough for the declared pixels.
Status ParseTga(const uint8_t* data, size_t size, TgaImage* image);
Status ParseTga(const EmbeddedImage& block, TgaImage* image);

}  // namespace lumaro
