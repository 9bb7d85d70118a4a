#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "gfx/glyphs.h"
#include "gfx/tga.h"

using namespace lumaro;

namespace {
struct Expected {
  const EmbeddedImage* image;
  int width, height, bits;
};

std::vector<uint8_t> Block(int width, int height, int bits, int type = 2) {
  std::vector<uint8_t> b(18 + static_cast<size_t>(width) * height * (bits / 8), 0);
  b[2] = static_cast<uint8_t>(type);
  b[12] = width & 0xFF;
  b[13] = width >> 8;
  b[14] = height & 0xFF;
  b[15] = height >> 8;
  b[16] = static_cast<uint8_t>(bits);
  return b;
}

Status Parses(const std::vector<uint8_t>& b) {
  TgaImage image;
  return ParseTga(b.data(), b.size(), &image);
}
}  // namespace

TEST(EmbeddedImages, EachMatchesItsCatalogueSizeAndFormat) {
  std::vector<Expected> all = {
      {&kBackdropImage, 512, 512, 24}, {&kFontImage, 320, 192, 24}, {&kPlasmaTitleImage, 512, 256, 32}};
  for (const EmbeddedImage& t : kTitleImages) all.push_back({&t, 256, 64, 32});
  for (const EmbeddedImage& s : kSpriteImages) all.push_back({&s, 32, 32, 24});
  for (const Expected& e : all) {
    TgaImage image;
    const Status parsed = ParseTga(*e.image, &image);
    ASSERT_TRUE(parsed.ok()) << e.image->name << ": " << parsed.why();
    EXPECT_EQ(image.width, e.width) << e.image->name;
    EXPECT_EQ(image.height, e.height) << e.image->name;
    EXPECT_EQ(image.bitsPerPixel, e.bits) << e.image->name;
    EXPECT_EQ(image.imageType, 2) << e.image->name;
    // The TGA 2.0 footer follows the pixels.
    const char* signature = reinterpret_cast<const char*>(e.image->data + 18 + image.pixelBytes() + 8);
    EXPECT_EQ(std::string(signature, 17), "TRUEVISION-XFILE.") << e.image->name;
  }
  EXPECT_EQ(kSpriteImages[4].data, kSpriteImages[0].data);  // one picture, two texture names
}

TEST(EmbeddedImages, CardsAreDarkWithoutAlphaAndSpritesFadeToBlack) {
  for (const EmbeddedImage& t : kTitleImages) {
    TgaImage image;
    ASSERT_TRUE(ParseTga(t, &image).ok());
    int brightest = 0, alpha = 0;
    for (size_t i = 0; i < image.pixelBytes(); i += 4) {
      for (int c = 0; c < 3; ++c) brightest = std::max<int>(brightest, image.pixels[i + c]);
      alpha = std::max<int>(alpha, image.pixels[i + 3]);
    }
    EXPECT_LE(brightest, 86) << t.name;
    EXPECT_GT(brightest, 40) << t.name;  // but there is lettering
    EXPECT_EQ(alpha, 0) << t.name;
  }
  for (const EmbeddedImage& s : kSpriteImages) {
    TgaImage image;
    ASSERT_TRUE(ParseTga(s, &image).ok());
    int edge = 0;
    for (int x = 0; x < 32; ++x)
      for (int c = 0; c < 3; ++c) edge = std::max<int>(edge, image.pixels[x * 3 + c]);
    EXPECT_LE(edge, 2) << s.name;  // no visible square around a spark
    EXPECT_GT(image.pixels[(16 * 32 + 16) * 3 + 1], 60) << s.name;
  }
}

TEST(TgaReader, RefusesWhatWouldReadOutOfBounds) {
  std::vector<uint8_t> good = Block(4, 4, 24);
  EXPECT_TRUE(Parses(good).ok());

  std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
  EXPECT_NE(Parses(truncated).why().find("truncated"), std::string::npos);

  std::vector<uint8_t> colourMap = good;
  colourMap[1] = 1;
  EXPECT_NE(Parses(colourMap).why().find("colour map"), std::string::npos);

  std::vector<uint8_t> withId = good;
  withId[0] = 5;
  EXPECT_FALSE(Parses(withId).ok());
  std::vector<uint8_t> rle = good;
  rle[2] = 10;
  EXPECT_FALSE(Parses(rle).ok());
  std::vector<uint8_t> sixteen = Block(4, 4, 16);
  EXPECT_FALSE(Parses(sixteen).ok());
  EXPECT_FALSE(Parses(std::vector<uint8_t>(10, 0)).ok());
  EXPECT_TRUE(Parses(Block(8, 2, 8, 3)).ok());
  EXPECT_FALSE(Parses(Block(8, 2, 24, 3)).ok());  // greyscale must be 8 bits
}

TEST(GlyphCutting, CellsAreTakenFromTheTopLeftAndComeOutUpright) {
  // A font picture where every cell's pixels encode (glyph, row-in-cell) so we can see where
  // each came from. Stored bottom-up like every TGA.
  const int width = 320, height = 192;
  std::vector<uint8_t> block = Block(width, height, 24);
  uint8_t* pixels = block.data() + 18;
  for (int yTop = 0; yTop < height; ++yTop)
    for (int x = 0; x < width; ++x) {
      int glyph = (yTop / 32) * 10 + x / 32;
      uint8_t* p = pixels + ((height - 1 - yTop) * width + x) * 3;
      p[0] = static_cast<uint8_t>(glyph);      // blue: which cell
      p[1] = static_cast<uint8_t>(yTop % 32);  // green: row in the cell, 0 = top
      p[2] = 0;
    }
  TgaImage font;
  ASSERT_TRUE(ParseTga(block.data(), block.size(), &font).ok());
  std::vector<uint8_t> topDown = TopDownPixels(font);
  uint8_t cell[32 * 32 * 4];

  CutGlyph(topDown, font, 0, cell);  // space: the top-left cell
  EXPECT_EQ(cell[0], 0);
  CutGlyph(topDown, font, 58, cell);  // "Z": ninth cell of the sixth row
  EXPECT_EQ(cell[0], 58);
  // Buffer row 0 is the bottom of the cell (GL's t = 0), so the picture stands upright.
  EXPECT_EQ(cell[1], 31);
  EXPECT_EQ(cell[(31 * 32) * 4 + 1], 0);
  EXPECT_EQ(GlyphIndex('Z'), 58);
  EXPECT_EQ(GlyphIndex(' '), 0);
  EXPECT_EQ(GlyphIndex('a'), 0);
  EXPECT_EQ(GlyphIndex('['), 0);
  EXPECT_EQ(GlyphIndex(static_cast<char>(200)), 0);
  EXPECT_EQ(GlyphIndex('0'), 16);
}

TEST(GlyphCutting, BlackIsTransparentAnyColourOpaque) {
  std::vector<uint8_t> block = Block(320, 192, 24);
  uint8_t* pixels = block.data() + 18;
  // Top-left pixel of the picture is the last stored row's first pixel.
  uint8_t* topLeft = pixels + (191 * 320) * 3;
  topLeft[0] = 0;
  topLeft[1] = 0;
  topLeft[2] = 1;  // (0, 0, 1)
  TgaImage font;
  ASSERT_TRUE(ParseTga(block.data(), block.size(), &font).ok());
  uint8_t cell[32 * 32 * 4];
  CutGlyph(TopDownPixels(font), font, 0, cell);
  EXPECT_EQ(cell[(31 * 32) * 4 + 3], 255);  // top row of the cell, first column
  EXPECT_EQ(cell[(31 * 32 + 1) * 4 + 3], 0);
  EXPECT_EQ(cell[3], 0);

  // With four bytes a pixel the picture's own alpha is used.
  std::vector<uint8_t> block32 = Block(320, 192, 32);
  block32[18 + (191 * 320) * 4 + 3] = 77;
  ASSERT_TRUE(ParseTga(block32.data(), block32.size(), &font).ok());
  CutGlyph(TopDownPixels(font), font, 0, cell);
  EXPECT_EQ(cell[(31 * 32) * 4 + 3], 77);
}
