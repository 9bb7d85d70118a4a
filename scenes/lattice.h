// Scene 10's computation without GL: the lattice of cube centres, the two quad strips of a
// cube, the drift of the lattice and its colours.
#pragma once
#include <array>

#include "base/vec3.h"

namespace lumaro {

constexpr int kLatticeSide = 12;  // cubes along each axis
constexpr float kCoreHalfSize = 0.2f, kGlowHalfSize = 0.3f;

// Centre i of the lattice (X outer, Y middle, Z inner), each running -5.5, -4.5 .. 5.5
// summed in single precision.
Vec3 LatticeCentre(int index);
constexpr int kLatticeCubes = kLatticeSide * kLatticeSide * kLatticeSide;

// Every cube index, nearest the lattice centre first. The camera stays within one spacing
// of the centre, so drawing in this order lets the depth test reject most hidden pixels
// before they are textured; the cubes do not overlap, so the picture is the same.
std::array<int, kLatticeCubes> LatticeNearestFirst();
std::array<int, kLatticeCubes> LatticeIndexOrder();

// The two quad strips of a cube (bottom-right-top, then front-left-back), eight vertices
// each with its texture coordinate.
struct StripVertex {
  float s, t;
  Vec3 p;
};
void CubeStrips(Vec3 centre, float half, StripVertex strips[2][8]);

// Where the lattice is at local time t: tumble angles in degrees and a drift within
// (-1, 1) on x and y, wrapped with fmod so it never leaves one lattice spacing.
struct LatticeMotion {
  float rx, ry;
  float dx, dy;
  float core[3], glow[3];  // colours of the cubes and of their glowing shells
};
LatticeMotion LatticeAt(float t);
// "-safe": in the passages where the cubes sweep past the camera so fast that the picture
// flashes, the cubes and their shells are dimmed to kSafeLatticeLight (the scene as it was
// elsewhere).
constexpr float kSafeLatticeLight = 0.45f;
void TameLattice(float t, LatticeMotion* motion);

}  // namespace lumaro
