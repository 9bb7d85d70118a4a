// Flashes a viewer with photosensitive epilepsy should not see, measured on the frames as
// they are drawn, one at a time; no GL. The thresholds are WCAG 2.x's (success criterion
// 2.3.1 and its Understanding document): see engine/flash_check.cpp for how they are read.
#pragma once
#include <cstdint>
#include <vector>

namespace lumaro {

enum class FlashKind { None, General, Red };
const char* FlashKindName(FlashKind kind);  // "none", "general", "red"

struct FlashCheckSettings {
  int frameWidth = 0, frameHeight = 0;  // every frame has this size
  int cellPixels = 0;                   // side of the square a cell averages; 0: frameWidth / 32, at least 1
};

// One frame: 8-bit pixels, rows in any order (only areas count), at demo second `time`.
struct FlashFrame {
  const uint8_t* pixels = nullptr;
  int pixelBytes = 3;  // 3 or 4 (the fourth byte is ignored)
  bool bgr = false;    // blue first, as GL reads frames for files
  float time = 0;
};

// What the one second up to a frame holds, over every place of a 10-degree field.
struct FlashMeasure {
  float time = 0;
  int generalFlashes = 0, redFlashes = 0;  // most flashes of each kind in one field's second
  double generalShare = 0, redShare = 0;   // most of one field that changed together in this frame
  FlashKind kind = FlashKind::None;        // the kind that fails here (general first)
  bool Fails() const { return kind != FlashKind::None; }
};

// A run of failing frames: from the start of the first one's second to the last one.
struct FlashStretch {
  float from = 0, to = 0;
  FlashKind kind = FlashKind::General;
  int mostFlashes = 0;   // a second
  double mostShare = 0;  // of a 10-degree field
};

// The flashing area allowed in a 10-degree field, a quarter of it: 21824 pixels at 1024 x
// 768, where 341 x 256 stands for the field; other frames scale it with their sides.
double FlashAreaLimit(int frameWidth, int frameHeight);
// Relative luminance of an sRGB colour, 0 to 1.
double RelativeLuminance(uint8_t red, uint8_t green, uint8_t blue);

// Forgets every frame before; the frames to come have the settings' size.
void StartFlashCheck(const FlashCheckSettings& settings);
FlashMeasure CheckFlashFrame(const FlashFrame& frame);
// The failing stretches so far, in order; the last may still be growing.
const std::vector<FlashStretch>& FlashStretches();

}  // namespace lumaro
