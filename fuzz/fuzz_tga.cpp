// libFuzzer: the TGA reader and the glyph cutting that follows it, on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx/glyphs.h"
#include "gfx/tga.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumaro::TgaImage image;
  if (!lumaro::ParseTga(data, size, &image).ok()) return 0;
  // Every byte the image declares must be there to read.
  unsigned sum = 0;
  for (size_t i = 0; i < image.pixelBytes(); ++i) sum += image.pixels[i];
  if (image.imageType == 2 && image.width >= 10 * lumaro::kGlyphCell && image.height >= 6 * lumaro::kGlyphCell &&
      image.pixelBytes() < (8u << 20)) {
    const std::vector<uint8_t> topDown = lumaro::TopDownPixels(image);
    uint8_t cell[lumaro::kGlyphCell * lumaro::kGlyphCell * 4];
    for (int glyph = 0; glyph < lumaro::kGlyphCount; glyph += 7) lumaro::CutGlyph(topDown, image, glyph, cell);
    sum += cell[0];
  }
  return sum == 0xFFFFFFFFu;  // keeps the reads
}
