#include "canvas.h"

#include <cmath>
#include <cstdio>

namespace artgen {

void Canvas::add(int x, int y, Colour c, float amount) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  float* p = at(x, y);
  p[0] += c.r * amount;
  p[1] += c.g * amount;
  p[2] += c.b * amount;
}

float Mask::get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
  return value[static_cast<size_t>(y) * width + x];
}

Mask GaussianBlur(const Mask& in, float sigma) {
  const int radius = static_cast<int>(std::ceil(sigma * 3));
  std::vector<float> kernel(2 * radius + 1);
  float sum = 0;
  for (int i = -radius; i <= radius; ++i) sum += kernel[i + radius] = std::exp(-(i * i) / (2 * sigma * sigma));
  for (float& k : kernel) k /= sum;
  Mask pass(in.width, in.height), out(in.width, in.height);
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      float v = 0;
      for (int i = -radius; i <= radius; ++i) v += kernel[i + radius] * in.get(x + i, y);
      pass.at(x, y) = v;
    }
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      float v = 0;
      for (int i = -radius; i <= radius; ++i) v += kernel[i + radius] * pass.get(x, y + i);
      out.at(x, y) = v;
    }
  return out;
}

namespace {
uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}
float Lattice(int x, int y, uint32_t seed) { return (Hash(x, y, seed) & 0xFFFFFF) / 16777215.0f; }
float Smooth(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
}  // namespace

float ValueNoise(float x, float y, uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  float fx = Smooth(x - xi), fy = Smooth(y - yi);
  float a = Lattice(xi, yi, seed), b = Lattice(xi + 1, yi, seed);
  float c = Lattice(xi, yi + 1, seed), d = Lattice(xi + 1, yi + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float FractalNoise(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, amplitude = 0.5f, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * ValueNoise(x, y, seed + o * 101);
    norm += amplitude;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f + 5.3f;
    amplitude *= 0.5f;
  }
  return sum / norm;
}

float TilingNoise(float x, float y, int periodX, int periodY, int octaves, uint32_t seed) {
  float sum = 0, amplitude = 0.5f, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    const float fx = Smooth(x - xi), fy = Smooth(y - yi);
    auto at = [&](int i, int j) {
      return Lattice(((i % periodX) + periodX) % periodX, ((j % periodY) + periodY) % periodY, seed + o * 101);
    };
    const float a = at(xi, yi), b = at(xi + 1, yi), c = at(xi, yi + 1), d = at(xi + 1, yi + 1);
    sum += amplitude * ((a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy);
    norm += amplitude;
    x *= 2, y *= 2, periodX *= 2, periodY *= 2;  // each octave keeps the same repeat
    amplitude *= 0.5f;
  }
  return sum / norm;
}

float LatticeValue3(int x, int y, int z, uint32_t seed) {
  return Lattice(x, static_cast<int>(Hash(y, z, seed + 7919)), seed);
}

float ValueNoise3(float x, float y, float z, uint32_t seed) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y)),
            zi = static_cast<int>(std::floor(z));
  const float fx = Smooth(x - xi), fy = Smooth(y - yi), fz = Smooth(z - zi);
  float plane[2];
  for (int k = 0; k < 2; ++k) {
    const float a = LatticeValue3(xi, yi, zi + k, seed), b = LatticeValue3(xi + 1, yi, zi + k, seed);
    const float c = LatticeValue3(xi, yi + 1, zi + k, seed), d = LatticeValue3(xi + 1, yi + 1, zi + k, seed);
    const float near = a + (b - a) * fx, far = c + (d - c) * fx;
    plane[k] = near + (far - near) * fy;
  }
  return plane[0] + (plane[1] - plane[0]) * fz;
}

float FractalNoise3(float x, float y, float z, int octaves, uint32_t seed) {
  float sum = 0, amplitude = 0.5f, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amplitude * ValueNoise3(x, y, z, seed + o * 101);
    norm += amplitude;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f + 5.3f;
    z = z * 2.03f + 11.7f;
    amplitude *= 0.5f;
  }
  return sum / norm;
}

uint32_t ToolRandom::next() {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return static_cast<uint32_t>((state * 2685821657736338717ull) >> 32);
}

uint8_t ToByte(float v) {
  if (!(v > 0)) return 0;
  if (v >= 1) return 255;
  return static_cast<uint8_t>(v * 255.0f + 0.5f);
}

bool WriteTga(const std::string& path, const Canvas& canvas, int bits) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  uint8_t header[18] = {0};
  header[2] = bits == 8 ? 3 : 2;
  header[12] = canvas.width & 0xFF;
  header[13] = canvas.width >> 8;
  header[14] = canvas.height & 0xFF;
  header[15] = canvas.height >> 8;
  header[16] = static_cast<uint8_t>(bits);
  header[17] = bits == 32 ? 8 : 0;
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(canvas.width) * canvas.height * (bits / 8));
  for (int y = canvas.height - 1; y >= 0; --y) {  // bottom row first
    for (int x = 0; x < canvas.width; ++x) {
      size_t i = static_cast<size_t>(y) * canvas.width + x;
      const float* p = &canvas.rgb[i * 3];
      if (bits == 8) {
        pixels.push_back(ToByte(p[0]));
        continue;
      }
      pixels.push_back(ToByte(p[2]));
      pixels.push_back(ToByte(p[1]));
      pixels.push_back(ToByte(p[0]));
      if (bits == 32) pixels.push_back(ToByte(canvas.alpha[i]));
    }
  }
  // TGA 2.0 footer: no extension area, no developer directory.
  const uint8_t footer[26] = {0,   0,   0,   0,   0,   0,   0,   0,   'T', 'R', 'U', 'E', 'V',
                              'I', 'S', 'I', 'O', 'N', '-', 'X', 'F', 'I', 'L', 'E', '.', 0};
  bool ok = std::fwrite(header, 1, 18, file) == 18 &&
            std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size() &&
            std::fwrite(footer, 1, 26, file) == 26;
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace artgen
