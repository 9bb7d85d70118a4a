#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <array>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "expect_vec3.h"
#include "gfx/sine.h"
#include "scenes/isosurface.h"

using namespace lumaro;

namespace {
class Iso : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSineTable();
    ASSERT_TRUE(InitIsoSurface(-4.3f, 4.3f, -4.3f, 4.3f, -4.3f, 4.3f, 2.0f));
  }
  void TearDown() override { FreeIsoSurface(); }
};

// An edge's two corners and its middle, from the table's (axis, dx, dy, dz).
int EdgeCorner(int e, int end) {
  const int32_t* row = CubeEdgeTable[e];
  const int corner = row[1] | (row[2] << 1) | (row[3] << 2);
  return end == 0 ? corner : corner | (1 << row[0]);
}
Vec3 EdgeMiddle(int e) {
  const int32_t* row = CubeEdgeTable[e];
  Vec3 p{static_cast<float>(row[1]), static_cast<float>(row[2]), static_cast<float>(row[3])};
  (&p.x)[row[0]] += 0.5f;
  return p;
}
Vec3 CornerAt(int m) { return {static_cast<float>(m & 1), static_cast<float>((m >> 1) & 1), static_cast<float>((m >> 2) & 1)}; }

std::vector<std::array<int, 3>> Row(int c) {
  std::vector<std::array<int, 3>> out;
  for (int t = 0; t < CaseTriangleCount[c]; ++t)
    out.push_back({CaseTriangleTable[c][3 * t], CaseTriangleTable[c][3 * t + 1], CaseTriangleTable[c][3 * t + 2]});
  return out;
}

int IsoPoint(int i, int j, int k) { return (k * IsoPoints + j) * IsoPoints + i; }
}  // namespace

TEST_F(Iso, TheKnownRowsAndTheHoles) {
  using Rows = std::vector<std::array<int, 3>>;
  EXPECT_EQ(Row(1), (Rows{{0, 4, 8}}));
  EXPECT_EQ(Row(3), (Rows{{4, 9, 5}, {4, 8, 9}}));
  EXPECT_EQ(Row(6), (Rows{{0, 9, 5}, {1, 10, 4}}));
  EXPECT_EQ(Row(7), (Rows{{1, 10, 8}, {1, 8, 5}, {5, 8, 9}}));
  EXPECT_EQ(Row(15), (Rows{{9, 11, 10}, {8, 9, 10}}));
  EXPECT_EQ(Row(23), (Rows{{5, 1, 9}, {6, 2, 10}, {2, 1, 10}, {9, 1, 2}}));
  EXPECT_EQ(Row(128), (Rows{{3, 11, 7}}));
  EXPECT_EQ(Row(254), (Rows{{0, 8, 4}}));
  const std::set<int> holes = {30,  45,  54,  57,  60,  75,  86,  89,  90,  99,  101, 102, 105, 106, 108, 120,
                               135, 147, 149, 150, 153, 154, 156, 165, 166, 169, 180, 195, 198, 201, 210, 225};
  for (int c = 0; c < 256; ++c) {
    const bool empty = c == 0 || c == 255 || holes.count(c);
    EXPECT_EQ(CaseTriangleCount[c] == 0, empty) << "case " << c;
    EXPECT_LE(CaseTriangleCount[c], 4) << "case " << c;
  }
}

TEST_F(Iso, EveryTriangleFacesFromInsideToOutsideAndUsesOnlyCutEdges) {
  for (int c = 1; c < 255; ++c)
    for (const auto& t : Row(c)) {
      Vec3 outward{0, 0, 0};
      for (int e : t) {
        const int a = EdgeCorner(e, 0), b = EdgeCorner(e, 1);
        const bool aInside = (c >> a) & 1, bInside = (c >> b) & 1;
        ASSERT_NE(aInside, bInside) << "case " << c << " uses uncut edge " << e;
        outward = outward + (aInside ? CornerAt(b) - CornerAt(a) : CornerAt(a) - CornerAt(b));
      }
      const Vec3 n = Cross(EdgeMiddle(t[1]) - EdgeMiddle(t[0]), EdgeMiddle(t[2]) - EdgeMiddle(t[0]));
      ASSERT_GT(Dot(n, outward), 0) << "case " << c << " triangle " << t[0] << "," << t[1] << "," << t[2];
    }
}

TEST_F(Iso, AComplementCoversTheSamePolygonsWoundTheOtherWay) {
  for (int c = 1; c < 255; ++c) {
    if (std::popcount(static_cast<unsigned>(c)) >= 4) continue;
    const auto row = Row(c), other = Row(255 - c);
    ASSERT_EQ(row.size(), other.size()) << c;
    for (const auto& t : row) {
      bool found = false;
      for (const auto& u : other)
        for (int r = 0; r < 3; ++r)  // the same triangle, reversed, from any corner
          found |= u[r] == t[0] && u[(r + 1) % 3] == t[2] && u[(r + 2) % 3] == t[1];
      EXPECT_TRUE(found) << "case " << c << " and " << 255 - c;
    }
  }
}

TEST_F(Iso, OneBallGivesAClosedOutwardSurfaceOnItsThreshold) {
  const Vec3 centre{0.1f, 0.23f, -0.17f};
  FillField(&centre, 1, 0);
  PolygoniseField();
  ASSERT_GT(TriangleCount, 50);
  std::map<std::pair<int, int>, int> directed;
  for (int n = 0; n < TriangleCount; ++n)
    for (int k = 0; k < 3; ++k) directed[{TriangleBuffer[n][k], TriangleBuffer[n][(k + 1) % 3]}] += 1;
  for (const auto& [edge, count] : directed) {
    ASSERT_EQ(count, 1) << "an edge used twice the same way";
    ASSERT_EQ(directed.count({edge.second, edge.first}), 1u) << "an open edge";  // closed and consistent
  }
  const float radius = 1 / std::sqrt(2.0f);  // where 1/d^2 = 2
  for (int v = 0; v < VertexCount; ++v) {
    const IsoVertex& x = VertexBuffer[v];
    const Vec3 p{x.x, x.y, x.z}, n{x.nx, x.ny, x.nz};
    ASSERT_NEAR(Length(p - centre), radius, 0.04f) << v;  // linear interpolation of 1/d^2 over a 0.29 step
    ASSERT_NEAR(Length(n), 1, 1e-5) << v;
    ASSERT_GT(Dot(n, Normalized(p - centre)), 0.95f) << v;
  }
}

TEST_F(Iso, EmptyFieldsCentresAndTheStartingPositions) {
  FillField(nullptr, 0, 0);
  PolygoniseField();
  EXPECT_EQ(VertexCount, 0);
  EXPECT_EQ(TriangleCount, 0);

  const Vec3 onPoint{IsoGridCoordinate(0, 15), IsoGridCoordinate(1, 12), IsoGridCoordinate(2, 20)};
  FillField(&onPoint, 1, 0);
  EXPECT_EQ(FieldGrid[IsoPoint(15, 12, 20)], 1000.0f - 2.0f);

  Vec3 c[MetaballCount];
  MetaballCentres(0, c);
  for (int b = 0; b < 3; ++b) EXPECT_EQ(Length(c[b]), 0);
  ExpectAt(c[3], 1, -1.5f, 1.5f);
  ExpectAt(c[4], 2, -2.5f, 1.5f);
  ExpectAt(c[5], 0, -1.5f, 2.5f);
  ExpectAt(c[6], 1.4f, 0, 0);
  ExpectAt(c[7], 0, -2, 0);
  BuildIsoSurface(0);
  EXPECT_GT(TriangleCount, 100);
  EXPECT_EQ(FieldGrid[IsoPoint(0, 0, 0)] > 0, InsideFlags[IsoPoint(0, 0, 0)] == 0xFF);
}

// The field as stated, point by point in single precision: the vectorised build must give
// the very same floats.
TEST_F(Iso, TheFieldIsExactlyTheStatedSum) {
  const float t = 1.7f;
  EvaluateMetaballField(t);
  Vec3 c[MetaballCount];
  MetaballCentres(t, c);
  for (int p = 0; p < IsoPointCount; p += 97) {
    const int i = p % IsoPoints, j = p / IsoPoints % IsoPoints, k = p / (IsoPoints * IsoPoints);
    const float x = IsoGridCoordinate(0, i), y = IsoGridCoordinate(1, j), z = IsoGridCoordinate(2, k);
    float sum = 0;
    for (const Vec3& b : c) {
      const float d2 = (x - b.x) * (x - b.x) + (y - b.y) * (y - b.y) + (z - b.z) * (z - b.z);
      sum += d2 == 0 ? 1000.0f : 1 / d2;
    }
    ASSERT_EQ(FieldGrid[p], sum - 2.0f + FastSin(t)) << p;
  }
}

TEST_F(Iso, AHoleCellEmitsNothingYetItsEdgeVerticesExist) {
  for (int p = 0; p < IsoPointCount; ++p) FieldGrid[p] = -1, InsideFlags[p] = 0;
  const int i = 10, j = 11, k = 12;  // the cell, with inside corners 0, 3, 5 and 6 (case 105)
  for (int m : {0, 3, 5, 6}) {
    const int p = IsoPoint(i + (m & 1), j + ((m >> 1) & 1), k + ((m >> 2) & 1));
    FieldGrid[p] = 1, InsideFlags[p] = 0xFF;
  }
  PolygoniseField();
  EXPECT_EQ(VertexCount, 24);  // six cut edges around each of four lone points
  std::set<int> cellVertices;
  for (int e = 0; e < 12; ++e) {
    const int32_t* row = CubeEdgeTable[e];
    const int slot = ((row[0] * 30 + k + row[3]) * 30 + j + row[2]) * 30 + i + row[1];
    cellVertices.insert(EdgeVertexIndex[slot]);
  }
  EXPECT_EQ(cellVertices.size(), 12u);  // every edge of the cell is cut and has its vertex
  for (int n = 0; n < TriangleCount; ++n) {
    int inCell = 0;
    for (int v : TriangleBuffer[n]) inCell += cellVertices.count(v);
    EXPECT_LT(inCell, 3) << "a triangle of the hole cell";
  }
  EXPECT_GT(TriangleCount, 0);  // the neighbouring cells close around the four points
}
