// The scenes every feature is drawn with, once through native desktop GL (namespace
// native) and once through the layer (namespace layer): the same source compiled twice.
#pragma once
#include <cstdint>
#include <vector>

namespace glctest {

constexpr int kWidth = 128, kHeight = 128;

// A scene may hand back values it queried, compared between the two sides.
using Values = std::vector<double>;
using Scene = void (*)(int variant, Values* out);

#define GLCTEST_SCENES(X)                                                                                       \
  X(Transforms)                                                                                                 \
  X(MatrixQueries)                                                                                              \
  X(Primitives) X(ListWithState) X(ListInheritsAttributes) X(Lattice) X(Lighting) X(FlatNormals) X(Fog)         \
      X(TextureFormats) X(Mipmaps) X(MipLevels) X(Clamp) X(TextureSwitching) X(Sparks) X(Blending) X(DepthMask) \
          X(Culling) X(Points) X(ReadPixelsPacked) X(StateQueries) X(Ornament) X(Scissor)

#define GLCTEST_DECLARE(name) void name(int variant, Values* out);
namespace native {
GLCTEST_SCENES(GLCTEST_DECLARE)
unsigned Error();  // glGetError of that side
}  // namespace native
namespace layer {
GLCTEST_SCENES(GLCTEST_DECLARE)
unsigned Error();
}  // namespace layer
#undef GLCTEST_DECLARE

// Deterministic texels: smooth colour ramps with fine detail and an alpha that varies, as
// `channels` bytes a pixel (1, 3 or 4), rows padded to `alignment`.
std::vector<uint8_t> Pattern(int width, int height, int channels, int seed, int alignment = 1);

}  // namespace glctest
