// Eight metaballs turned into a lit triangle mesh every frame: the field is sampled on a
// 31^3 grid, every grid edge whose ends differ gets one vertex by linear interpolation, and
// each cell's triangles come from a 256-case table of its inside corners. Vertices are
// shared through the edges and the table cuts every face the same way from both cells
// that share it, so the mesh is closed except at the outer faces of the polygonised box.
// No GL here; scene 13 draws the buffers. Nothing is allocated per frame.
#pragma once
#include <cstdint>

#include "base/vec3.h"

namespace lumaro {

constexpr int kIsoPoints = 31;             // grid points per axis
constexpr int kIsoCells = kIsoPoints - 2;  // the last layer of cells is not polygonised
constexpr int kIsoPointCount = kIsoPoints * kIsoPoints * kIsoPoints;
constexpr int kIsoEdgeStarts = kIsoPoints - 1;  // points per axis an edge leaves from
constexpr int kIsoEdgeSlots = 3 * kIsoEdgeStarts * kIsoEdgeStarts * kIsoEdgeStarts;
constexpr int kIsoMaxCaseTriangles = 5;  // the most any corner case needs (isogen checks it)
constexpr int kIsoMaxTriangles = kIsoCells * kIsoCells * kIsoCells * kIsoMaxCaseTriangles;  // every cell at its most
constexpr int kMetaballCount = 8;

struct IsoVertex {
  float x, y, z;
  float nx, ny, nz;
};

// The field's grid and the mesh built from it; the buffers are null until InitIsoSurface.
struct IsoMesh {
  float* FieldGrid = nullptr;
  uint8_t* InsideFlags = nullptr;      // 0xFF where the field is above 0
  int32_t* EdgeVertexIndex = nullptr;  // [axis][k][j][i], valid only for edges cut in this build
  IsoVertex* VertexBuffer = nullptr;
  int32_t (*TriangleBuffer)[3] = nullptr;
  int32_t VertexCount = 0, TriangleCount = 0;
};
const IsoMesh& BuiltMesh();

// The tables, read once from the embedded block: (axis, dx, dy, dz) of the twelve edges,
// the triangle count of each case and its edge numbers, three a triangle.
struct IsoCaseTables {
  int32_t CubeEdgeTable[12][4];
  int32_t CaseTriangleCount[256];
  int32_t CaseTriangleTable[256][3 * kIsoMaxCaseTriangles];
};
const IsoCaseTables* CaseTables();  // null when the block is damaged

// Allocates the buffers and reads the tables; false with a message when either fails (the
// scene then draws without its blobs).
bool InitIsoSurface(float xmin, float xmax, float ymin, float ymax, float zmin, float zmax, float threshold);
void FreeIsoSurface();
bool IsoSurfaceReady();

void MetaballCentres(float t, Vec3 centres[kMetaballCount]);
void EvaluateMetaballField(float t);
void BuildIsoSurface(float t);

// The field of any balls: sum of 1/d^2 (1000 at a ball's centre), less the threshold,
// plus `swell`; and the polygonisation of whatever field is in the grid. For tests.
void FillField(const Vec3* centres, int count, float swell);
void PolygoniseField();
float IsoStep(int axis);
float IsoGridCoordinate(int axis, int index);  // the box's minimum plus index steps

}  // namespace lumaro
