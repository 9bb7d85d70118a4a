// Writes the ornament mesh: the cage of three crossed square rings and its fourteen balls.
// usage: meshgen OUT.mesh
#include <cstdio>
#include <exception>

#include "mesh.h"

using namespace meshgen;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: meshgen OUT.mesh\n");
    return 2;
  }
  Mesh mesh;
  try {
    AddCage(mesh);
    const float inner = 5.0f / 24, face = 5.0f / 12;
    for (float x : {-inner, inner})
      for (float y : {-inner, inner})
        for (float z : {-inner, inner}) AddGeodesicSphere(mesh, {x, y, z}, 1.0f / 8, 5);
    for (int axis = 0; axis < 3; ++axis)
      for (float side : {-face, face}) {
        Vec3 centre{0, 0, 0};
        (axis == 0 ? centre.x : axis == 1 ? centre.y : centre.z) = side;
        AddGeodesicSphere(mesh, centre, 1.0f / 12, 5);
      }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "meshgen: %s\n", e.what());
    return 1;
  }
  if (!mesh.Write(argv[1])) {
    std::fprintf(stderr, "meshgen: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("ornament: %zu triangles, %zu positions, %zu normals\n", mesh.faces.size(), mesh.positions.size(),
              mesh.normals.size());
  return 0;
}
