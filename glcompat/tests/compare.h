// Drawing a scene on both sides and comparing the pictures.
//
// The tolerance: a pixel differs when one of its channels is more than 8 levels (3 %) apart,
// and a picture matches when at most 0.1 % of its pixels (16 of 16,384) differ. Both sides
// rasterise on the same llvmpipe, so coverage and interpolation agree; what remains is
// arithmetic order: the layer's GLSL lighting, fog, texel fade and matrix products against
// Mesa's own fixed-function code, which round a few levels apart (4 at most, measured,
// where 400 additive sparks pile up), and the odd edge pixel where a value rounded
// differently flips a depth or coverage test.
// 8 levels is well above that and well below any wrong term (a missing light, ambient or
// border fade moves whole regions by tens of levels); 16 pixels leave room for edge flips
// and none for a wrong feature, which spans hundreds. Scenes of single pixels (points)
// allow no differing pixel at all.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "contexts.h"
#include "scenes.h"

namespace glctest {

constexpr int kLevelTolerance = 8;
constexpr double kPixelFraction = 0.001;

struct Picture {
  std::vector<uint8_t> rgba;
  Values values;
};

struct Difference {
  int worst = 0;        // the largest channel difference anywhere
  int over = 0;         // pixels with a channel more than kLevelTolerance apart
  double fraction = 0;  // over / all pixels
};
Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
// Pixels whose colour is not the first pixel's (the cleared ground, in these scenes).
int Drawn(const std::vector<uint8_t>& rgba);

// Fresh contexts for each test: a native and a layer picture of each scene, compared.
class LayerTest : public ::testing::Test {
 public:
  Picture Draw(Side side, Scene scene, int variant);

 protected:
  void SetUp() override;
  void TearDown() override;

  // Draws both sides, expects no GL error on either, the native picture not empty, the
  // pictures within the tolerance and the values equal (within `epsilon`). Prints the
  // difference found; returns both pictures.
  std::pair<Picture, Picture> ExpectSame(Scene native, Scene layer, int variant, const std::string& label,
                                         double epsilon = 0, double fraction = kPixelFraction);
  // The same for a scene that only queries: its values, no picture.
  void ExpectSameValues(Scene native, Scene layer, int variant, const std::string& label, double epsilon = 0);
};

#define EXPECT_SAME_SCENE(scene, variant, ...) ExpectSame(native::scene, layer::scene, variant, #scene, ##__VA_ARGS__)
#define EXPECT_SAME_VALUES(scene, variant, ...) \
  ExpectSameValues(native::scene, layer::scene, variant, #scene, ##__VA_ARGS__)

}  // namespace glctest
