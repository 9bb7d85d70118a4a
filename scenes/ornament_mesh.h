// The ornament as stored: face records (three int16 vertex indices, three int16 normal
// indices), then float positions, then float unit normals, little-endian, no header. The
// face count follows from the block's length: the faces end where the positions begin,
// and the position and normal counts are one more than the largest index of each kind.
#pragma once
#include <cstddef>
#include <cstdint>
#include "base/status.h"
#include "base/vec3.h"

namespace lumaro {

struct OrnamentFace {
  int16_t vertex[3];
  int16_t normal[3];
};

static_assert(sizeof(OrnamentFace) == 12);

struct OrnamentMesh {
  const uint8_t* data = nullptr;
  int faceCount = 0, positionCount = 0, normalCount = 0;
};
constexpr size_t kOrnamentRecordBytes = 12;  // a face, a position and a normal are 12 bytes each

// Finds the one split of the block that fits its faces' indices; fails with the reason
// when there is none, an index is negative or a normal is not of unit length.
Status ParseOrnamentMesh(const uint8_t* data, size_t size, OrnamentMesh* mesh);
OrnamentFace OrnamentFaceAt(const OrnamentMesh& mesh, int index);
Vec3 OrnamentPosition(const OrnamentMesh& mesh, int index);
Vec3 OrnamentNormal(const OrnamentMesh& mesh, int index);

}  // namespace lumaro
