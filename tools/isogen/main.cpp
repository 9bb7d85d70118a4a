// Derives the iso-surface tables and writes them as int32 values, little-endian, one after
// another: the cube's twelve edges (axis, dx, dy, dz), the triangle count of each of the
// 256 corner cases, and each case's triangles (edge numbers, three per triangle, twelve a
// row). It checks itself against the rows the surface is known by before writing anything.
// usage: isogen OUT.bin
//
// How a case is cut. Corner m of a cell sits at (bit 0, bit 1, bit 2) of m; a case is the
// set of inside corners. Take the smaller of the inside and outside sets (with four and four
// the inside set, which is then linked); each group of its corners linked by cube edges is
// cut off by one polygon through the cut edges around it, ordered face by face and wound
// counter-clockwise seen from outside. Four inside corners that are not all linked leave a
// hole: no triangles. A polygon is split like the known polygon of its shape (a corner, an
// edge, an L of three, a face, a corner with its three neighbours), carried over by the one
// of the cube's 48 symmetries found first; triangles then start at their lowest edge. Known
// rows stay exactly as known; the one shape no row shows (a zigzag of four corners) is
// split into a middle triangle and three ears.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "tables.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: isogen OUT.bin\n");
    return 2;
  }
  const isogen::Tables tables = isogen::DeriveTables();
  std::string why;
  if (!isogen::MatchesKnownRows(tables, &why)) {
    std::fprintf(stderr, "isogen: the derived table does not hold: %s\n", why.c_str());
    return 1;
  }
  std::vector<int32_t> out;
  for (const auto& edge : isogen::Edges) out.insert(out.end(), {edge.axis, edge.dx, edge.dy, edge.dz});
  for (int c = 0; c < 256; ++c) out.push_back(static_cast<int32_t>(tables.triangles[c].size()));
  for (int c = 0; c < 256; ++c) {
    std::array<int32_t, 12> row{};
    for (size_t t = 0; t < tables.triangles[c].size(); ++t)
      for (int k = 0; k < 3; ++k) row[3 * t + k] = tables.triangles[c][t][k];
    out.insert(out.end(), row.begin(), row.end());
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f || std::fwrite(out.data(), sizeof(int32_t), out.size(), f) != out.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "isogen: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
