#include "gfx/tga.h"

namespace lumaro {

namespace {
int Read16(const uint8_t* at) { return at[0] | (at[1] << 8); }
}  // namespace

Status ParseTga(const uint8_t* data, size_t size, TgaImage* image) {
  auto fail = [](const char* why) { return Status::Failure(why); };
  if (!data || size < 18) return fail("shorter than a TGA header");
  if (data[0] != 0) return fail("has an image ID (expected none)");
  if (data[1] != 0) return fail("has a colour map (expected none)");
  TgaImage parsed;
  parsed.imageType = data[2];
  parsed.width = Read16(data + 12);
  parsed.height = Read16(data + 14);
  parsed.bitsPerPixel = data[16];
  parsed.descriptor = data[17];
  bool trueColour = parsed.imageType == 2 && (parsed.bitsPerPixel == 24 || parsed.bitsPerPixel == 32);
  bool greyscale = parsed.imageType == 3 && parsed.bitsPerPixel == 8;
  if (!trueColour && !greyscale) return fail("has an image type or depth other than 24/32-bit colour or 8-bit grey");
  if (parsed.width == 0 || parsed.height == 0) return fail("has no pixels");
  if ((parsed.descriptor & 0x30) != 0) return fail("is not stored bottom-up from the left");
  if (size - 18 < parsed.pixelBytes()) return fail("is truncated: fewer bytes than its declared pixels");
  parsed.pixels = data + 18;
  *image = parsed;
  return {};
}

Status ParseTga(const EmbeddedImage& block, TgaImage* image) { return ParseTga(block.data, block.size, image); }

}  // namespace lumaro
