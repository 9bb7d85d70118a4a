// Everything drawn around a scene: projection reset, backdrop, corner logo, fade, glyph text.
// Each 2D drawing uses the overlay box x 0..OverlayWidth(), y 0..1 and leaves depth test and lighting
// on and blending off.
#pragma once
#include "gfx/draw.h"

namespace lumaro {

constexpr float kGlyphSize = 0.0533333346f;  // 4/75 of the screen height

void ResetProjection();
void DrawBackdrop(int index);  // -1: nothing
void DrawLogoOverlay();
void DrawFade(float factor);  // scales the frame's colour by factor
void DrawGlyphString(int fontSet, const char* text, float x, float y, float brightness);
// A caption picture (8 : 1) across the full width and the middle sixth of the screen, added
// to the frame at a brightness. Leaves depth test on, lighting off, blending off.
void DrawCaptionBand(unsigned texture, float brightness);

}  // namespace lumaro
