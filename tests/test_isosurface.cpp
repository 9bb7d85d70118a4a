#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "gfx/sine.h"
#include "scenes/isosurface.h"

using namespace lumaro;

namespace {
const IsoMesh& Mesh = BuiltMesh();  // what each test builds

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
  const int32_t* row = CaseTables()->CubeEdgeTable[e];
  const int corner = row[1] | (row[2] << 1) | (row[3] << 2);
  return end == 0 ? corner : corner | (1 << row[0]);
}
Vec3 EdgeMiddle(int e) {
  const int32_t* row = CaseTables()->CubeEdgeTable[e];
  Vec3 p{static_cast<float>(row[1]), static_cast<float>(row[2]), static_cast<float>(row[3])};
  (&p.x)[row[0]] += 0.5f;
  return p;
}
Vec3 CornerAt(int m) {
  return {static_cast<float>(m & 1), static_cast<float>((m >> 1) & 1), static_cast<float>((m >> 2) & 1)};
}

std::vector<std::array<int, 3>> Row(int c) {
  const IsoCaseTables& tables = *CaseTables();
  const int32_t* row = tables.CaseTriangleTable[c];
  std::vector<std::array<int, 3>> out;
  for (int t = 0; t < tables.CaseTriangleCount[c]; ++t) out.push_back({row[3 * t], row[3 * t + 1], row[3 * t + 2]});
  return out;
}

int IsoPoint(int i, int j, int k) { return (k * kIsoPoints + j) * kIsoPoints + i; }

// Face f holds the corners whose bit f / 2 is f % 2; it is ambiguous in case c when its two
// inside corners are diagonal.
bool OnFace(int f, int m) { return ((m >> (f / 2)) & 1) == f % 2; }
bool EdgeOnFace(int f, int e) { return OnFace(f, EdgeCorner(e, 0)) && OnFace(f, EdgeCorner(e, 1)); }
bool Ambiguous(int c, int f) {
  int count = 0, apart = 0;
  for (int m = 0; m < 8; ++m)
    if (OnFace(f, m) && ((c >> m) & 1)) ++count, apart ^= m;
  return count == 2 && std::popcount(static_cast<unsigned>(apart)) == 2;
}
int InsideEnd(int c, int e) { return (c >> EdgeCorner(e, 0)) & 1 ? EdgeCorner(e, 0) : EdgeCorner(e, 1); }

// Which outer planes of the polygonised region (i, j or k at 0 or IsoCells) hold each
// vertex's grid edge, as bits.
std::vector<int> OuterPlanes() {
  std::vector<int> planes(Mesh.VertexCount, 0);
  for (int axis = 0; axis < 3; ++axis)
    for (int k = 0; k < kIsoEdgeStarts; ++k)
      for (int j = 0; j < kIsoEdgeStarts; ++j)
        for (int i = 0; i < kIsoEdgeStarts; ++i) {
          const int p = IsoPoint(i, j, k), at[3] = {i, j, k};
          const int next = p + (axis == 0 ? 1 : axis == 1 ? kIsoPoints : kIsoPoints * kIsoPoints);
          if (Mesh.InsideFlags[p] == Mesh.InsideFlags[next]) continue;
          int bits = 0;
          for (int b = 0; b < 3; ++b)
            if (b != axis) bits |= (at[b] == 0) << (2 * b) | (at[b] == kIsoCells) << (2 * b + 1);
          planes[Mesh.EdgeVertexIndex[((axis * kIsoEdgeStarts + k) * kIsoEdgeStarts + j) * kIsoEdgeStarts + i]] = bits;
        }
  return planes;
}

// Triangle sides of the mesh not matched by exactly one side running the other way, leaving
// out those along the region's outer faces.
int OpenEdges() {
  const std::vector<int> planes = OuterPlanes();
  std::vector<int> first(Mesh.VertexCount + 1, 0), to(3 * Mesh.TriangleCount);
  for (int n = 0; n < Mesh.TriangleCount; ++n)
    for (int v : Mesh.TriangleBuffer[n]) ++first[v + 1];
  for (int v = 0; v < Mesh.VertexCount; ++v) first[v + 1] += first[v];
  std::vector<int> fill(first.begin(), first.end() - 1);
  for (int n = 0; n < Mesh.TriangleCount; ++n)
    for (int k = 0; k < 3; ++k) to[fill[Mesh.TriangleBuffer[n][k]]++] = Mesh.TriangleBuffer[n][(k + 1) % 3];
  auto times = [&](int a, int b) { return std::count(to.begin() + first[a], to.begin() + first[a + 1], b); };
  int open = 0;
  for (int a = 0; a < Mesh.VertexCount; ++a)
    for (int s = first[a]; s < first[a + 1]; ++s)
      if (!(planes[a] & planes[to[s]]) && (times(a, to[s]) != 1 || times(to[s], a) != 1)) ++open;
  return open;
}

// Only the given grid points inside, then the mesh.
void PolygonisePoints(const std::vector<std::array<int, 3>>& inside) {
  for (int p = 0; p < kIsoPointCount; ++p) Mesh.FieldGrid[p] = -1, Mesh.InsideFlags[p] = 0;
  for (const auto& q : inside) {
    const int p = IsoPoint(q[0], q[1], q[2]);
    Mesh.FieldGrid[p] = 1, Mesh.InsideFlags[p] = 0xFF;
  }
  PolygoniseField();
}
}  // namespace

// The rows' shapes are checked below, and their exact triangles by the golden frames of the
// metaballs; here that only the empty and the full case draw nothing.
TEST_F(Iso, EveryCaseButEmptyAndFullIsCut) {
  EXPECT_EQ(CaseTables()->CaseTriangleCount[0], 0);
  EXPECT_EQ(CaseTables()->CaseTriangleCount[255], 0);
  int most = 0;
  for (int c = 1; c < 255; ++c) {
    EXPECT_GT(CaseTables()->CaseTriangleCount[c], 0) << "case " << c;  // no holes, the four lone points included
    most = std::max(most, CaseTables()->CaseTriangleCount[c]);
  }
  EXPECT_EQ(most, kIsoMaxCaseTriangles);  // the row width is what the table needs
}

// The sides of a case's triangles left open are its polygons' rims: each cut edge ends one
// open side on each of its two faces, and on an ambiguous face the inside corners are cut
// off one by one (as the neighbour sharing that face cuts them).
TEST_F(Iso, EachCaseClosesAlongItsFacesAsItsNeighboursDo) {
  for (int c = 1; c < 255; ++c) {
    std::map<std::pair<int, int>, int> directed;
    for (const auto& t : Row(c))
      for (int k = 0; k < 3; ++k) directed[{t[k], t[(k + 1) % 3]}] += 1;
    int ends[12][6] = {};
    for (const auto& [side, count] : directed) {
      ASSERT_EQ(count, 1) << "case " << c << " runs a side twice the same way";
      if (directed.count({side.second, side.first})) continue;  // inside a polygon
      int face = 0;
      while (face < 6 && !(EdgeOnFace(face, side.first) && EdgeOnFace(face, side.second))) ++face;
      ASSERT_LT(face, 6) << "case " << c << " leaves a side open across the cell";
      if (Ambiguous(c, face)) {
        EXPECT_EQ(InsideEnd(c, side.first), InsideEnd(c, side.second)) << "case " << c << " face " << face;
      }
      ++ends[side.first][face], ++ends[side.second][face];
    }
    for (int e = 0; e < 12; ++e) {
      const bool cut = ((c >> EdgeCorner(e, 0)) & 1) != ((c >> EdgeCorner(e, 1)) & 1);
      for (int f = 0; f < 6; ++f) EXPECT_EQ(ends[e][f], cut && EdgeOnFace(f, e)) << "case " << c << " edge " << e;
    }
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

TEST_F(Iso, AComplementWithoutAmbiguousFacesHasTheSamePolygonsWoundTheOtherWay) {
  for (int c = 1; c < 255; ++c) {
    bool ambiguous = false;  // such a face keeps the inside corners apart in both cases
    for (int f = 0; f < 6; ++f) ambiguous |= Ambiguous(c, f);
    if (std::popcount(static_cast<unsigned>(c)) >= 4 || ambiguous) continue;
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
  ASSERT_GT(Mesh.TriangleCount, 50);
  EXPECT_EQ(OpenEdges(), 0);                 // closed and consistently wound: the ball is clear of the region's faces
  const float radius = 1 / std::sqrt(2.0f);  // where 1/d^2 = 2
  for (int v = 0; v < Mesh.VertexCount; ++v) {
    const IsoVertex& x = Mesh.VertexBuffer[v];
    const Vec3 p{x.x, x.y, x.z}, n{x.nx, x.ny, x.nz};
    ASSERT_NEAR(Length(p - centre), radius, 0.04f) << v;  // linear interpolation of 1/d^2 over a 0.29 step
    ASSERT_NEAR(Length(n), 1, 1e-5) << v;
    ASSERT_GT(Dot(n, Normalized(p - centre)), 0.95f) << v;
  }
}

TEST_F(Iso, EmptyFieldsCentresAndTheFirstFrame) {
  FillField(nullptr, 0, 0);
  PolygoniseField();
  EXPECT_EQ(Mesh.VertexCount, 0);
  EXPECT_EQ(Mesh.TriangleCount, 0);

  const Vec3 onPoint{IsoGridCoordinate(0, 15), IsoGridCoordinate(1, 12), IsoGridCoordinate(2, 20)};
  FillField(&onPoint, 1, 0);
  EXPECT_EQ(Mesh.FieldGrid[IsoPoint(15, 12, 20)], 1000.0f - 2.0f);

  BuildIsoSurface(0);  // where the balls start, as the golden frames of the scene show them
  EXPECT_GT(Mesh.TriangleCount, 100);
  EXPECT_EQ(Mesh.FieldGrid[IsoPoint(0, 0, 0)] > 0, Mesh.InsideFlags[IsoPoint(0, 0, 0)] == 0xFF);
}

// The field as stated, point by point in single precision: the vectorised build must give
// the very same floats.
TEST_F(Iso, TheFieldIsExactlyTheStatedSum) {
  const float t = 1.7f;
  EvaluateMetaballField(t);
  Vec3 c[kMetaballCount];
  MetaballCentres(t, c);
  for (int p = 0; p < kIsoPointCount; p += 97) {
    const int i = p % kIsoPoints, j = p / kIsoPoints % kIsoPoints, k = p / (kIsoPoints * kIsoPoints);
    const float x = IsoGridCoordinate(0, i), y = IsoGridCoordinate(1, j), z = IsoGridCoordinate(2, k);
    float sum = 0;
    for (const Vec3& b : c) {
      const float d2 = (x - b.x) * (x - b.x) + (y - b.y) * (y - b.y) + (z - b.z) * (z - b.z);
      sum += d2 == 0 ? 1000.0f : 1 / d2;
    }
    ASSERT_EQ(Mesh.FieldGrid[p], sum - 2.0f + FastSin(t)) << p;
  }
}

// Four lone inside points around one cell (case 105): each is cut off in every cell around it.
TEST_F(Iso, FourLonePointsInACellAreEachClosedOff) {
  const int i = 10, j = 11, k = 12;
  std::vector<std::array<int, 3>> inside;
  for (int m : {0, 3, 5, 6}) inside.push_back({i + (m & 1), j + ((m >> 1) & 1), k + ((m >> 2) & 1)});
  PolygonisePoints(inside);
  EXPECT_EQ(Mesh.VertexCount, 24);  // six cut edges around each point
  EXPECT_EQ(OpenEdges(), 0);
  std::set<int> cellVertices;
  for (int e = 0; e < 12; ++e) {
    const int32_t* row = CaseTables()->CubeEdgeTable[e];
    const int slot =
        ((row[0] * kIsoEdgeStarts + k + row[3]) * kIsoEdgeStarts + j + row[2]) * kIsoEdgeStarts + i + row[1];
    cellVertices.insert(Mesh.EdgeVertexIndex[slot]);
  }
  EXPECT_EQ(cellVertices.size(), 12u);
  int inCell = 0;
  for (int n = 0; n < Mesh.TriangleCount; ++n)
    inCell += std::all_of(Mesh.TriangleBuffer[n], Mesh.TriangleBuffer[n] + 3,
                          [&](int v) { return cellVertices.count(v) > 0; });
  EXPECT_EQ(inCell, 4);  // one corner cut off at each point
}

// Two cells share the face x = 11, inside at two diagonal corners only; the far face of one
// cell is all inside (six inside corners against two), on either side.
TEST_F(Iso, NeighboursCutTheirAmbiguousFaceAlike) {
  for (int far : {10, 12}) {
    PolygonisePoints({{11, 5, 5}, {11, 6, 6}, {far, 5, 5}, {far, 5, 6}, {far, 6, 5}, {far, 6, 6}});
    EXPECT_GT(Mesh.TriangleCount, 0);
    EXPECT_EQ(OpenEdges(), 0) << "far face at x = " << far;
  }
}

// Every frame scene 13 draws, on the show's clock (steps of 0.04 summed in single precision).
TEST_F(Iso, EveryFrameOfTheSceneIsClosedInsideTheBox) {
  int frames = 0, openFrames = 0;
  for (float clock = 0; clock < 325;) {
    clock += 0.04f;
    if (clock < 290 || clock >= 325) continue;
    const float t = static_cast<float>(static_cast<double>(clock) - 290.0);
    BuildIsoSurface(t);
    ++frames;
    const int open = OpenEdges();
    if (open && ++openFrames <= 5) ADD_FAILURE() << open << " open sides at t = " << t;
  }
  EXPECT_GT(frames, 800);
  EXPECT_EQ(openFrames, 0) << "of " << frames << " frames";
}
