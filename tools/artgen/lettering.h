// Anti-aliased lettering through FreeType, as coverage masks.
#pragma once
#include <string>

#include "canvas.h"

namespace artgen {

bool OpenFont(const std::string& path);
void CloseFont();
// The menu's text font (tools/artgen/text_font.cpp), a face of its own beside the lettering's.
bool OpenTextFont(const std::string& path);
void CloseTextFont();

// The text centred in a width x height mask, as large as fits in the given share of the
// box; xScale < 1 narrows the letters (for pictures shown stretched on screen).
Mask RenderText(const std::string& text, int width, int height, float share, float xScale = 1.0f);

// One character centred in a cell, its capital height about pixelHeight.
Mask RenderGlyph(char code, int cell, int pixelHeight);

}  // namespace artgen
