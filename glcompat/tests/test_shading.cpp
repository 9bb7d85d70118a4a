// Lighting in each of its parts, normals given once for many vertices, fog, and a
// composition of lists, lights and glows after the demo's ornament scene.
#include "compare.h"

namespace glctest {
namespace {

TEST_F(LayerTest, AmbientOnly) { EXPECT_SAME_SCENE(Lighting, 0); }
TEST_F(LayerTest, DirectionalLight) { EXPECT_SAME_SCENE(Lighting, 1); }
TEST_F(LayerTest, PositionalLightMovedByTheModelviewWhenGiven) { EXPECT_SAME_SCENE(Lighting, 2); }
TEST_F(LayerTest, SpecularWithShininess) { EXPECT_SAME_SCENE(Lighting, 3); }
TEST_F(LayerTest, ColorMaterialSwitchedOffKeepsTheColour) { EXPECT_SAME_SCENE(Lighting, 4); }
TEST_F(LayerTest, ThreeColouredLightsOnATexturedSphere) { EXPECT_SAME_SCENE(Lighting, 5); }
TEST_F(LayerTest, OneNormalForManyVertices) { EXPECT_SAME_SCENE(FlatNormals, 0); }

TEST_F(LayerTest, ExponentialFog) {
  for (int variant = 0; variant < 4; ++variant) EXPECT_SAME_SCENE(Fog, variant);
}

TEST_F(LayerTest, OrnamentComposition) { EXPECT_SAME_SCENE(Ornament, 0); }

}  // namespace
}  // namespace glctest
