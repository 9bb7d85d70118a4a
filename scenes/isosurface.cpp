#include "scenes/isosurface.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "assets/assets.h"
#include "base/report.h"
#include "gfx/sine.h"

namespace lumaro {

float* FieldGrid = nullptr;
uint8_t* InsideFlags = nullptr;
int32_t* EdgeVertexIndex = nullptr;
IsoVertex* VertexBuffer = nullptr;
int32_t (*TriangleBuffer)[3] = nullptr;
int32_t VertexCount = 0, TriangleCount = 0;
int32_t CubeEdgeTable[12][4];
int32_t CaseTriangleCount[256];
int32_t CaseTriangleTable[256][3 * kIsoMaxCaseTriangles];

namespace {
float BoxMin[3], Step[3], Threshold = 0;
// Grid coordinates, each reached by adding the step once per index; and a row's squared
// distances to each ball (padded to 32 so the loops run whole vectors).
float Coordinate[3][32];
float Square[kMetaballCount][3][32];
// Whether a row of points (fixed j and k) is all outside or all inside: rows with nothing
// cut in or around them are skipped by the edge and cell passes.
uint8_t RowState[kIsoPoints][kIsoPoints];
enum : uint8_t { RowOutside = 0, RowInside = 1, RowMixed = 2 };
constexpr int kStride[3] = {1, kIsoPoints, kIsoPoints* kIsoPoints};

bool ReadTables() {
  constexpr size_t values = 12 * 4 + 256 + 256 * 3 * kIsoMaxCaseTriangles;
  if (kIsoTablesBlock.size != values * sizeof(int32_t)) return false;
  const uint8_t* at = kIsoTablesBlock.data;
  std::memcpy(CubeEdgeTable, at, sizeof CubeEdgeTable);
  std::memcpy(CaseTriangleCount, at + sizeof CubeEdgeTable, sizeof CaseTriangleCount);
  std::memcpy(CaseTriangleTable, at + sizeof CubeEdgeTable + sizeof CaseTriangleCount, sizeof CaseTriangleTable);
  for (int c = 0; c < 256; ++c) {
    if (CaseTriangleCount[c] < 0 || CaseTriangleCount[c] > kIsoMaxCaseTriangles) return false;
    for (int32_t e : CaseTriangleTable[c])
      if (e < 0 || e > 11) return false;
  }
  return true;
}

int EdgeSlot(int axis, int i, int j, int k) {
  return ((axis * kIsoEdgeStarts + k) * kIsoEdgeStarts + j) * kIsoEdgeStarts + i;
}

// Zero crossing of the field along the cut edge from point p (i, j, k) on `axis`.
void AddEdgeVertex(int axis, int i, int j, int k, int p) {
  const float f0 = FieldGrid[p], f1 = FieldGrid[p + kStride[axis]];
  const float s = f0 / (f1 - f0);
  IsoVertex& v = VertexBuffer[VertexCount];
  v = {Coordinate[0][i], Coordinate[1][j], Coordinate[2][k], 0, 0, 0};
  (&v.x)[axis] = (&v.x)[axis] - s * Step[axis];
  EdgeVertexIndex[EdgeSlot(axis, i, j, k)] = VertexCount++;
}

void AddFaceNormal(const int32_t (&t)[3]) {
  IsoVertex& a = VertexBuffer[t[0]];
  IsoVertex& b = VertexBuffer[t[1]];
  IsoVertex& c = VertexBuffer[t[2]];
  const Vec3 ab{b.x - a.x, b.y - a.y, b.z - a.z}, ac{c.x - a.x, c.y - a.y, c.z - a.z};
  Vec3 n = Cross(ab, ac);
  const float length = Length(n);
  if (length != 0) n = {n.x / length, n.y / length, n.z / length};
  for (IsoVertex* v : {&a, &b, &c}) v->nx += n.x, v->ny += n.y, v->nz += n.z;
}
}  // namespace

bool InitIsoSurface(float xmin, float xmax, float ymin, float ymax, float zmin, float zmax, float threshold) {
  FreeIsoSurface();
  FieldGrid = static_cast<float*>(std::malloc(kIsoPointCount * sizeof(float)));
  InsideFlags = static_cast<uint8_t*>(std::malloc(kIsoPointCount));
  EdgeVertexIndex = static_cast<int32_t*>(std::malloc(kIsoEdgeSlots * sizeof(int32_t)));
  VertexBuffer = static_cast<IsoVertex*>(std::malloc(kIsoEdgeSlots * sizeof(IsoVertex)));
  TriangleBuffer = static_cast<int32_t(*)[3]>(std::malloc(kIsoMaxTriangles * sizeof(int32_t[3])));
  if (!IsoSurfaceReady() || !ReadTables()) {
    Say("the metaballs cannot start (no memory or damaged tables); they are left out");
    FreeIsoSurface();
    return false;
  }
  const float box[3][2] = {{xmin, xmax}, {ymin, ymax}, {zmin, zmax}};
  for (int axis = 0; axis < 3; ++axis) {
    BoxMin[axis] = box[axis][0];
    Step[axis] = (box[axis][1] - box[axis][0]) * 0.033333335f;  // a thirtieth
    float value = BoxMin[axis];
    for (int i = 0; i < 32; ++i, value += Step[axis]) Coordinate[axis][i] = value;
  }
  Threshold = threshold;
  VertexCount = TriangleCount = 0;
  return true;
}

void FreeIsoSurface() {
  std::free(FieldGrid);
  std::free(InsideFlags);
  std::free(EdgeVertexIndex);
  std::free(VertexBuffer);
  std::free(TriangleBuffer);
  FieldGrid = nullptr;
  InsideFlags = nullptr;
  EdgeVertexIndex = nullptr;
  VertexBuffer = nullptr;
  TriangleBuffer = nullptr;
  VertexCount = TriangleCount = 0;
}

bool IsoSurfaceReady() { return FieldGrid && InsideFlags && EdgeVertexIndex && VertexBuffer && TriangleBuffer; }

float IsoStep(int axis) { return Step[axis]; }
float IsoGridCoordinate(int axis, int index) { return Coordinate[axis][index]; }

void MetaballCentres(float t, Vec3 c[kMetaballCount]) {
  c[0] = {2.5f * FastSin(1.3f * t), -2.5f * FastSin(1.2f * t), 2.5f * FastSin(2.4f * t)};
  c[1] = {2 * FastSin(3.2f * t), -FastSin(2.8f * t), 2 * FastSin(1.4f * t)};
  c[2] = {FastSin(2.8f * t), -2 * FastSin(1.3f * t), FastSin(3.6f * t)};
  c[3] = {FastCos(2.5f * t), -1.5f * FastCos(3.4f * t), 1.5f * FastCos(1.7f * t)};
  c[4] = {2 * FastCos(2.5f * t), -2.5f * FastCos(1.8f * t), 1.5f * FastCos(3.7f * t)};
  c[5] = {1.4f * FastSin(2.2f * t), -1.5f * FastCos(2.7f * t), 2.5f * FastCos(1.5f * t)};
  c[6] = {1.4f * FastCos(2.5f * t), -1.9f * FastSin(2.1f * t), 1.7f * FastSin(3 * t)};
  c[7] = {2.3f * FastSin(2.8f * t), -2 * FastCos(2 * t), 1.7f * FastSin(1.9f * t)};
}

// Where the CPU has AVX2 the field loops run eight lanes wide (IEEE division in every
// version, so the results do not depend on the CPU).
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
void FillField(const Vec3* centres, int count, float swell) {
  for (int b = 0; b < count; ++b) {
    const float c[3] = {centres[b].x, centres[b].y, centres[b].z};
    for (int axis = 0; axis < 3; ++axis)
      for (int i = 0; i < 32; ++i) {
        const float d = Coordinate[axis][i] - c[axis];
        Square[b][axis][i] = d * d;
      }
  }
  float row[32];
  for (int k = 0; k < kIsoPoints; ++k)
    for (int j = 0; j < kIsoPoints; ++j) {
      // Summed ball by ball in order (0 + w is exactly w): ((dx^2 + dy^2) + dz^2), then 1/d^2,
      // or 1000 at a centre. Whole rows of 32 so the loop runs in vectors.
      for (float& r : row) r = 0;
      for (int b = 0; b < count; ++b) {
        const float dy = Square[b][1][j], dz = Square[b][2][k];
        for (int i = 0; i < 32; ++i) {
          const float d2 = (Square[b][0][i] + dy) + dz;
          const float w = 1 / d2;  // divided in every lane (inf at a centre), then chosen
          row[i] += d2 == 0 ? 1000.0f : w;
        }
      }
      const int p = (k * kIsoPoints + j) * kIsoPoints;
      for (int i = 0; i < kIsoPoints; ++i) {
        const float f = (row[i] - Threshold) + swell;
        FieldGrid[p + i] = f;
        InsideFlags[p + i] = f > 0 ? 0xFF : 0;
      }
    }
}

void EvaluateMetaballField(float t) {
  Vec3 centres[kMetaballCount];
  MetaballCentres(t, centres);
  FillField(centres, kMetaballCount, FastSin(t));
}

namespace {
// Rows that are uniform and alike hold no cut edge between them.
bool SameUniform(std::initializer_list<uint8_t> rows) {
  const uint8_t first = *rows.begin();
  if (first == RowMixed) return false;
  for (uint8_t r : rows)
    if (r != first) return false;
  return true;
}
}  // namespace

namespace {
void ClassifyRows() {
  for (int k = 0; k < kIsoPoints; ++k)
    for (int j = 0; j < kIsoPoints; ++j) {
      const uint8_t* row = InsideFlags + (k * kIsoPoints + j) * kIsoPoints;
      int inside = 0;
      for (int i = 0; i < kIsoPoints; ++i) inside += row[i] != 0;
      RowState[k][j] = inside == 0 ? RowOutside : inside == kIsoPoints ? RowInside : RowMixed;
    }
}
}  // namespace

void PolygoniseField() {
  VertexCount = TriangleCount = 0;
  ClassifyRows();
  for (int k = 0; k < kIsoEdgeStarts; ++k)
    for (int j = 0; j < kIsoEdgeStarts; ++j) {
      if (SameUniform({RowState[k][j], RowState[k][j + 1], RowState[k + 1][j]})) continue;
      for (int i = 0; i < kIsoEdgeStarts; ++i) {
        const int p = (k * kIsoPoints + j) * kIsoPoints + i;
        for (int axis = 0; axis < 3; ++axis)
          if (InsideFlags[p] != InsideFlags[p + kStride[axis]]) AddEdgeVertex(axis, i, j, k, p);
      }
    }
  for (int k = 0; k < kIsoCells; ++k)
    for (int j = 0; j < kIsoCells; ++j) {
      if (SameUniform({RowState[k][j], RowState[k][j + 1], RowState[k + 1][j], RowState[k + 1][j + 1]})) continue;
      for (int i = 0; i < kIsoCells; ++i) {
        const int p = (k * kIsoPoints + j) * kIsoPoints + i;
        int c = 0;
        for (int m = 0; m < 8; ++m)
          if (InsideFlags[p + (m & 1) + kIsoPoints * ((m >> 1) & 1) + kIsoPoints * kIsoPoints * ((m >> 2) & 1)])
            c |= 1 << m;
        const int32_t* row = CaseTriangleTable[c];
        for (int n = 0; n < CaseTriangleCount[c]; ++n) {
          int32_t(&t)[3] = TriangleBuffer[TriangleCount++];
          for (int v = 0; v < 3; ++v) {
            const int32_t* e = CubeEdgeTable[row[3 * n + v]];
            t[v] = EdgeVertexIndex[EdgeSlot(e[0], i + e[1], j + e[2], k + e[3])];
          }
          AddFaceNormal(t);
        }
      }
    }
  for (int v = 0; v < VertexCount; ++v) {
    IsoVertex& x = VertexBuffer[v];
    const float length = std::sqrt(x.nx * x.nx + x.ny * x.ny + x.nz * x.nz);
    if (length != 0) x.nx /= length, x.ny /= length, x.nz /= length;
  }
}

void BuildIsoSurface(float t) {
  if (!IsoSurfaceReady()) return;
  VertexCount = TriangleCount = 0;
  EvaluateMetaballField(t);
  PolygoniseField();
}

}  // namespace lumaro
