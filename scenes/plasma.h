// Midpoint-displacement plasma on a 256 x 256 byte grid that tiles seamlessly.
#pragma once
#include <cstdint>

namespace lumaro {

constexpr int kPlasmaSize = 256;

// disp(d) = rand * d / 32767 - d / 2, in integer arithmetic.
int PlasmaDisplacement(int span);

// Fills the square (x0, y0)-(x1, y1) whose corners are already set. Coordinates wrap at
// 256; a pixel already set (non-zero) is kept and draws no random value.
void GeneratePlasma(uint8_t* buffer, int x0, int y0, int x1, int y1);

// Zeroes the buffer, seeds the four corners of the 128-pixel squares and fills the grid.
void FillPlasma(uint8_t* buffer);

}  // namespace lumaro
