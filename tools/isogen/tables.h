// The iso-surface's corner cases, derived from how a cell is cut.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace isogen {

struct Edge {
  int axis, dx, dy, dz;
  int a, b;  // the corners it joins
};
extern const Edge Edges[12];

using Triangle = std::array<int, 3>;
struct Tables {
  std::vector<Triangle> triangles[256];
};

Tables DeriveTables();
bool IsHoleCase(int c);  // four inside corners not all linked
bool MatchesKnownRows(const Tables& tables, std::string* why);

}  // namespace isogen
