// The Windows icon file: one picture at the sizes Explorer and the task bar ask for.
#pragma once
#include <string>

#include "canvas.h"

namespace artgen {

// Writes `icon` (square, RGBA) as an .ico of PNG entries at 16, 32, 48 and 256 px.
bool WriteIco(const std::string& path, const Canvas& icon);
// `icon` at the sizes of the desktop's icon theme: DIR/16x16/apps/lumaro.png to
// DIR/256x256/apps/lumaro.png, the layout of share/icons/hicolor.
bool WriteIconTheme(const std::string& dir, const Canvas& icon);
// `in` averaged down to size x size, colour weighted by alpha so the edge does not darken.
Canvas Shrink(const Canvas& in, int size);

}  // namespace artgen
