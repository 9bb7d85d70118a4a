// The text font the window's menu writes with: DejaVu Sans at a menu's size, lower case and
// all, each glyph rendered by FreeType into its cell of one greyscale sheet, its advance
// written on the sheet's bottom row so the program can set the letters proportionally.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

#include "gfx/text_sheet.h"
#include "lettering.h"
#include "pictures.h"

namespace artgen {

namespace {
FT_Library Library = nullptr;
FT_Face Face = nullptr;

// One glyph with its pen at (penX, baseline) of the sheet, clipped to its cell; its advance.
int DrawGlyph(Canvas& sheet, char code, int cellX, int cellY) {
  using namespace lumaro;
  const FT_UInt index = FT_Get_Char_Index(Face, static_cast<unsigned char>(code));
  // Light hinting: the stems sit on whole pixels at this small size, the shapes stay true.
  if (FT_Load_Glyph(Face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return 0;
  const FT_GlyphSlot g = Face->glyph;
  const int x0 = cellX + kTextPenX + g->bitmap_left, y0 = cellY + kTextBaseline - g->bitmap_top;
  for (unsigned row = 0; row < g->bitmap.rows; ++row)
    for (unsigned col = 0; col < g->bitmap.width; ++col) {
      const int x = x0 + static_cast<int>(col), y = y0 + static_cast<int>(row);
      if (x < cellX || y < cellY || x >= cellX + kTextCellWidth || y >= cellY + kTextCellHeight) continue;
      const float v = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0f;
      sheet.at(x, y)[0] = sheet.at(x, y)[1] = sheet.at(x, y)[2] = v;
    }
  return static_cast<int>((g->advance.x + 32) >> 6);
}
}  // namespace

bool OpenTextFont(const std::string& path) {
  if (FT_Init_FreeType(&Library) != 0 || FT_New_Face(Library, path.c_str(), 0, &Face) != 0) {
    std::fprintf(stderr, "artgen: cannot open font %s\n", path.c_str());
    return false;
  }
  return true;
}

void CloseTextFont() {
  if (Face) FT_Done_Face(Face);
  if (Library) FT_Done_FreeType(Library);
  Face = nullptr;
  Library = nullptr;
}

Canvas DrawTextSheet() {
  using namespace lumaro;
  Canvas sheet(kTextSheetWidth, kTextSheetHeight);
  FT_Set_Pixel_Sizes(Face, 0, kTextPixelSize);
  for (int glyph = 0; glyph < kTextGlyphCount; ++glyph) {
    const int cellX = kTextCellWidth * (glyph % kTextColumns), cellY = kTextCellHeight * (glyph / kTextColumns);
    const int advance = DrawGlyph(sheet, static_cast<char>(kTextFirstCode + glyph), cellX, cellY);
    sheet.at(glyph, kTextSheetHeight - 1)[0] = advance / 255.0f;  // exact as a byte
  }
  return sheet;
}

}  // namespace artgen
