// The ornament mesh rendered on its own for the contact sheet: a small z-buffered
// rasteriser with per-pixel normals, the mesh's own grey and white highlight, a key light
// and the scene's cyan light at the cage's centre.
#include <algorithm>
#include <cmath>
#include <vector>

#include "pictures.h"

namespace artgen {

namespace {
using lumaro::Vec3;

struct Projected {
  float x, y, depth;
  Vec3 position, normal;  // view space
};

Vec3 Rotate(Vec3 p, float yaw, float pitch) {
  const float cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
  const Vec3 q{cy * p.x + sy * p.z, p.y, -sy * p.x + cy * p.z};
  return {q.x, cp * q.y - sp * q.z, sp * q.y + cp * q.z};
}

Colour Shade(Vec3 p, Vec3 n, const Vec3& eye) {
  const Vec3 material{0.45f, 0.45f, 0.5f};
  const Vec3 view = lumaro::Normalized(eye - p);
  if (lumaro::Dot(n, view) < 0) n = n * -1.0f;  // both sides lit, as seen
  Vec3 light = material * 0.2f;                 // ambient
  struct Light {
    Vec3 position;
    Vec3 colour;
  };
  const Light lights[2] = {{{-3, 4, 6}, {0.9f, 0.9f, 0.95f}}, {{0, 0, 0}, {0.25f, 0.5f, 0.5f}}};
  for (const Light& l : lights) {
    const Vec3 toLight = lumaro::Normalized(l.position - p);
    const float diffuse = std::max(0.0f, lumaro::Dot(n, toLight));
    const Vec3 half = lumaro::Normalized(toLight + view);
    const float specular = diffuse > 0 ? std::pow(std::max(0.0f, lumaro::Dot(n, half)), 8.0f) : 0.0f;
    light = light + Vec3{material.x * l.colour.x, material.y * l.colour.y, material.z * l.colour.z} * diffuse +
            l.colour * (0.6f * specular);
  }
  return {light.x, light.y, light.z};
}
}  // namespace

Canvas DrawOrnamentView(const lumaro::OrnamentMesh& mesh, float yaw, float pitch) {
  const int size = 256, scale = 2, big = size * scale;
  const float distance = 2.2f, focal = big * 1.9f;
  const Vec3 eye{0, 0, distance};
  std::vector<float> depth(static_cast<size_t>(big) * big, 1e9f);
  std::vector<Colour> colour(static_cast<size_t>(big) * big, Colour{0.05f, 0.05f, 0.07f});
  auto project = [&](Vec3 p, Vec3 n) {
    const Vec3 v = Rotate(p, yaw, pitch);
    const float z = distance - v.z;
    return Projected{big / 2 + focal * v.x / z, big / 2 - focal * v.y / z, z, v, Rotate(n, yaw, pitch)};
  };
  for (int f = 0; f < mesh.faceCount; ++f) {
    const lumaro::OrnamentFace face = lumaro::OrnamentFaceAt(mesh, f);
    Projected c[3];
    for (int k = 0; k < 3; ++k)
      c[k] = project(lumaro::OrnamentPosition(mesh, face.vertex[k]), lumaro::OrnamentNormal(mesh, face.normal[k]));
    const float area = (c[1].x - c[0].x) * (c[2].y - c[0].y) - (c[2].x - c[0].x) * (c[1].y - c[0].y);
    if (std::fabs(area) < 1e-9f) continue;
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({c[0].x, c[1].x, c[2].x}))));
    const int x1 = std::min(big - 1, static_cast<int>(std::ceil(std::max({c[0].x, c[1].x, c[2].x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({c[0].y, c[1].y, c[2].y}))));
    const int y1 = std::min(big - 1, static_cast<int>(std::ceil(std::max({c[0].y, c[1].y, c[2].y}))));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const float px = x + 0.5f, py = y + 0.5f;
        const float w0 = ((c[1].x - px) * (c[2].y - py) - (c[2].x - px) * (c[1].y - py)) / area;
        const float w1 = ((c[2].x - px) * (c[0].y - py) - (c[0].x - px) * (c[2].y - py)) / area;
        const float w2 = 1 - w0 - w1;
        if (w0 < 0 || w1 < 0 || w2 < 0) continue;
        const float z = w0 * c[0].depth + w1 * c[1].depth + w2 * c[2].depth;
        float& stored = depth[static_cast<size_t>(y) * big + x];
        if (z >= stored) continue;
        stored = z;
        const Vec3 p = c[0].position * w0 + c[1].position * w1 + c[2].position * w2;
        const Vec3 n = lumaro::Normalized(c[0].normal * w0 + c[1].normal * w1 + c[2].normal * w2);
        colour[static_cast<size_t>(y) * big + x] = Shade(p, n, eye);
      }
  }
  Canvas out(size, size);
  for (int y = 0; y < big; ++y)
    for (int x = 0; x < big; ++x)
      out.add(x / scale, y / scale, colour[static_cast<size_t>(y) * big + x], 1.0f / (scale * scale));
  return out;
}

}  // namespace artgen
