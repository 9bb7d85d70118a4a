#include "engine/yuv420.h"

#include <algorithm>

namespace lumaro {

namespace {
// Studio range: luma 16..235, chroma 16..240 around 128, in 16-bit fixed point.
constexpr int kShift = 16;
constexpr int kHalf = 1 << (kShift - 1);
constexpr double kLumaScale = 219.0 / 255, kChromaScale = 224.0 / 255;

struct Weights {
  int yr, yg, yb;  // luma from R, G, B
  int ur, ug, ub;  // Cb
  int vr, vg, vb;  // Cr
};

constexpr int Fixed(double w) { return static_cast<int>(w * (1 << kShift) + (w < 0 ? -0.5 : 0.5)); }

// From the matrix's red and blue luma weights (kr, kb).
constexpr Weights WeightsFor(double kr, double kb) {
  const double kg = 1 - kr - kb;
  const double u = kChromaScale / (2 * (1 - kb)), v = kChromaScale / (2 * (1 - kr));
  return {.yr = Fixed(kLumaScale * kr),
          .yg = Fixed(kLumaScale * kg),
          .yb = Fixed(kLumaScale * kb),
          .ur = Fixed(-u * kr),
          .ug = Fixed(-u * kg),
          .ub = Fixed(u * (1 - kb)),
          .vr = Fixed(v * (1 - kr)),
          .vg = Fixed(-v * kg),
          .vb = Fixed(-v * kb)};
}
constexpr Weights kBt601 = WeightsFor(0.299, 0.114), kBt709 = WeightsFor(0.2126, 0.0722);

inline uint8_t Luma(const Weights& w, const uint8_t* p) {
  return static_cast<uint8_t>(((w.yr * p[2] + w.yg * p[1] + w.yb * p[0] + kHalf) >> kShift) + 16);
}

// Plain loops over whole rows, which the compiler turns into vector code; an odd width's
// copied last column is done apart.
void LumaRow(const Weights& w, const uint8_t* bgra, int width, uint8_t* y) {
  for (int x = 0; x < width; ++x) y[x] = Luma(w, bgra + 4 * x);
  if (width & 1) y[width] = y[width - 1];
}

// Chroma of the 2 x 2 blocks of rows `a` and `b` (the same row at an odd bottom edge).
void ChromaRow(const Weights& w, const uint8_t* a, const uint8_t* b, int width, uint8_t* u, uint8_t* v) {
  // The sums are four times the mean: two more bits of shift, and 128 in the middle.
  constexpr int kQuarterHalf = 1 << (kShift + 1);
  auto block = [&](int i, int x0, int x1) {
    auto sum = [&](int channel) {
      return a[4 * x0 + channel] + a[4 * x1 + channel] + b[4 * x0 + channel] + b[4 * x1 + channel];
    };
    const int red = sum(2), green = sum(1), blue = sum(0);
    u[i] = static_cast<uint8_t>(((w.ur * red + w.ug * green + w.ub * blue + kQuarterHalf) >> (kShift + 2)) + 128);
    v[i] = static_cast<uint8_t>(((w.vr * red + w.vg * green + w.vb * blue + kQuarterHalf) >> (kShift + 2)) + 128);
  };
  for (int i = 0; i < width / 2; ++i) block(i, 2 * i, 2 * i + 1);
  if (width & 1) block(width / 2, width - 1, width - 1);
}

}  // namespace

size_t Yuv420Bytes(int width, int height) {
  const size_t w = EvenSide(width), h = EvenSide(height);
  return w * h + 2 * (w / 2) * (h / 2);
}

void ConvertToYuv420(const uint8_t* bgra, int width, int height, ColourMatrix matrix, uint8_t* yuv) {
  const Weights& w = matrix == ColourMatrix::Bt709 ? kBt709 : kBt601;
  const size_t evenWidth = EvenSide(width), evenHeight = EvenSide(height);
  uint8_t* const yPlane = yuv;
  uint8_t* const uPlane = yPlane + evenWidth * evenHeight;
  uint8_t* const vPlane = uPlane + (evenWidth / 2) * (evenHeight / 2);
  const size_t stride = static_cast<size_t>(width) * 4;
  auto sourceRow = [&](int top) { return bgra + stride * (height - 1 - std::min(top, height - 1)); };
  for (size_t y = 0; y < evenHeight; y += 2) {
    const int top = static_cast<int>(y);
    const uint8_t *a = sourceRow(top), *b = sourceRow(top + 1);
    LumaRow(w, a, width, yPlane + evenWidth * y);
    LumaRow(w, b, width, yPlane + evenWidth * (y + 1));
    ChromaRow(w, a, b, width, uPlane + evenWidth / 2 * (y / 2), vPlane + evenWidth / 2 * (y / 2));
  }
}

}  // namespace lumaro
