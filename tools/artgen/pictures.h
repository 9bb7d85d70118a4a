// The show's start-up pictures, each drawn to its role.
#pragma once
#include "canvas.h"

namespace artgen {

Canvas DrawTitleCard(int entry);   // 256 x 64, dark lettering, alpha 0
Canvas DrawSprite(int entry);      // 32 x 32 glows and starbursts
Canvas DrawBackdrop();             // 512 x 512 nebula with stars
Canvas DrawFontSheet();            // 320 x 192 green glyphs, codes 32..90
Canvas DrawPlasmaTitle();          // 512 x 256, alpha the lettering, colour its cyan glow

}  // namespace artgen
