// Float RGBA canvases, noise and falloff curves for the generated artwork.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct Colour {
  float r, g, b;
};

// Top-down canvas, channels 0..1 (alpha separate).
struct Canvas {
  int width = 0, height = 0;
  std::vector<float> rgb;    // 3 per pixel
  std::vector<float> alpha;  // 1 per pixel
  Canvas() = default;
  Canvas(int w, int h)
      : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0.0f), alpha(static_cast<size_t>(w) * h, 0.0f) {}
  float* at(int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
  void add(int x, int y, Colour c, float amount);
};

// A single-channel mask (coverage), top-down.
struct Mask {
  int width = 0, height = 0;
  std::vector<float> value;
  Mask() = default;
  Mask(int w, int h) : width(w), height(h), value(static_cast<size_t>(w) * h, 0.0f) {}
  float& at(int x, int y) { return value[static_cast<size_t>(y) * width + x]; }
  float get(int x, int y) const;  // zero outside
};

Mask GaussianBlur(const Mask& in, float sigma);

// Deterministic value noise in [0, 1] and its fractal sum.
float ValueNoise(float x, float y, uint32_t seed);
float FractalNoise(float x, float y, int octaves, uint32_t seed);
// Noise that repeats every `periodX` units in x and `periodY` in y (integers), for pictures
// that tile.
float TilingNoise(float x, float y, int periodX, int periodY, int octaves, uint32_t seed);
inline float TilingNoise(float x, float y, int period, int octaves, uint32_t seed) {
  return TilingNoise(x, y, period, period, octaves, seed);
}
// The same in three dimensions, for pictures that must join seamlessly on a sphere.
float ValueNoise3(float x, float y, float z, uint32_t seed);
float FractalNoise3(float x, float y, float z, int octaves, uint32_t seed);
// A hash of a lattice point to [0, 1).
float LatticeValue3(int x, int y, int z, uint32_t seed);

// Small deterministic generator for the tools (independent of the demo's).
struct ToolRandom {
  uint64_t state;
  explicit ToolRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint32_t next();
  float unit() { return (next() >> 8) * (1.0f / 16777216.0f); }
};

// Writes an uncompressed TGA (bottom-up rows, BGR(A)) with the TGA 2.0 footer.
// bits 24 or 32 for colour; 8 writes a greyscale image (type 3) from the red channel.
bool WriteTga(const std::string& path, const Canvas& canvas, int bits);
uint8_t ToByte(float v);

}  // namespace artgen
