// The ornament's cage: three square rings in the coordinate planes, each 5/6 across with
// flat outer faces on the cube of half-size 5/12, hollowed on the inside by the sphere of
// radius 5/12, and pierced where two rings cross by a round opening of radius 1/6. A ring
// is 1/4 thick where it crosses the others and tapers from there to a sharp point at each
// corner. The solid is mirror-symmetric in all 48 ways of the cube, so one patch of its
// surface in the region 0 <= z <= y <= x is built and mirrored. There the solid is
//   { x <= 5/12, z <= taper(y), |p| >= 5/12, y^2 + z^2 >= 1/36 }
// with taper(y) = 1/8 up to y = 1/8, falling to 0 at the corner y = 5/12. Its surface has
// four smooth parts, one per limit: the outer face, the ring's sloped side, the hollow and
// the opening's wall. Curves shared by two parts use the same samples, and each part has
// its own normals, so the creases stay sharp.
#include <array>
#include <cmath>
#include <vector>

#include "mesh.h"

namespace meshgen {

namespace {
constexpr float kOuter = 5.0f / 12;                                   // flat outer faces
constexpr float kHalfThickness = 1.0f / 8;                            // the rings where they cross
constexpr float kHollow = 5.0f / 12;                                  // radius of the hollowed inner side
constexpr float kOpening = 1.0f / 6;                                  // radius of the openings at the face centres
constexpr float kSlope = kHalfThickness / (kOuter - kHalfThickness);  // of the side towards the corner
constexpr float kDegrees = 3.14159265f / 180;

// Samples: the opening's quarter arc, the hollow's edge along the mirror line x = y and
// along the side, the sloped edge of the outer face, across the hollow, the opening's wall.
constexpr int kArcSteps = 12, kMirrorSteps = 4, kCreaseSteps = kArcSteps - kMirrorSteps, kEdgeSteps = 12;
constexpr int kAcrossSteps = 6, kWallSteps = 2;

using Curve = std::vector<Vec3>;

float Taper(float y) { return y <= kHalfThickness ? kHalfThickness : (kOuter - y) * kSlope; }

Vec3 Lerp(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }

// The sphere point above (y, z) on the hollow.
Vec3 OnHollow(float y, float z) { return {std::sqrt(kHollow * kHollow - y * y - z * z), y, z}; }

// Where the sloped side meets the hollow on the mirror line x = y: 2y^2 + taper(y)^2 = R^2.
float SideMeetsMirror() {
  float low = kHalfThickness, high = kOuter;
  for (int i = 0; i < 60; ++i) {
    const float y = (low + high) / 2, z = Taper(y);
    (2 * y * y + z * z < kHollow * kHollow ? low : high) = y;
  }
  return (low + high) / 2;
}

// A grid over four boundary curves (left and right with the same count, bottom and top
// with the same count, meeting at the corners), filled in by transfinite interpolation and
// then placed by `place`, which puts interior points onto their surface.
template <typename Place>
std::vector<Curve> Coons(const Curve& left, const Curve& right, const Curve& bottom, const Curve& top, Place place) {
  const int rows = static_cast<int>(left.size()), columns = static_cast<int>(bottom.size());
  std::vector<Curve> grid(rows, Curve(columns));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const float u = static_cast<float>(c) / (columns - 1), v = static_cast<float>(r) / (rows - 1);
      if (c == 0)
        grid[r][c] = left[r];
      else if (c == columns - 1)
        grid[r][c] = right[r];
      else if (r == 0)
        grid[r][c] = bottom[c];
      else if (r == rows - 1)
        grid[r][c] = top[c];
      else {
        const Vec3 p = Lerp(left[r], right[r], u) + Lerp(bottom[c], top[c], v) -
                       Lerp(Lerp(left[0], right[0], u), Lerp(left[rows - 1], right[rows - 1], u), v);
        grid[r][c] = place(p);
      }
    }
  return grid;
}

using Triangles = std::vector<std::array<Vec3, 6>>;  // three corners, three normals

void AddTriangle(Triangles& out, Vec3 p, Vec3 q, Vec3 s, Vec3 np, Vec3 nq, Vec3 ns) {
  if (lumaro::Length(lumaro::Cross(q - p, s - p)) < 1e-12f) return;  // a collapsed corner
  out.push_back({p, q, s, np, nq, ns});
}

// A flat part between two curves that run side by side (any counts), triangle by triangle
// along whichever curve is behind.
void AddZipper(Triangles& out, const Curve& a, const Curve& b, Vec3 normal) {
  size_t i = 0, j = 0;
  while (i + 1 < a.size() || j + 1 < b.size()) {
    const bool stepA = j + 1 >= b.size() || (i + 1 < a.size() && (i + 1) * (b.size() - 1) <= (j + 1) * (a.size() - 1));
    if (stepA) {
      AddTriangle(out, a[i], a[i + 1], b[j], normal, normal, normal);
      ++i;
    } else {
      AddTriangle(out, a[i], b[j + 1], b[j], normal, normal, normal);
      ++j;
    }
  }
}
}  // namespace

namespace {
template <typename NormalAt>
void AddGrid(Triangles& out, const std::vector<Curve>& grid, NormalAt normalAt) {
  for (size_t r = 0; r + 1 < grid.size(); ++r)
    for (size_t c = 0; c + 1 < grid[r].size(); ++c) {
      const Vec3 a = grid[r][c], b = grid[r][c + 1], d = grid[r + 1][c], e = grid[r + 1][c + 1];
      AddTriangle(out, a, b, e, normalAt(a), normalAt(b), normalAt(e));
      AddTriangle(out, a, e, d, normalAt(a), normalAt(e), normalAt(d));
    }
}
}  // namespace

void AddCage(Mesh& mesh) {
  // Shared curves, all in 3D.
  Curve holeRim, holeFloor;  // the opening's edge on the outer face and on the hollow
  const float floorX = std::sqrt(kHollow * kHollow - kOpening * kOpening);
  for (int k = 0; k <= kArcSteps; ++k) {
    const float a = 45 * kDegrees * k / kArcSteps, y = kOpening * std::cos(a), z = kOpening * std::sin(a);
    holeRim.push_back({kOuter, y, z});
    holeFloor.push_back({floorX, y, z});
  }
  // The outer face's sloped edge, from the ring's point (5/12, 5/12, 0) to (5/12, 1/8, 1/8).
  Curve faceEdge;
  for (int k = 0; k <= kEdgeSteps; ++k) {
    const float y = kOuter + (kHalfThickness - kOuter) * k / kEdgeSteps;
    faceEdge.push_back({kOuter, y, Taper(y)});
  }
  faceEdge.back() = {kOuter, kHalfThickness, kHalfThickness};
  // The hollow's edge: up the mirror line x = y to the side, then along the side's crease
  // to y = z = 1/8.
  const float meet = SideMeetsMirror();
  Curve hollowEdge;
  for (int k = 0; k <= kMirrorSteps; ++k) {
    const float z = Taper(meet) * k / kMirrorSteps, y = std::sqrt((kHollow * kHollow - z * z) / 2);
    hollowEdge.push_back({y, y, z});
  }
  for (int k = 1; k <= kCreaseSteps; ++k) {
    const float y = meet + (kHalfThickness - meet) * k / kCreaseSteps;
    hollowEdge.push_back(OnHollow(y, Taper(y)));
  }
  const Curve crease(hollowEdge.begin() + kMirrorSteps, hollowEdge.end());

  Triangles patch;
  // Outer face, x = 5/12: between the opening's rim and the sloped edge.
  AddZipper(patch, holeRim, faceEdge, {1, 0, 0});
  // The ring's sloped side: between its crease with the hollow and its edge on the outer face.
  const Curve sideEdge(faceEdge.rbegin(), faceEdge.rend());  // from y = 1/8 out to the point
  const Curve sideCrease(crease.rbegin(), crease.rend());
  AddZipper(patch, sideCrease, sideEdge, {0, kSlope, 1});
  // The hollow: from the opening's floor out to its edge, on the sphere.
  auto onHollow = [](Vec3 p) { return OnHollow(p.y, p.z); };
  Curve hollowBottom, hollowTop;  // along z = 0 and along y = z
  for (int c = 0; c <= kAcrossSteps; ++c) {
    const float u = static_cast<float>(c) / kAcrossSteps;
    hollowBottom.push_back(onHollow(Lerp(holeFloor.front(), hollowEdge.front(), u)));
    hollowTop.push_back(onHollow(Lerp(holeFloor.back(), hollowEdge.back(), u)));
  }
  hollowBottom.front() = holeFloor.front(), hollowBottom.back() = hollowEdge.front();
  hollowTop.front() = holeFloor.back(), hollowTop.back() = hollowEdge.back();
  AddGrid(patch, Coons(holeFloor, hollowEdge, hollowBottom, hollowTop, onHollow), [](Vec3 p) { return p * -1.0f; });
  // The opening's wall, a cylinder around the x axis between the hollow and the outer face.
  std::vector<Curve> wall(kWallSteps + 1);
  for (int r = 0; r <= kWallSteps; ++r)
    for (const Vec3& p : holeRim) wall[r].push_back({floorX + (kOuter - floorX) * r / kWallSteps, p.y, p.z});
  wall.front() = holeFloor;
  wall.back() = holeRim;
  AddGrid(patch, wall, [](Vec3 p) { return Vec3{0, -p.y, -p.z}; });

  for (const Symmetry& s : CubeSymmetries())
    for (const auto& t : patch) {
      const Vec3 p[3] = {Apply(s, t[0]), Apply(s, t[1]), Apply(s, t[2])};
      const Vec3 n[3] = {Apply(s, t[3]), Apply(s, t[4]), Apply(s, t[5])};
      mesh.AddTriangle(p, n);
    }
}

}  // namespace meshgen
