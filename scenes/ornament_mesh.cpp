#include "scenes/ornament_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumaro {

namespace {
Vec3 ReadVec3(const uint8_t* at) {
  float v[3];
  std::memcpy(v, at, sizeof v);  // the block has no alignment to rely on
  return {v[0], v[1], v[2]};
}
}  // namespace

Status ParseOrnamentMesh(const uint8_t* data, size_t size, OrnamentMesh* mesh) {
  auto fail = [](const char* reason) { return Status::Failure(reason); };
  if (!data || size % kOrnamentRecordBytes != 0) return fail("not a whole number of 12-byte records");
  const size_t records = size / kOrnamentRecordBytes;
  int maxVertex = -1, maxNormal = -1;
  // Faces, positions and normals together fill the block exactly at one face count only:
  // each further face adds at least one record.
  for (size_t faces = 0; faces < records; ++faces) {
    if (faces > 0 && faces + (maxVertex + 1) + (maxNormal + 1) == records) {
      mesh->data = data;
      mesh->faceCount = static_cast<int>(faces);
      mesh->positionCount = maxVertex + 1;
      mesh->normalCount = maxNormal + 1;
      // A block cut short still splits, one face fewer: its normals then read as garbage.
      for (int n = 0; n < mesh->normalCount; ++n) {
        const float length = Length(OrnamentNormal(*mesh, n));
        if (!(std::fabs(length - 1) < 1e-3f)) return fail("a normal that is not of unit length");
      }
      return {};
    }
    OrnamentFace face;
    std::memcpy(&face, data + faces * kOrnamentRecordBytes, sizeof face);
    for (int k = 0; k < 3; ++k) {
      if (face.vertex[k] < 0 || face.normal[k] < 0) return fail("a negative index");
      maxVertex = std::max<int>(maxVertex, face.vertex[k]);
      maxNormal = std::max<int>(maxNormal, face.normal[k]);
    }
  }
  return fail("no face count makes the positions and normals fit the block");
}

OrnamentFace OrnamentFaceAt(const OrnamentMesh& mesh, int index) {
  OrnamentFace face;
  std::memcpy(&face, mesh.data + static_cast<size_t>(index) * kOrnamentRecordBytes, sizeof face);
  return face;
}

Vec3 OrnamentPosition(const OrnamentMesh& mesh, int index) {
  return ReadVec3(mesh.data + (static_cast<size_t>(mesh.faceCount) + index) * kOrnamentRecordBytes);
}

Vec3 OrnamentNormal(const OrnamentMesh& mesh, int index) {
  return ReadVec3(mesh.data +
                  (static_cast<size_t>(mesh.faceCount) + mesh.positionCount + index) * kOrnamentRecordBytes);
}

}  // namespace lumaro
