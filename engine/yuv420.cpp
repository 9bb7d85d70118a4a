#include "engine/yuv420.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define LUMARO_YUV_SSE2 1
#endif

namespace lumaro {

namespace {
// Studio range: luma 16..235, chroma 16..240 around 128, in 15-bit fixed point: every weight
// fits a signed 16-bit lane, as the vector code multiplies them.
constexpr int kShift = 15;
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

// The same sums as the scalar code below, eight pixels (and four 2 x 2 blocks) at a time: the
// weights multiply 16-bit channels in pairs (B with G, R with the unused A), and the pair sums
// of four pixels are added across lanes.
#if LUMARO_YUV_SSE2
inline __m128i Weights16(int r, int g, int b) {
  return _mm_setr_epi16(static_cast<short>(b), static_cast<short>(g), static_cast<short>(r), 0,
                        static_cast<short>(b), static_cast<short>(g), static_cast<short>(r), 0);
}

// Four weighted sums, one 32-bit lane each, of the two pixels in each of `lo` and `hi`.
inline __m128i WeightedSums(__m128i lo, __m128i hi, __m128i weights) {
  const __m128 a = _mm_castsi128_ps(_mm_madd_epi16(lo, weights));
  const __m128 b = _mm_castsi128_ps(_mm_madd_epi16(hi, weights));
  return _mm_add_epi32(_mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0))),
                       _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))));
}

inline __m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

// Luma of pixels [0, done) of the row; returns `done`, a multiple of 8.
int LumaVector(const Weights& w, const uint8_t* bgra, int width, uint8_t* y) {
  const __m128i zero = _mm_setzero_si128(), weights = Weights16(w.yr, w.yg, w.yb);
  const __m128i half = _mm_set1_epi32(kHalf), black = _mm_set1_epi16(16);
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    const __m128i p0 = Load(bgra + 4 * x), p1 = Load(bgra + 4 * x + 16);
    const __m128i s0 = WeightedSums(_mm_unpacklo_epi8(p0, zero), _mm_unpackhi_epi8(p0, zero), weights);
    const __m128i s1 = WeightedSums(_mm_unpacklo_epi8(p1, zero), _mm_unpackhi_epi8(p1, zero), weights);
    const __m128i luma = _mm_add_epi16(_mm_packs_epi32(_mm_srai_epi32(_mm_add_epi32(s0, half), kShift),
                                                       _mm_srai_epi32(_mm_add_epi32(s1, half), kShift)),
                                       black);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(y + x), _mm_packus_epi16(luma, luma));
  }
  return x;
}

// Chroma of the blocks [0, done) of rows `a` and `b`; returns `done`, a multiple of 4.
int ChromaVector(const Weights& w, const uint8_t* a, const uint8_t* b, int width, uint8_t* u, uint8_t* v) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i uWeights = Weights16(w.ur, w.ug, w.ub), vWeights = Weights16(w.vr, w.vg, w.vb);
  const __m128i half = _mm_set1_epi32(1 << (kShift + 1)), middle = _mm_set1_epi16(128);
  int i = 0;
  for (; 2 * i + 8 <= width; i += 4) {
    const __m128i a0 = Load(a + 8 * i), a1 = Load(a + 8 * i + 16), b0 = Load(b + 8 * i), b1 = Load(b + 8 * i + 16);
    // Columns of the two rows, then each block's two columns: [block 0 | block 1] and [2 | 3].
    const __m128i c0 = _mm_add_epi16(_mm_unpacklo_epi8(a0, zero), _mm_unpacklo_epi8(b0, zero));
    const __m128i c1 = _mm_add_epi16(_mm_unpackhi_epi8(a0, zero), _mm_unpackhi_epi8(b0, zero));
    const __m128i c2 = _mm_add_epi16(_mm_unpacklo_epi8(a1, zero), _mm_unpacklo_epi8(b1, zero));
    const __m128i c3 = _mm_add_epi16(_mm_unpackhi_epi8(a1, zero), _mm_unpackhi_epi8(b1, zero));
    const __m128i k01 = _mm_add_epi16(_mm_unpacklo_epi64(c0, c1), _mm_unpackhi_epi64(c0, c1));
    const __m128i k23 = _mm_add_epi16(_mm_unpacklo_epi64(c2, c3), _mm_unpackhi_epi64(c2, c3));
    const __m128i cb = _mm_srai_epi32(_mm_add_epi32(WeightedSums(k01, k23, uWeights), half), kShift + 2);
    const __m128i cr = _mm_srai_epi32(_mm_add_epi32(WeightedSums(k01, k23, vWeights), half), kShift + 2);
    const __m128i both = _mm_add_epi16(_mm_packs_epi32(cb, cr), middle);
    const __m128i bytes = _mm_packus_epi16(both, both);  // four Cb, then four Cr
    const uint32_t cbBytes = static_cast<uint32_t>(_mm_cvtsi128_si32(bytes));
    const uint32_t crBytes = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 4)));
    std::memcpy(u + i, &cbBytes, 4);
    std::memcpy(v + i, &crBytes, 4);
  }
  return i;
}
#else
int LumaVector(const Weights&, const uint8_t*, int, uint8_t*) { return 0; }
int ChromaVector(const Weights&, const uint8_t*, const uint8_t*, int, uint8_t*, uint8_t*) { return 0; }
#endif

// What the vector code leaves (the last pixels, or all of them without it); an odd width's
// copied last column is done apart.
void LumaRow(const Weights& w, const uint8_t* bgra, int width, uint8_t* y) {
  for (int x = LumaVector(w, bgra, width, y); x < width; ++x) y[x] = Luma(w, bgra + 4 * x);
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
  for (int i = ChromaVector(w, a, b, width, u, v); i < width / 2; ++i) block(i, 2 * i, 2 * i + 1);
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
