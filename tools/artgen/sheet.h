// A contact sheet: every generated picture with its name, as one PNG.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace artgen {

struct SheetEntry {
  std::string name;
  Canvas canvas;
  int bits;
};

bool WriteContactSheet(const std::string& path, const std::vector<SheetEntry>& entries);
// A canvas as an 8-bit PNG, RGB or RGBA.
bool WritePng(const std::string& path, const Canvas& canvas, bool withAlpha);
// The same PNG file's bytes; empty if libpng fails.
std::vector<uint8_t> EncodePng(const Canvas& canvas, bool withAlpha);

}  // namespace artgen
