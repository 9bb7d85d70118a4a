// The ornament mesh, read back from the bytes embedded in the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <vector>

#include "assets/assets.h"
#include "scenes/ornament_mesh.h"

using namespace lumaro;

namespace {
struct Shell {
  std::vector<int> faces;
  std::vector<int> vertices;
};

OrnamentMesh Mesh() {
  OrnamentMesh mesh;
  const Status parsed = ParseOrnamentMesh(kOrnamentMeshBlock.data, kOrnamentMeshBlock.size, &mesh);
  EXPECT_TRUE(parsed.ok()) << parsed.why();
  return mesh;
}

int Find(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// Connected pieces: faces sharing a vertex index belong together.
std::vector<Shell> Shells(const OrnamentMesh& mesh) {
  std::vector<int> parent(mesh.positionCount);
  std::iota(parent.begin(), parent.end(), 0);
  for (int f = 0; f < mesh.faceCount; ++f) {
    const OrnamentFace face = OrnamentFaceAt(mesh, f);
    parent[Find(parent, face.vertex[1])] = Find(parent, face.vertex[0]);
    parent[Find(parent, face.vertex[2])] = Find(parent, face.vertex[0]);
  }
  std::map<int, Shell> byRoot;
  for (int f = 0; f < mesh.faceCount; ++f) byRoot[Find(parent, OrnamentFaceAt(mesh, f).vertex[0])].faces.push_back(f);
  for (int v = 0; v < mesh.positionCount; ++v) byRoot[Find(parent, v)].vertices.push_back(v);
  std::vector<Shell> shells;
  for (auto& [root, shell] : byRoot) shells.push_back(shell);
  return shells;
}

double SignedVolume(const OrnamentMesh& mesh, const Shell& shell) {
  double volume = 0;
  for (int f : shell.faces) {
    const OrnamentFace face = OrnamentFaceAt(mesh, f);
    const Vec3 a = OrnamentPosition(mesh, face.vertex[0]), b = OrnamentPosition(mesh, face.vertex[1]),
               c = OrnamentPosition(mesh, face.vertex[2]);
    volume += Dot(a, Cross(b, c)) / 6.0;
  }
  return volume;
}

// Distance in a plane from the origin to the segment a-b.
float DistanceToSegment(float ax, float ay, float bx, float by) {
  const float dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
  const float t = length2 > 0 ? std::clamp(-(ax * dx + ay * dy) / length2, 0.0f, 1.0f) : 0.0f;
  return std::hypot(ax + t * dx, ay + t * dy);
}
}  // namespace

TEST(OrnamentMesh, TheBlockSplitsIntoFacesPositionsAndNormals) {
  const OrnamentMesh mesh = Mesh();
  EXPECT_EQ(kOrnamentMeshBlock.size, kOrnamentRecordBytes * (mesh.faceCount + mesh.positionCount + mesh.normalCount));
  EXPECT_LE(mesh.positionCount, 32767);
  for (int f = 0; f < mesh.faceCount; ++f) {
    const OrnamentFace face = OrnamentFaceAt(mesh, f);
    for (int k = 0; k < 3; ++k) {
      ASSERT_GE(face.vertex[k], 0);
      ASSERT_LT(face.vertex[k], mesh.positionCount);
      ASSERT_LT(face.normal[k], mesh.normalCount);
    }
  }
  for (int n = 0; n < mesh.normalCount; ++n) ASSERT_NEAR(Length(OrnamentNormal(mesh, n)), 1.0f, 1e-5) << n;
  for (int v = 0; v < mesh.positionCount; ++v) {
    const Vec3 p = OrnamentPosition(mesh, v);
    ASSERT_LE(std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}), 0.5f + 1e-6f) << v;
  }
  // A block one record short, or with a stray byte, has no consistent split.
  OrnamentMesh broken;
  EXPECT_FALSE(ParseOrnamentMesh(kOrnamentMeshBlock.data, kOrnamentMeshBlock.size - 12, &broken).ok());
  EXPECT_FALSE(ParseOrnamentMesh(kOrnamentMeshBlock.data, kOrnamentMeshBlock.size - 1, &broken).ok());
}

TEST(OrnamentMesh, FifteenOutwardShellsACageAndFourteenGeodesicBalls) {
  const OrnamentMesh mesh = Mesh();
  const std::vector<Shell> shells = Shells(mesh);
  ASSERT_EQ(shells.size(), 15u);
  int cages = 0, inner = 0, outer = 0;
  for (const Shell& shell : shells) {
    EXPECT_GT(SignedVolume(mesh, shell), 0) << "a shell wound inside out";
    if (shell.vertices.size() != 252) {
      ++cages;
      continue;
    }
    EXPECT_EQ(shell.faces.size(), 500u);
    Vec3 centre{0, 0, 0};
    for (int v : shell.vertices) centre = centre + OrnamentPosition(mesh, v) * (1.0f / 252);
    float low = 1, high = 0;
    for (int v : shell.vertices) {
      const float r = Length(OrnamentPosition(mesh, v) - centre);
      low = std::min(low, r), high = std::max(high, r);
    }
    EXPECT_NEAR(low, high, 1e-5);                             // a sphere
    (std::fabs(high - 0.125f) < 1e-5f ? inner : outer) += 1;  // in the octants, or in the openings
  }
  EXPECT_EQ(cages, 1);
  EXPECT_EQ(inner, 8);
  EXPECT_EQ(outer, 6);
}

TEST(OrnamentMesh, TheCageHugsTheCoordinatePlanesAndKeepsItsOpeningsClear) {
  const OrnamentMesh mesh = Mesh();
  std::vector<Shell> shells = Shells(mesh);
  const Shell& cage = *std::max_element(shells.begin(), shells.end(),
                                        [](const Shell& a, const Shell& b) { return a.faces.size() < b.faces.size(); });
  for (int v : cage.vertices) {
    const Vec3 p = OrnamentPosition(mesh, v);
    ASSERT_LE(std::min({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)}), 0.125f + 1e-6f) << v;
  }
  // Each opening is a disc of radius 1/6 in a face of the cube of half-size 5/12. Where a
  // cage triangle meets a face's plane, it keeps out of the disc (a chord of the round rim
  // may cut a hair inside it).
  const float plane = 5.0f / 12, radius = 1.0f / 6, chord = 2e-4f;
  for (int f : cage.faces) {
    const OrnamentFace face = OrnamentFaceAt(mesh, f);
    for (int axis = 0; axis < 3; ++axis)
      for (float side : {-plane, plane}) {
        std::array<std::array<float, 3>, 3> q;  // (height above the plane, two in-plane coordinates)
        for (int k = 0; k < 3; ++k) {
          const Vec3 p = OrnamentPosition(mesh, face.vertex[k]);
          const float c[3] = {p.x, p.y, p.z};
          q[k] = {c[axis] - side, c[(axis + 1) % 3], c[(axis + 2) % 3]};
        }
        std::vector<std::array<float, 2>> cut;  // where the triangle meets the plane
        for (int k = 0; k < 3; ++k) {
          const auto& a = q[k];
          const auto& b = q[(k + 1) % 3];
          if (std::fabs(a[0]) < 1e-6f) cut.push_back({a[1], a[2]});
          if ((a[0] < -1e-6f && b[0] > 1e-6f) || (a[0] > 1e-6f && b[0] < -1e-6f)) {
            const float t = a[0] / (a[0] - b[0]);
            cut.push_back({a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])});
          }
        }
        for (size_t i = 0; i < cut.size(); ++i)
          for (size_t j = i; j < cut.size(); ++j)
            ASSERT_GE(DistanceToSegment(cut[i][0], cut[i][1], cut[j][0], cut[j][1]), radius - chord)
                << "triangle " << f << " crosses the opening on axis " << axis;
      }
  }
}
