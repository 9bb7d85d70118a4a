#include "compare.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "glcompat/glcompat.h"

namespace glctest {

Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  Difference d;
  if (a.size() != b.size()) return {255, kWidth * kHeight, 1.0};
  for (size_t p = 0; p < a.size(); p += 4) {
    int pixel = 0;
    for (size_t c = p; c < p + 3; ++c) pixel = std::max(pixel, std::abs(a[c] - b[c]));
    d.worst = std::max(d.worst, pixel);
    d.over += pixel > kLevelTolerance;
  }
  d.fraction = static_cast<double>(d.over) / (a.size() / 4);
  return d;
}

int Drawn(const std::vector<uint8_t>& rgba) {
  int drawn = 0;
  for (size_t p = 4; p < rgba.size(); p += 4)
    drawn += rgba[p] != rgba[0] || rgba[p + 1] != rgba[1] || rgba[p + 2] != rgba[2];
  return drawn;
}

void LayerTest::SetUp() {
  const char* failure = OpenContexts(kWidth, kHeight);
  ASSERT_STREQ(failure, "");
  MakeCurrent(Side::Layer);
  lgl_SetAbortOnUnsupported(1);  // any call outside the layer stops the test loudly
}

void LayerTest::TearDown() {
  MakeCurrent(Side::Layer);
  lgl_Shutdown();
  CloseContexts();
}

Picture LayerTest::Draw(Side side, Scene scene, int variant) {
  MakeCurrent(side);
  Picture picture;
  scene(variant, &picture.values);
  if (side == Side::Layer) lgl_Flush();  // the layer may still hold the last primitives
  picture.rgba = ReadRgba(kWidth, kHeight);
  return picture;
}

namespace {
// With GLCOMPAT_DUMP=DIR set, each compared pair is written there as LABEL-VARIANT.ppm:
// native left, layer middle, their difference (times 8) right.
void Dump(const std::string& name, const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  const char* dir = std::getenv("GLCOMPAT_DUMP");
  if (!dir) return;
  std::FILE* f = std::fopen((std::string(dir) + "/" + name + ".ppm").c_str(), "wb");
  if (!f) return;
  std::fprintf(f, "P6 %d %d 255\n", 3 * kWidth, kHeight);
  for (int y = kHeight - 1; y >= 0; --y)
    for (int panel = 0; panel < 3; ++panel)
      for (int x = 0; x < kWidth; ++x)
        for (int c = 0; c < 3; ++c) {
          const size_t i = (static_cast<size_t>(y) * kWidth + x) * 4 + c;
          const int v = panel == 0 ? a[i] : panel == 1 ? b[i] : std::min(255, 8 * std::abs(a[i] - b[i]));
          std::fputc(v, f);
        }
  std::fclose(f);
}

std::pair<Picture, Picture> DrawBoth(LayerTest* test, Scene native, Scene layer, int variant, const std::string& label,
                                     double epsilon) {
  Picture mine = test->Draw(Side::Layer, layer, variant);
  EXPECT_EQ(layer::Error(), 0u) << label << " " << variant << " through the layer";
  Picture theirs = test->Draw(Side::Native, native, variant);
  EXPECT_EQ(native::Error(), 0u) << label << " " << variant << " natively";
  EXPECT_EQ(mine.values.size(), theirs.values.size()) << label << " " << variant;
  double worst = 0;
  for (size_t i = 0; i < std::min(mine.values.size(), theirs.values.size()); ++i) {
    EXPECT_NEAR(mine.values[i], theirs.values[i], epsilon) << label << " " << variant << ": value " << i;
    worst = std::max(worst, std::abs(mine.values[i] - theirs.values[i]));
  }
  if (!mine.values.empty())
    std::printf("[ measured ] %s %d: %zu values, worst difference %g\n", label.c_str(), variant, mine.values.size(),
                worst);
  return {theirs, mine};
}
}  // namespace

void LayerTest::ExpectSameValues(Scene native, Scene layer, int variant, const std::string& label, double epsilon) {
  DrawBoth(this, native, layer, variant, label, epsilon);
}

std::pair<Picture, Picture> LayerTest::ExpectSame(Scene native, Scene layer, int variant, const std::string& label,
                                                  double epsilon, double fraction) {
  const auto [theirs, mine] = DrawBoth(this, native, layer, variant, label, epsilon);
  EXPECT_GT(Drawn(theirs.rgba), kWidth * kHeight / 50) << label << " " << variant << ": the scene draws nothing";
  const Difference d = Compare(theirs.rgba, mine.rgba);
  Dump(label + "-" + std::to_string(variant), theirs.rgba, mine.rgba);
  std::printf("[ measured ] %s %d: worst channel difference %d, %d pixels over %d (%.3f %%)\n", label.c_str(), variant,
              d.worst, d.over, kLevelTolerance, 100 * d.fraction);
  EXPECT_LE(d.fraction, fraction) << label << " " << variant << ": " << d.over << " pixels differ";
  return {theirs, mine};
}

}  // namespace glctest
