// How the text font's picture is laid out, shared by the art generator that draws it and the
// program that cuts it: proportional glyphs with lower case, for the window's menu.
#pragma once

namespace lumaro {

// Codes 32 (space) to 126 ("~"), 16 to a row of cells, each drawn with its pen at the cell's
// x kTextPenX and its baseline on row kTextBaseline (rows counted from the cell's top).
constexpr int kTextFirstCode = 32;
constexpr int kTextGlyphCount = 95;
constexpr int kTextColumns = 16;
constexpr int kTextCellWidth = 16;   // pixels
constexpr int kTextCellHeight = 20;  // pixels
constexpr int kTextPenX = 1;
constexpr int kTextBaseline = 14;
constexpr int kTextUnderline = kTextBaseline + 2;  // the row an access letter's line is drawn on
constexpr int kTextPixelSize = 13;                 // the font's em, pixels
// A greyscale picture: coverage in the cells, and on its bottom row each glyph's advance in
// pixels as the grey value of the pixel at the glyph's number.
constexpr int kTextSheetWidth = 256;
constexpr int kTextSheetHeight = 128;

}  // namespace lumaro
