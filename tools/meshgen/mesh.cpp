#include "mesh.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace meshgen {

namespace {
std::tuple<long, long, long> Key(Vec3 v, double scale) {
  // Rounded so that points mirrored onto themselves (and -0 against 0) weld.
  return {std::lround(v.x * scale), std::lround(v.y * scale), std::lround(v.z * scale)};
}

int Index(std::map<std::tuple<long, long, long>, int>& index, std::vector<Vec3>& values, Vec3 v, double scale) {
  auto [at, added] = index.emplace(Key(v, scale), static_cast<int>(values.size()));
  if (added) values.push_back(v);
  if (values.size() > 32767) throw std::runtime_error("more than 32767 entries: indices leave int16");
  return at->second;
}

void PutLittle(std::FILE* f, const void* data, size_t bytes) {
  // Every platform we build on is little-endian; the stored format is too.
  std::fwrite(data, 1, bytes, f);
}
}  // namespace

int Mesh::AddPosition(Vec3 p) { return Index(positionIndex, positions, p, 1e6); }

int Mesh::AddNormal(Vec3 n) { return Index(normalIndex, normals, lumaro::Normalized(n), 1e5); }

void Mesh::AddTriangle(const Vec3 p[3], const Vec3 n[3]) {
  int order[3] = {0, 1, 2};
  const Vec3 facing = lumaro::Cross(p[1] - p[0], p[2] - p[0]);
  if (lumaro::Dot(facing, n[0] + n[1] + n[2]) < 0) std::swap(order[1], order[2]);
  Face face;
  for (int k = 0; k < 3; ++k) {
    face.vertex[k] = static_cast<int16_t>(AddPosition(p[order[k]]));
    face.normal[k] = static_cast<int16_t>(AddNormal(n[order[k]]));
  }
  faces.push_back(face);
}

bool Mesh::Write(const std::string& path) const {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  for (const Face& face : faces) {
    PutLittle(f, face.vertex, sizeof face.vertex);
    PutLittle(f, face.normal, sizeof face.normal);
  }
  for (const Vec3& p : positions) PutLittle(f, &p, sizeof p);
  for (const Vec3& n : normals) PutLittle(f, &n, sizeof n);
  const bool ok = !std::ferror(f);
  return std::fclose(f) == 0 && ok;
}

std::vector<Symmetry> CubeSymmetries() {
  const int permutations[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  const bool odd[6] = {false, true, true, false, false, true};
  std::vector<Symmetry> all;
  for (int p = 0; p < 6; ++p)
    for (int signs = 0; signs < 8; ++signs) {
      Symmetry s{{permutations[p][0], permutations[p][1], permutations[p][2]}, {1, 1, 1}, odd[p]};
      for (int k = 0; k < 3; ++k)
        if (signs & (1 << k)) {
          s.sign[k] = -1;
          s.mirrors = !s.mirrors;
        }
      all.push_back(s);
    }
  return all;
}

Vec3 Apply(const Symmetry& s, Vec3 p) {
  const float in[3] = {p.x, p.y, p.z};
  return {s.sign[0] * in[s.axis[0]], s.sign[1] * in[s.axis[1]], s.sign[2] * in[s.axis[2]]};
}

void AddGeodesicSphere(Mesh& mesh, Vec3 centre, float radius, int divisions) {
  const float g = (1 + std::sqrt(5.0f)) / 2;
  const Vec3 corner[12] = {{-1, g, 0},  {1, g, 0},  {-1, -g, 0}, {1, -g, 0}, {0, -1, g},  {0, 1, g},
                           {0, -1, -g}, {0, 1, -g}, {g, 0, -1},  {g, 0, 1},  {-g, 0, -1}, {-g, 0, 1}};
  const int face[20][3] = {{0, 11, 5},  {0, 5, 1},  {0, 1, 7},  {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                           {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
                           {3, 8, 9},   {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
  const float n = static_cast<float>(divisions);
  for (const auto& f : face) {
    const Vec3 a = corner[f[0]], b = corner[f[1]], c = corner[f[2]];
    // Barycentric grid point (i, j) of the face, pushed out onto the unit sphere.
    auto point = [&](int i, int j) { return lumaro::Normalized(a * ((n - i - j) / n) + b * (i / n) + c * (j / n)); };
    for (int i = 0; i < divisions; ++i)
      for (int j = 0; i + j < divisions; ++j) {
        const Vec3 up[3] = {point(i, j), point(i + 1, j), point(i, j + 1)};
        const Vec3 pu[3] = {centre + up[0] * radius, centre + up[1] * radius, centre + up[2] * radius};
        mesh.AddTriangle(pu, up);
        if (i + j + 2 <= divisions) {
          const Vec3 down[3] = {point(i + 1, j), point(i + 1, j + 1), point(i, j + 1)};
          const Vec3 pd[3] = {centre + down[0] * radius, centre + down[1] * radius, centre + down[2] * radius};
          mesh.AddTriangle(pd, down);
        }
      }
  }
}

}  // namespace meshgen
