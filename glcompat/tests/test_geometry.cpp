// Transforms and both matrix stacks, every primitive type, display lists with state inside
// and the merged draws of a large list.
#include "compare.h"
#include "glcompat/glcompat.h"

namespace glctest {
namespace {

constexpr double kMatrixEpsilon = 2e-6;  // single-precision products in another order

TEST_F(LayerTest, TransformsAndBothStacks) {
  for (int variant : {0, 1}) EXPECT_SAME_SCENE(Transforms, variant, kMatrixEpsilon);
  for (int variant : {0, 1}) EXPECT_SAME_VALUES(MatrixQueries, variant, kMatrixEpsilon);
}

TEST_F(LayerTest, TrianglesQuadsAndQuadStrips) { EXPECT_SAME_SCENE(Primitives, 0); }

TEST_F(LayerTest, PlainPointsOfSeveralSizes) { EXPECT_SAME_SCENE(Primitives, 1, 0, 0); }

TEST_F(LayerTest, ListsRecordStateAndLeaveItBehind) {
  EXPECT_SAME_SCENE(ListWithState, 0, kMatrixEpsilon);
  EXPECT_SAME_SCENE(ListInheritsAttributes, 0);
}

// 1,728 cubes of two quad strips each, under one texture bind: one draw, not 3,456.
TEST_F(LayerTest, LatticeListIsMergedIntoOneDraw) {
  MakeCurrent(Side::Layer);
  const unsigned long before = lgl_DrawCount();
  Draw(Side::Layer, layer::Lattice, 0);
  const unsigned long draws = lgl_DrawCount() - before;
  std::printf("[ measured ] lattice list of 3456 quad strips: %lu draw(s)\n", draws);
  EXPECT_GE(draws, 1u);
  EXPECT_LE(draws, 2u);
  EXPECT_SAME_SCENE(Lattice, 0);
}

}  // namespace
}  // namespace glctest
