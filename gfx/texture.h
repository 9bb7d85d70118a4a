// Uploads of embedded images as mipmapped textures.
#pragma once
#include <cstdint>

#include "gfx/glyphs.h"
#include "gfx/tga.h"

namespace lumaro {

constexpr int kSpriteCount = 11;  // the glow sprites of the sparks, lights and flames

// Shared textures, named and filled by start-up, bound by the scenes and the overlays.
struct SharedTextures {
  uint32_t TitleTextures[4];
  uint32_t SpriteTextures[kSpriteCount];
  uint32_t BackdropTexture;
  uint32_t GlyphTextures[kGlyphCount];
};
SharedTextures& ShowTextures();

// For the bound texture: environment GL_MODULATE, then the filters and the wraps.
void SetTextureParameters(int minFilter, int magFilter, int wrapS, int wrapT);

// Binds the name, GL_MODULATE, the filters and wraps, then all mip levels from the pixels
// at offset 18. A block that does not parse is refused with a message and the texture stays
// empty: the scene draws on without its picture, and the caller has nothing to decide.
void UploadImage(const EmbeddedImage& image, uint32_t texture, int internalFormat, unsigned pixelFormat, int minFilter,
                 int magFilter, int wrapS, int wrapT);

// The usual case: mipmapped, linear filtering, clamped.
void UploadClamped(const EmbeddedImage& image, uint32_t texture, int internalFormat, unsigned pixelFormat);
// The same, repeating in both directions: pictures that tile.
void UploadRepeating(const EmbeddedImage& image, uint32_t texture, int internalFormat, unsigned pixelFormat);

}  // namespace lumaro
