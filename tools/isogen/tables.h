// The iso-surface's corner cases, derived from how a cell is cut.
#pragma once
#include <array>
#include <vector>

namespace isogen {

struct Edge {
  int axis, dx, dy, dz;
  int a, b;  // the corners it joins
};
extern const Edge kEdges[12];

// The most triangles a case needs (a seven-edge loop, or a hexagon beside a lone corner):
// the written rows are this wide.
constexpr int kMostTriangles = 5;

using Triangle = std::array<int, 3>;
struct Tables {
  std::vector<std::vector<int>> loops[256];  // each case's polygons, as loops of cut edges
  std::vector<Triangle> triangles[256];
  bool changed[256] = {};  // split anew, the loops not being those of the smaller-set rule
};

Tables DeriveTables();
bool IsHoleCase(int c);  // four inside corners not all linked

}  // namespace isogen
