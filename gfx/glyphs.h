// The glyph font: 59 textures cut from one picture, codes 32 (space) to 90 ("Z").
#pragma once
#include <cstdint>
#include <vector>

#include "gfx/tga.h"

namespace lumaro {

constexpr int kGlyphCount = 59;
constexpr int kGlyphCell = 32;

// Code 32..90 to its glyph; every other code (lower case included) is the blank glyph 0.
inline int GlyphIndex(int code) {
  signed char c = static_cast<signed char>(code);
  return (c >= 32 && c <= 90) ? c - 32 : 0;
}

// The picture's pixels turned upside down, so that row 0 is the top row.
std::vector<uint8_t> TopDownPixels(const TgaImage& font);
// One 32 x 32 BGRA cell, upright for GL (buffer row 0 = bottom of the cell). Without an
// alpha channel black is transparent and any other colour opaque.
void CutGlyph(const std::vector<uint8_t>& topDown, const TgaImage& font, int glyph, uint8_t* cell);

void BuildGlyphTextures(const EmbeddedImage& fontImage, int fontSet);

}  // namespace lumaro
