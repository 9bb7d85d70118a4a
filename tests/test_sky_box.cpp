// The sky box's pictures, read back from the embedded blocks: where two faces meet along a
// cube edge, both must show the same colour, or the viewer tumbling through the box sees
// a seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "assets/assets.h"
#include "scenes/sky_box.h"

using namespace lumaro;

namespace {
struct Colour {
  float c[3];
};

// Bilinear sample at texture coordinates (s, t); rows are stored bottom-up, t = 0 first.
Colour Sample(const TgaImage& image, float s, float t) {
  const float x = std::clamp(s * image.width - 0.5f, 0.0f, image.width - 1.0f);
  const float y = std::clamp(t * image.height - 0.5f, 0.0f, image.height - 1.0f);
  const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
  const int x1 = std::min(x0 + 1, image.width - 1), y1 = std::min(y0 + 1, image.height - 1);
  const float fx = x - x0, fy = y - y0;
  const int bytes = image.bitsPerPixel / 8;
  auto texel = [&](int px, int py, int channel) {
    return static_cast<float>(image.pixels[(static_cast<size_t>(py) * image.width + px) * bytes + channel]);
  };
  Colour out;
  for (int k = 0; k < 3; ++k) {
    const float bottom = texel(x0, y0, k) + (texel(x1, y0, k) - texel(x0, y0, k)) * fx;
    const float top = texel(x0, y1, k) + (texel(x1, y1, k) - texel(x0, y1, k)) * fx;
    out.c[k] = bottom + (top - bottom) * fy;
  }
  return out;
}

// The face whose plane holds p (other than `except`), with p's texture coordinates on it.
int FaceHolding(Vec3 p, int except, float* s, float* t) {
  for (int face = 0; face < kSkyFaceCount; ++face) {
    if (face == except) continue;
    const Vec3* c = kSkyFaceCorners[face];
    const Vec3 e1 = c[1] - c[0], e2 = c[3] - c[0];
    const Vec3 normal = Normalized(Cross(e1, e2));
    if (std::fabs(Dot(p - c[0], normal)) > 1e-3f) continue;
    *s = Dot(p - c[0], e1) / Dot(e1, e1);
    *t = Dot(p - c[0], e2) / Dot(e2, e2);
    return face;
  }
  return -1;
}
}  // namespace

TEST(SkyBox, NeighbouringFacesAgreeAlongEveryCubeEdge) {
  TgaImage images[kSkyFaceCount];
  for (int face = 0; face < kSkyFaceCount; ++face) {
    const Status parsed = ParseTga(kSkyImages[face], &images[face]);
    ASSERT_TRUE(parsed.ok()) << parsed.why();
    ASSERT_EQ(images[face].width, 256);
    ASSERT_EQ(images[face].bitsPerPixel, 24);
  }
  int edges = 0;
  for (int axis = 0; axis < 3; ++axis)
    for (float a : {-kSkyNear, kSkyNear})
      for (float b : {-kSkyNear, kSkyNear}) {
        double total = 0, worst = 0;
        int samples = 0;
        for (float u = -45; u <= 45; u += 0.5f) {
          const float v[3] = {axis == 0 ? u : a, axis == 1 ? u : (axis == 0 ? a : b), axis == 2 ? u : b};
          const Vec3 p{v[0], v[1], v[2]};
          float s1, t1, s2, t2;
          const int first = FaceHolding(p, -1, &s1, &t1);
          const int second = FaceHolding(p, first, &s2, &t2);
          ASSERT_GE(first, 0);
          ASSERT_GE(second, 0);
          const Colour x = Sample(images[first], s1, t1), y = Sample(images[second], s2, t2);
          for (int k = 0; k < 3; ++k) {
            const double d = std::fabs(x.c[k] - y.c[k]);
            total += d;
            worst = std::max(worst, d);
            ++samples;
          }
        }
        ++edges;
        EXPECT_LT(total / samples, 3.0) << "edge " << edges << ": the faces differ along it";
        EXPECT_LT(worst, 60.0) << "edge " << edges;
      }
  EXPECT_EQ(edges, 12);
}

namespace {
// Mean difference between neighbouring texels across the wrap (last column to first, or last
// row to first) against the mean difference between neighbours inside the picture.
double WrapRatio(const TgaImage& image, bool acrossColumns) {
  const int bytes = image.bitsPerPixel / 8, w = image.width, h = image.height;
  auto at = [&](int x, int y, int k) { return image.pixels[(static_cast<size_t>(y) * w + x) * bytes + k]; };
  double wrap = 0, inside = 0;
  int wraps = 0, insides = 0;
  for (int a = 0; a < (acrossColumns ? h : w); ++a)
    for (int b = 0; b < (acrossColumns ? w : h); ++b) {
      const int next = (b + 1) % (acrossColumns ? w : h);
      double d = 0;
      for (int k = 0; k < std::min(bytes, 3); ++k)
        d += std::fabs(acrossColumns ? at(b, a, k) - at(next, a, k) : at(a, b, k) - at(a, next, k));
      (next == 0 ? wrap : inside) += d;
      (next == 0 ? wraps : insides) += 1;
    }
  return (wrap / wraps) / (inside / insides + 1e-9);
}
}  // namespace

TEST(RepeatingPictures, JoinTheirOwnOppositeEdgesWithoutASeam) {
  struct Case {
    const EmbeddedImage* image;
    bool rows;  // also repeats from top to bottom
  };
  std::vector<Case> cases = {
      {&kLatticeNameImage, true}, {&kLatticeCloudImage, true}, {&kGraniteImage, true}, {&kGridImage, true}};
  for (int i = 0; i < 8; ++i) cases.push_back({&kTunnelImages[i], true});
  cases.push_back({&kTunnelImages[9], false});  // the clouds repeat around, fade along
  cases.push_back({&kTunnelImages[10], false});
  for (const Case& c : cases) {
    TgaImage image;
    ASSERT_TRUE(ParseTga(*c.image, &image).ok()) << c.image->name;
    EXPECT_LT(WrapRatio(image, true), 1.6) << c.image->name << " shows a seam where it repeats across";
    if (c.rows) {
      EXPECT_LT(WrapRatio(image, false), 1.6) << c.image->name << " shows a seam where it repeats down";
    }
  }
}
