// An indexed triangle mesh as the demo stores it: faces of three vertex and three normal
// indices, positions and unit normals, each welded so equal values are stored once.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "base/vec3.h"

namespace meshgen {

using lumaro::Vec3;

struct Face {
  int16_t vertex[3];
  int16_t normal[3];
};

struct Mesh {
  std::vector<Face> faces;
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::map<std::tuple<long, long, long>, int> positionIndex, normalIndex;

  int AddPosition(Vec3 p);
  int AddNormal(Vec3 n);
  // One triangle; its winding is turned when needed so it runs counter-clockwise seen
  // from the side its normals point to.
  void AddTriangle(const Vec3 p[3], const Vec3 n[3]);
  bool Write(const std::string& path) const;  // faces, positions, normals; little-endian, no header
};

// A 3 x 3 matrix of the cube's symmetries: signed axis permutations.
struct Symmetry {
  int axis[3];  // output coordinate k takes input coordinate axis[k]
  float sign[3];
  bool mirrors;  // determinant -1: windings turn over
};
std::vector<Symmetry> CubeSymmetries();  // all 48
Vec3 Apply(const Symmetry& s, Vec3 p);

// The cage of three crossed square rings, built as a patch of the region 0 <= z <= y <= x
// and mirrored into the other 47.
void AddCage(Mesh& mesh);
// A geodesic sphere: an icosahedron with its edges cut in `divisions`.
void AddGeodesicSphere(Mesh& mesh, Vec3 centre, float radius, int divisions);

}  // namespace meshgen
