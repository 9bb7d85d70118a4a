// Derives the iso-surface tables and writes them as int32 values, little-endian, one after
// another: the cube's twelve edges (axis, dx, dy, dz), the triangle count of each of the
// 256 corner cases, and each case's triangles (edge numbers, three per triangle, rows of
// three times MostTriangles). It checks itself against the rows the surface is known by
// before writing anything.
// usage: isogen OUT.bin
//
// How a case is cut. Corner m of a cell sits at (bit 0, bit 1, bit 2) of m; a case is the
// set of inside corners. On each face the cut edges are joined by segments that keep the
// inside corners from the outside ones; on an ambiguous face (two diagonal inside corners)
// each inside corner is cut off by its own segment, so the two cells sharing a face always
// cut it alike and the surface has no cracks. The segments close into loops, one polygon
// each, wound counter-clockwise seen from outside. Where the loops are those of cutting off
// the smaller corner set group by group, the polygon is split like the known polygon of its
// shape (a corner, an edge, an L of three, a face, a corner with its three neighbours, a
// zigzag of four as a middle triangle and three ears), carried over by the first of the
// cube's 48 symmetries that fits, triangles starting at their lowest edge: the known rows
// come out exactly. The other cases (ambiguous faces with five or more inside corners, and
// four inside corners not all linked) split each loop so that its thinnest triangle is as
// wide as can be.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tables.h"

namespace {
bool MatchesKnownRows(const isogen::Tables& tables, std::string* why) {
  const struct {
    int c;
    std::vector<isogen::Triangle> triangles;
  } rows[] = {
      {1, {{0, 4, 8}}},
      {3, {{4, 9, 5}, {4, 8, 9}}},
      {6, {{0, 9, 5}, {1, 10, 4}}},
      {7, {{1, 10, 8}, {1, 8, 5}, {5, 8, 9}}},
      {15, {{9, 11, 10}, {8, 9, 10}}},
      {23, {{5, 1, 9}, {6, 2, 10}, {2, 1, 10}, {9, 1, 2}}},
      {128, {{3, 11, 7}}},
      {254, {{0, 8, 4}}},
  };
  for (const auto& row : rows)
    if (tables.triangles[row.c] != row.triangles) {
      *why = "case " + std::to_string(row.c) + " differs from its known row";
      return false;
    }
  size_t most = 0;
  for (int c = 1; c < 255; ++c) {
    size_t split = 0;  // a loop of n cut edges gives n - 2 triangles
    for (const auto& loop : tables.loops[c]) split += loop.size() - 2;
    if (tables.triangles[c].empty() || tables.triangles[c].size() != split) {
      *why = "case " + std::to_string(c) + " does not cover its loops";
      return false;
    }
    most = std::max(most, split);
  }
  if (most != isogen::kMostTriangles) {
    *why = "the most triangles a case needs is " + std::to_string(most);
    return false;
  }
  const int formerHoles[] = {30,  45,  54,  57,  60,  75,  86,  89,  90,  99,  101, 102, 105, 106, 108, 120,
                             135, 147, 149, 150, 153, 154, 156, 165, 166, 169, 180, 195, 198, 201, 210, 225};
  for (int c : formerHoles)
    if (!isogen::IsHoleCase(c) || !tables.changed[c]) {
      *why = "case " + std::to_string(c) + " should be split anew";
      return false;
    }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: isogen OUT.bin\n");
    return 2;
  }
  const isogen::Tables tables = isogen::DeriveTables();
  std::string why;
  if (!MatchesKnownRows(tables, &why)) {
    std::fprintf(stderr, "isogen: the derived table does not hold: %s\n", why.c_str());
    return 1;
  }
  std::vector<int32_t> out;
  for (const auto& edge : isogen::kEdges) out.insert(out.end(), {edge.axis, edge.dx, edge.dy, edge.dz});
  for (int c = 0; c < 256; ++c) out.push_back(static_cast<int32_t>(tables.triangles[c].size()));
  for (int c = 0; c < 256; ++c) {
    std::array<int32_t, 3 * isogen::kMostTriangles> row{};
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
