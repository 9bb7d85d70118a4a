#include "gfx/text_font.h"

#include <GL/gl.h>

#include <string>

#include "gfx/draw.h"
#include "gfx/texture.h"

namespace lumaro {

namespace {
int GlyphOf(char code) {
  const int glyph = static_cast<unsigned char>(code) - kTextFirstCode;
  return glyph >= 0 && glyph < kTextGlyphCount ? glyph : 0;
}
}  // namespace

Status LoadTextFont(const EmbeddedImage& sheet, TextFont* font) {
  TgaImage image;
  const Status parsed = ParseTga(sheet, &image);
  if (!parsed.ok()) return parsed;
  if (image.bitsPerPixel != 8 || image.width != kTextSheetWidth || image.height != kTextSheetHeight)
    return Status::Failure(std::string("the text font ") + (sheet.name ? sheet.name : "?") + " is not a " +
                           std::to_string(kTextSheetWidth) + " x " + std::to_string(kTextSheetHeight) +
                           " greyscale sheet");
  // The advances are the picture's bottom row, which a TGA stores first.
  for (int glyph = 0; glyph < kTextGlyphCount; ++glyph) font->advance[glyph] = image.pixels[glyph];
  if (!font->texture) glGenTextures(1, &font->texture);
  glBindTexture(GL_TEXTURE_2D, font->texture);
  // Drawn texel for pixel, so linear filtering samples texel centres and blurs nothing;
  // no mipmaps for the same reason.
  SetTextureParameters(GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, image.width, image.height, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
               image.pixels);
  return Status();
}

void ReleaseTextFont(TextFont* font) {
  if (font->texture) glDeleteTextures(1, &font->texture);
  font->texture = 0;
}

int TextWidth(const TextFont& font, std::string_view text) {
  int width = 0;
  for (char c : text) width += font.advance[GlyphOf(c)];
  return width;
}

void DrawTextLine(const TextFont& font, std::string_view text, int x, int top) {
  glBindTexture(GL_TEXTURE_2D, font.texture);
  constexpr float kSheetW = kTextSheetWidth, kSheetH = kTextSheetHeight;
  for (char c : text) {
    const int glyph = GlyphOf(c);
    const int cellX = kTextCellWidth * (glyph % kTextColumns), cellY = kTextCellHeight * (glyph / kTextColumns);
    // The sheet's rows run bottom-up in the texture: its top row is t = 1.
    const float s0 = cellX / kSheetW, s1 = (cellX + kTextCellWidth) / kSheetW;
    const float t0 = 1 - cellY / kSheetH, t1 = 1 - (cellY + kTextCellHeight) / kSheetH;
    const float x0 = static_cast<float>(x - kTextPenX), x1 = x0 + kTextCellWidth;
    const float y0 = static_cast<float>(top), y1 = y0 + kTextCellHeight;
    DrawTexturedQuad({s0, t0, x0, y0, 0}, {s1, t0, x1, y0, 0}, {s1, t1, x1, y1, 0}, {s0, t1, x0, y1, 0});
    x += font.advance[glyph];
  }
}

}  // namespace lumaro
