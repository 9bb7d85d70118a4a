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

namespace {
// The mesh, and what building it needs from one frame to the next.
struct IsoSurfaceState : IsoMesh {
  float BoxMin[3], Step[3], Threshold = 0;
  // Grid coordinates, each reached by adding the step once per index; and a row's squared
  // distances to each ball (padded to 32 so the loops run whole vectors).
  float Coordinate[3][32];
  float Square[kMetaballCount][3][32];
  // Whether a row of points (fixed j and k) is all outside or all inside: rows with nothing
  // cut in or around them are skipped by the edge and cell passes.
  uint8_t RowState[kIsoPoints][kIsoPoints];
};
IsoSurfaceState State;
enum : uint8_t { RowOutside = 0, RowInside = 1, RowMixed = 2 };
constexpr int kStride[3] = {1, kIsoPoints, kIsoPoints* kIsoPoints};

bool ReadTables(IsoCaseTables* tables) {
  constexpr size_t values = 12 * 4 + 256 + 256 * 3 * kIsoMaxCaseTriangles;
  if (kIsoTablesBlock.size != values * sizeof(int32_t)) return false;
  const uint8_t* at = kIsoTablesBlock.data;
  std::memcpy(tables->CubeEdgeTable, at, sizeof tables->CubeEdgeTable);
  at += sizeof tables->CubeEdgeTable;
  std::memcpy(tables->CaseTriangleCount, at, sizeof tables->CaseTriangleCount);
  at += sizeof tables->CaseTriangleCount;
  std::memcpy(tables->CaseTriangleTable, at, sizeof tables->CaseTriangleTable);
  for (int c = 0; c < 256; ++c) {
    if (tables->CaseTriangleCount[c] < 0 || tables->CaseTriangleCount[c] > kIsoMaxCaseTriangles) return false;
    for (int32_t e : tables->CaseTriangleTable[c])
      if (e < 0 || e > 11) return false;
  }
  return true;
}

struct LoadedTables {
  IsoCaseTables tables;
  bool valid;
};
}  // namespace

const IsoCaseTables* CaseTables() {
  static const LoadedTables loaded = [] {
    LoadedTables read{};
    read.valid = ReadTables(&read.tables);
    return read;
  }();
  return loaded.valid ? &loaded.tables : nullptr;
}

const IsoMesh& BuiltMesh() { return State; }

namespace {
int EdgeSlot(int axis, int i, int j, int k) {
  return ((axis * kIsoEdgeStarts + k) * kIsoEdgeStarts + j) * kIsoEdgeStarts + i;
}

// Zero crossing of the field along the cut edge from point p (i, j, k) on `axis`.
void AddEdgeVertex(int axis, int i, int j, int k, int p) {
  const float f0 = State.FieldGrid[p], f1 = State.FieldGrid[p + kStride[axis]];
  const float s = f0 / (f1 - f0);
  IsoVertex& v = State.VertexBuffer[State.VertexCount];
  v = {State.Coordinate[0][i], State.Coordinate[1][j], State.Coordinate[2][k], 0, 0, 0};
  (&v.x)[axis] = (&v.x)[axis] - s * State.Step[axis];
  State.EdgeVertexIndex[EdgeSlot(axis, i, j, k)] = State.VertexCount++;
}

void AddFaceNormal(const int32_t (&t)[3]) {
  IsoVertex& a = State.VertexBuffer[t[0]];
  IsoVertex& b = State.VertexBuffer[t[1]];
  IsoVertex& c = State.VertexBuffer[t[2]];
  const Vec3 ab{b.x - a.x, b.y - a.y, b.z - a.z}, ac{c.x - a.x, c.y - a.y, c.z - a.z};
  Vec3 n = Cross(ab, ac);
  const float length = Length(n);
  if (length != 0) n = {n.x / length, n.y / length, n.z / length};
  for (IsoVertex* v : {&a, &b, &c}) v->nx += n.x, v->ny += n.y, v->nz += n.z;
}
}  // namespace

bool InitIsoSurface(float xmin, float xmax, float ymin, float ymax, float zmin, float zmax, float threshold) {
  FreeIsoSurface();
  State.FieldGrid = static_cast<float*>(std::malloc(kIsoPointCount * sizeof(float)));
  State.InsideFlags = static_cast<uint8_t*>(std::malloc(kIsoPointCount));
  State.EdgeVertexIndex = static_cast<int32_t*>(std::malloc(kIsoEdgeSlots * sizeof(int32_t)));
  State.VertexBuffer = static_cast<IsoVertex*>(std::malloc(kIsoEdgeSlots * sizeof(IsoVertex)));
  State.TriangleBuffer = static_cast<int32_t(*)[3]>(std::malloc(kIsoMaxTriangles * sizeof(int32_t[3])));
  if (!IsoSurfaceReady() || !CaseTables()) {
    Say("the metaballs cannot start (no memory or damaged tables); they are left out");
    FreeIsoSurface();
    return false;
  }
  const float box[3][2] = {{xmin, xmax}, {ymin, ymax}, {zmin, zmax}};
  for (int axis = 0; axis < 3; ++axis) {
    State.BoxMin[axis] = box[axis][0];
    State.Step[axis] = (box[axis][1] - box[axis][0]) * 0.033333335f;  // a thirtieth
    float value = State.BoxMin[axis];
    for (int i = 0; i < 32; ++i, value += State.Step[axis]) State.Coordinate[axis][i] = value;
  }
  State.Threshold = threshold;
  State.VertexCount = State.TriangleCount = 0;
  return true;
}

void FreeIsoSurface() {
  std::free(State.FieldGrid);
  std::free(State.InsideFlags);
  std::free(State.EdgeVertexIndex);
  std::free(State.VertexBuffer);
  std::free(State.TriangleBuffer);
  State.FieldGrid = nullptr;
  State.InsideFlags = nullptr;
  State.EdgeVertexIndex = nullptr;
  State.VertexBuffer = nullptr;
  State.TriangleBuffer = nullptr;
  State.VertexCount = State.TriangleCount = 0;
}

bool IsoSurfaceReady() {
  return State.FieldGrid && State.InsideFlags && State.EdgeVertexIndex && State.VertexBuffer && State.TriangleBuffer;
}

float IsoStep(int axis) { return State.Step[axis]; }
float IsoGridCoordinate(int axis, int index) { return State.Coordinate[axis][index]; }

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
// version, so the results do not depend on the CPU). The CPU is asked at run time rather
// than through ifunc, which only ELF systems have.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define LUMARO_FIELD_AVX2 1
#endif
namespace {
[[gnu::always_inline]] inline void FillFieldLoops(const Vec3* centres, int count, float swell) {
  for (int b = 0; b < count; ++b) {
    const float c[3] = {centres[b].x, centres[b].y, centres[b].z};
    for (int axis = 0; axis < 3; ++axis)
      for (int i = 0; i < 32; ++i) {
        const float d = State.Coordinate[axis][i] - c[axis];
        State.Square[b][axis][i] = d * d;
      }
  }
  float row[32];
  for (int k = 0; k < kIsoPoints; ++k)
    for (int j = 0; j < kIsoPoints; ++j) {
      // Summed ball by ball in order (0 + w is exactly w): ((dx^2 + dy^2) + dz^2), then 1/d^2,
      // or 1000 at a centre. Whole rows of 32 so the loop runs in vectors.
      for (float& r : row) r = 0;
      for (int b = 0; b < count; ++b) {
        const float dy = State.Square[b][1][j], dz = State.Square[b][2][k];
        for (int i = 0; i < 32; ++i) {
          const float d2 = (State.Square[b][0][i] + dy) + dz;
          const float w = 1 / d2;  // divided in every lane (inf at a centre), then chosen
          row[i] += d2 == 0 ? 1000.0f : w;
        }
      }
      const int p = (k * kIsoPoints + j) * kIsoPoints;
      for (int i = 0; i < kIsoPoints; ++i) {
        const float f = (row[i] - State.Threshold) + swell;
        State.FieldGrid[p + i] = f;
        State.InsideFlags[p + i] = f > 0 ? 0xFF : 0;
      }
    }
}

#ifdef LUMARO_FIELD_AVX2
[[gnu::target("avx2")]] void FillFieldAvx2(const Vec3* centres, int count, float swell) {
  FillFieldLoops(centres, count, swell);
}

bool HasAvx2() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return has;
}
#endif
}  // namespace

void FillField(const Vec3* centres, int count, float swell) {
#ifdef LUMARO_FIELD_AVX2
  if (HasAvx2()) return FillFieldAvx2(centres, count, swell);
#endif
  FillFieldLoops(centres, count, swell);
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
      const uint8_t* row = State.InsideFlags + (k * kIsoPoints + j) * kIsoPoints;
      int inside = 0;
      for (int i = 0; i < kIsoPoints; ++i) inside += row[i] != 0;
      State.RowState[k][j] = inside == 0 ? RowOutside : inside == kIsoPoints ? RowInside : RowMixed;
    }
}
}  // namespace

void PolygoniseField() {
  const IsoCaseTables& tables = *CaseTables();
  const auto& rows = State.RowState;
  State.VertexCount = State.TriangleCount = 0;
  ClassifyRows();
  for (int k = 0; k < kIsoEdgeStarts; ++k)
    for (int j = 0; j < kIsoEdgeStarts; ++j) {
      if (SameUniform({rows[k][j], rows[k][j + 1], rows[k + 1][j]})) continue;
      for (int i = 0; i < kIsoEdgeStarts; ++i) {
        const int p = (k * kIsoPoints + j) * kIsoPoints + i;
        for (int axis = 0; axis < 3; ++axis)
          if (State.InsideFlags[p] != State.InsideFlags[p + kStride[axis]]) AddEdgeVertex(axis, i, j, k, p);
      }
    }
  for (int k = 0; k < kIsoCells; ++k)
    for (int j = 0; j < kIsoCells; ++j) {
      if (SameUniform({rows[k][j], rows[k][j + 1], rows[k + 1][j], rows[k + 1][j + 1]})) continue;
      for (int i = 0; i < kIsoCells; ++i) {
        const int p = (k * kIsoPoints + j) * kIsoPoints + i;
        int c = 0;
        for (int m = 0; m < 8; ++m)
          if (State.InsideFlags[p + (m & 1) + kIsoPoints * ((m >> 1) & 1) + kIsoPoints * kIsoPoints * ((m >> 2) & 1)])
            c |= 1 << m;
        const int32_t* row = tables.CaseTriangleTable[c];
        for (int n = 0; n < tables.CaseTriangleCount[c]; ++n) {
          int32_t(&t)[3] = State.TriangleBuffer[State.TriangleCount++];
          for (int v = 0; v < 3; ++v) {
            const int32_t* e = tables.CubeEdgeTable[row[3 * n + v]];
            t[v] = State.EdgeVertexIndex[EdgeSlot(e[0], i + e[1], j + e[2], k + e[3])];
          }
          AddFaceNormal(t);
        }
      }
    }
  for (int v = 0; v < State.VertexCount; ++v) {
    IsoVertex& x = State.VertexBuffer[v];
    const float length = std::sqrt(x.nx * x.nx + x.ny * x.ny + x.nz * x.nz);
    if (length != 0) x.nx /= length, x.ny /= length, x.nz /= length;
  }
}

void BuildIsoSurface(float t) {
  if (!IsoSurfaceReady()) return;
  State.VertexCount = State.TriangleCount = 0;
  EvaluateMetaballField(t);
  PolygoniseField();
}

}  // namespace lumaro
