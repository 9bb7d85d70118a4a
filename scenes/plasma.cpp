#include "scenes/plasma.h"

#include <cstring>

#include "base/random.h"

namespace lumaro {

namespace {
uint8_t& Pixel(uint8_t* buffer, int x, int y) { return buffer[(y & 255) * kPlasmaSize + (x & 255)]; }

void SetIfEmpty(uint8_t* buffer, int x, int y, int average, int span) {
  uint8_t& pixel = Pixel(buffer, x, y);
  if (pixel != 0) return;
  int value = average + PlasmaDisplacement(span);
  if (value > 255) value = 255;
  if (value < 1) value = 1;  // 0 is kept for "not yet set"
  pixel = static_cast<uint8_t>(value);
}
}  // namespace

int PlasmaDisplacement(int span) { return (rand() * span) / 32767 - span / 2; }

void GeneratePlasma(uint8_t* b, int x0, int y0, int x1, int y1) {
  for (;;) {
    int ax = x1 - x0, ay = y1 - y0;
    if ((ax < 0 ? -ax : ax) < 2 && (ay < 0 ? -ay : ay) < 2) return;
    const int mx = (x0 + x1) >> 1, my = (y0 + y1) >> 1;
    const int dx = x1 - x0, dy = y1 - y0;
    SetIfEmpty(b, mx, y0, (Pixel(b, x0, y0) + Pixel(b, x1, y0)) >> 1, dx);
    SetIfEmpty(b, mx, y1, (Pixel(b, x0, y1) + Pixel(b, x1, y1)) >> 1, dx);
    SetIfEmpty(b, x0, my, (Pixel(b, x0, y1) + Pixel(b, x0, y0)) >> 1, dy);
    SetIfEmpty(b, x1, my, (Pixel(b, x1, y1) + Pixel(b, x1, y0)) >> 1, dy);
    SetIfEmpty(b, mx, my, (Pixel(b, x1, my) + Pixel(b, x0, my) + Pixel(b, mx, y1) + Pixel(b, mx, y0)) >> 2, dy);
    GeneratePlasma(b, x0, y0, mx, my);
    GeneratePlasma(b, mx, my, x1, y1);
    GeneratePlasma(b, x0, my, mx, y1);
    x0 = mx;  // the fourth quadrant (mx, y0)-(x1, my) without another call
    y1 = my;
  }
}

void FillPlasma(uint8_t* buffer) {
  std::memset(buffer, 0, kPlasmaSize * kPlasmaSize);
  const int seeds[] = {0, 128, 32768, 32896};
  for (int at : seeds) buffer[at] = static_cast<uint8_t>(rand() % 128 + 64);
  GeneratePlasma(buffer, 0, 0, 128, 128);
  GeneratePlasma(buffer, 128, 0, 256, 128);
  GeneratePlasma(buffer, 0, 128, 128, 256);
  GeneratePlasma(buffer, 128, 128, 256, 256);
}

}  // namespace lumaro
