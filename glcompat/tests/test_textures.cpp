// Every texture source format the demo uploads, mipmaps, the wrap modes including GL_CLAMP,
// and texturing without a complete texture.
#include "compare.h"

namespace glctest {
namespace {

TEST_F(LayerTest, UploadsFromEveryFormat) {
  for (int variant = 0; variant < 7; ++variant) EXPECT_SAME_SCENE(TextureFormats, variant);
}

TEST_F(LayerTest, MipmapsBuiltByBoxFilter) {
  for (int variant : {0, 1}) EXPECT_SAME_SCENE(Mipmaps, variant);
  const auto [theirs, mine] = EXPECT_SAME_SCENE(MipLevels, 0);
  EXPECT_EQ(Compare(theirs.rgba, mine.rgba).worst, 0) << "a level's texels differ from GLU's";
}

TEST_F(LayerTest, ClampFadesIntoTheBorder) {
  for (int variant = 0; variant < 6; ++variant) EXPECT_SAME_SCENE(Clamp, variant);
}

TEST_F(LayerTest, IncompleteTexturesDrawUntextured) { EXPECT_SAME_SCENE(TextureSwitching, 0); }

}  // namespace
}  // namespace glctest
