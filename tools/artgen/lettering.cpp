#include "lettering.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace artgen {

namespace {
FT_Library Library = nullptr;
FT_Face Face = nullptr;

struct Extent {
  int left = 1 << 30, right = -(1 << 30), top = 1 << 30, bottom = -(1 << 30);
};

// Draws (or, with target null, only measures) the text with its pen starting at (penX, baseline).
Extent Lay(const std::string& text, float xScale, int penX, int baseline, Mask* target) {
  FT_Matrix matrix{static_cast<FT_Fixed>(xScale * 0x10000), 0, 0, 0x10000};
  FT_Set_Transform(Face, &matrix, nullptr);
  Extent extent;
  FT_UInt previous = 0;
  for (unsigned char c : text) {
    FT_UInt index = FT_Get_Char_Index(Face, c);
    if (previous && index && FT_HAS_KERNING(Face)) {
      FT_Vector kern;
      FT_Get_Kerning(Face, previous, index, FT_KERNING_DEFAULT, &kern);
      penX += static_cast<int>(kern.x * xScale) >> 6;
    }
    if (FT_Load_Glyph(Face, index, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
    const FT_GlyphSlot g = Face->glyph;
    const int x0 = penX + g->bitmap_left, y0 = baseline - g->bitmap_top;
    if (g->bitmap.width > 0 && g->bitmap.rows > 0) {
      extent.left = std::min(extent.left, x0);
      extent.right = std::max(extent.right, x0 + static_cast<int>(g->bitmap.width));
      extent.top = std::min(extent.top, y0);
      extent.bottom = std::max(extent.bottom, y0 + static_cast<int>(g->bitmap.rows));
    }
    if (target) {
      for (unsigned row = 0; row < g->bitmap.rows; ++row)
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
          int x = x0 + static_cast<int>(col), y = y0 + static_cast<int>(row);
          if (x < 0 || y < 0 || x >= target->width || y >= target->height) continue;
          float v = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0f;
          target->at(x, y) = std::max(target->at(x, y), v);
        }
    }
    penX += static_cast<int>(g->advance.x >> 6);
    previous = index;
  }
  return extent;
}
}  // namespace

bool OpenFont(const std::string& path) {
  if (FT_Init_FreeType(&Library) != 0) return false;
  if (FT_New_Face(Library, path.c_str(), 0, &Face) != 0) {
    std::fprintf(stderr, "artgen: cannot open font %s\n", path.c_str());
    return false;
  }
  return true;
}

void CloseFont() {
  if (Face) FT_Done_Face(Face);
  if (Library) FT_Done_FreeType(Library);
  Face = nullptr;
  Library = nullptr;
}

Mask RenderText(const std::string& text, int width, int height, float share, float xScale) {
  // Measure at a reference size, then scale so the inked box fits the share of the box.
  const int reference = 200;
  FT_Set_Pixel_Sizes(Face, 0, reference);
  Extent e = Lay(text, xScale, 0, reference, nullptr);
  float inkW = static_cast<float>(e.right - e.left), inkH = static_cast<float>(e.bottom - e.top);
  float scale = std::min(width * share / inkW, height * share / inkH);
  int size = std::max(4, static_cast<int>(reference * scale));
  FT_Set_Pixel_Sizes(Face, 0, size);
  e = Lay(text, xScale, 0, size, nullptr);
  Mask mask(width, height);
  int penX = (width - (e.right - e.left)) / 2 - e.left;
  int baseline = size + (height - (e.bottom - e.top)) / 2 - e.top;
  Lay(text, xScale, penX, baseline, &mask);
  return mask;
}

Mask RenderGlyph(char code, int cell, int pixelHeight) {
  FT_Set_Pixel_Sizes(Face, 0, pixelHeight);
  std::string text(1, code);
  Extent e = Lay(text, 1.0f, 0, pixelHeight, nullptr);
  Mask mask(cell, cell);
  if (e.right < e.left) return mask;  // blank (space)
  // Centre horizontally; a common baseline so capitals and digits line up.
  int penX = (cell - (e.right - e.left)) / 2 - e.left;
  int baseline = cell - (cell - static_cast<int>(pixelHeight * 0.73f)) / 2;
  Lay(text, 1.0f, penX, baseline, &mask);
  return mask;
}

}  // namespace artgen
