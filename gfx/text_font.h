// Proportional text with lower case, from the text font's sheet (gfx/text_sheet.h): what
// the window's menu writes with. The show's own lettering stays the glyph font.
#pragma once
#include <cstdint>
#include <string_view>

#include "base/status.h"
#include "gfx/text_sheet.h"
#include "gfx/tga.h"

namespace lumaro {

struct TextFont {
  uint32_t texture = 0;
  uint8_t advance[kTextGlyphCount] = {};  // pixels
};

// The sheet's texture on the current context and the advances off its bottom row; the
// reason when the picture is not a sheet.
Status LoadTextFont(const EmbeddedImage& sheet, TextFont* font);
void ReleaseTextFont(TextFont* font);

// Pixels from the first letter's pen to the pen after the last. Codes outside the font
// take a space's room.
int TextWidth(const TextFont& font, std::string_view text);
// The text with its cells' top at `top` and the first pen at x, in pixels with y down (an
// orthographic box over the viewport); texturing and blending as the caller set them.
void DrawTextLine(const TextFont& font, std::string_view text, int x, int top);

}  // namespace lumaro
