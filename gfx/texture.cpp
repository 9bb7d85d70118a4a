#include "gfx/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/report.h"
#include "gfx/glyphs.h"

namespace lumaro {

namespace {
SharedTextures State;
}  // namespace

SharedTextures& ShowTextures() { return State; }

void SetTextureParameters(int minFilter, int magFilter, int wrapS, int wrapT) {
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
}

namespace {

bool ParseOrComplain(const EmbeddedImage& block, TgaImage* image) {
  const Status parsed = ParseTga(block, image);
  if (!parsed.ok()) Say(std::string("embedded image ") + (block.name ? block.name : "?") + " refused: " + parsed.why());
  return parsed.ok();
}

// The pixel format must not ask for more bytes per pixel than the image stores.
int BytesPerPixelOf(unsigned pixelFormat) {
  switch (pixelFormat) {
    case GL_BGRA_EXT:
    case GL_RGBA: return 4;
    case GL_BGR_EXT:
    case GL_RGB: return 3;
    default: return 1;
  }
}
}  // namespace

void UploadImage(const EmbeddedImage& block, uint32_t texture, int internalFormat, unsigned pixelFormat, int minFilter,
                 int magFilter, int wrapS, int wrapT) {
  TgaImage image;
  if (!ParseOrComplain(block, &image)) return;
  if (BytesPerPixelOf(pixelFormat) > image.bitsPerPixel / 8) {
    Say(std::string("embedded image ") + (block.name ? block.name : "?") +
        " refused: " + std::to_string(image.bitsPerPixel) + " bits per pixel for a wider pixel format");
    return;
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  SetTextureParameters(minFilter, magFilter, wrapS, wrapT);
  gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, image.width, image.height, pixelFormat, GL_UNSIGNED_BYTE,
                    image.pixels);
}

void UploadClamped(const EmbeddedImage& image, uint32_t texture, int internalFormat, unsigned pixelFormat) {
  UploadImage(image, texture, internalFormat, pixelFormat, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP);
}

void UploadRepeating(const EmbeddedImage& image, uint32_t texture, int internalFormat, unsigned pixelFormat) {
  UploadImage(image, texture, internalFormat, pixelFormat, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT);
}

std::vector<uint8_t> TopDownPixels(const TgaImage& font) {
  const size_t rowBytes = static_cast<size_t>(font.width) * (font.bitsPerPixel / 8);
  std::vector<uint8_t> pixels(font.pixels, font.pixels + font.pixelBytes());
  for (int r = 0; r < font.height / 2; ++r)
    std::swap_ranges(pixels.begin() + r * rowBytes, pixels.begin() + (r + 1) * rowBytes,
                     pixels.begin() + (font.height - 1 - r) * rowBytes);
  return pixels;
}

void CutGlyph(const std::vector<uint8_t>& topDown, const TgaImage& font, int glyph, uint8_t* cell) {
  const int p = font.bitsPerPixel / 8;
  const int cellX = kGlyphCell * (glyph % 10), cellY = kGlyphCell * (glyph / 10);
  for (int j = 0; j < kGlyphCell; ++j) {
    for (int k = 0; k < kGlyphCell; ++k) {
      const uint8_t* in = &topDown[(static_cast<size_t>(cellY + j) * font.width + cellX + k) * p];
      uint8_t* out = &cell[((kGlyphCell - 1 - j) * kGlyphCell + k) * 4];
      uint8_t b = in[0], g = p >= 3 ? in[1] : in[0], r = p >= 3 ? in[2] : in[0];
      out[0] = b;
      out[1] = g;
      out[2] = r;
      out[3] = p == 4 ? in[3] : ((b | g | r) ? 255 : 0);
    }
  }
}

void BuildGlyphTextures(const EmbeddedImage& fontImage, int fontSet) {
  TgaImage font;
  if (!ParseOrComplain(fontImage, &font)) return;
  if (font.width < 10 * kGlyphCell || font.height < 6 * kGlyphCell) {
    Say(std::string("font image ") + fontImage.name + " refused: smaller than 10 x 6 cells");
    return;
  }
  const std::vector<uint8_t> topDown = TopDownPixels(font);
  uint8_t cell[kGlyphCell * kGlyphCell * 4];
  for (int i = 0; i < kGlyphCount; ++i) {
    CutGlyph(topDown, font, i, cell);
    glBindTexture(GL_TEXTURE_2D, State.GlyphTextures[fontSet * kGlyphCount + i]);
    SetTextureParameters(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, kGlyphCell, kGlyphCell, GL_BGRA_EXT, GL_UNSIGNED_BYTE, cell);
  }
}

}  // namespace lumaro
