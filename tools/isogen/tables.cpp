#include "tables.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace isogen {

const Edge Edges[12] = {
    {0, 0, 0, 0, 0, 1}, {0, 0, 1, 0, 2, 3}, {0, 0, 0, 1, 4, 5}, {0, 0, 1, 1, 6, 7},
    {1, 0, 0, 0, 0, 2}, {1, 1, 0, 0, 1, 3}, {1, 0, 0, 1, 4, 6}, {1, 1, 0, 1, 5, 7},
    {2, 0, 0, 0, 0, 4}, {2, 1, 0, 0, 1, 5}, {2, 0, 1, 0, 2, 6}, {2, 1, 1, 0, 3, 7},
};

namespace {
struct P {
  float x, y, z;
};
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
P Cross(P a, P b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(P a, P b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

P Corner(int m) { return {static_cast<float>(m & 1), static_cast<float>((m >> 1) & 1), static_cast<float>((m >> 2) & 1)}; }
P Middle(int e) {
  const P a = Corner(Edges[e].a), b = Corner(Edges[e].b);
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}
int EdgeBetween(int a, int b) {
  for (int e = 0; e < 12; ++e)
    if ((Edges[e].a == a && Edges[e].b == b) || (Edges[e].a == b && Edges[e].b == a)) return e;
  return -1;
}
bool Inside(int c, int m) { return (c >> m) & 1; }

// From inside to outside along a cut edge.
P Outward(int c, int e) {
  const int a = Edges[e].a, b = Edges[e].b;
  return Inside(c, a) ? Corner(b) - Corner(a) : Corner(a) - Corner(b);
}

// The corner sets of `set` linked by cube edges, each as a mask, by lowest corner.
std::vector<int> Groups(int set) {
  std::vector<int> groups;
  for (int m = 0; m < 8; ++m) {
    if (!((set >> m) & 1) || std::any_of(groups.begin(), groups.end(), [&](int g) { return (g >> m) & 1; })) continue;
    int group = 1 << m, grown = 0;
    while (grown != group) {
      grown = group;
      for (const Edge& e : Edges)
        if (((group >> e.a) & 1) != ((group >> e.b) & 1) && ((set >> e.a) & 1) && ((set >> e.b) & 1))
          group |= (1 << e.a) | (1 << e.b);
    }
    groups.push_back(group);
  }
  return groups;
}

// The cut edges around a group, in order around it (neighbours share a cube face), from
// the lowest edge, wound counter-clockwise seen from outside the surface.
std::vector<int> Cycle(int c, int group, int set) {
  std::vector<int> cut;
  for (int e = 0; e < 12; ++e) {
    const int a = Edges[e].a, b = Edges[e].b;
    if ((((group >> a) & 1) && !((set >> b) & 1)) || (((group >> b) & 1) && !((set >> a) & 1))) cut.push_back(e);
  }
  auto shareFace = [](int e, int f) {
    for (int axis = 0; axis < 3; ++axis) {
      const int bit = 1 << axis;
      const int ea = Edges[e].a & bit, eb = Edges[e].b & bit, fa = Edges[f].a & bit, fb = Edges[f].b & bit;
      if (ea == eb && fa == fb && ea == fa) return true;
    }
    return false;
  };
  std::vector<int> cycle{cut.front()};
  while (cycle.size() < cut.size()) {
    for (int e : cut)
      if (std::find(cycle.begin(), cycle.end(), e) == cycle.end() && shareFace(cycle.back(), e)) {
        cycle.push_back(e);
        break;
      }
  }
  P normal{0, 0, 0}, outward{0, 0, 0};
  for (size_t i = 0; i < cycle.size(); ++i) {
    normal = normal + Cross(Middle(cycle[i]), Middle(cycle[(i + 1) % cycle.size()]));
    outward = outward + Outward(c, cycle[i]);
  }
  if (Dot(normal, outward) < 0) std::reverse(cycle.begin() + 1, cycle.end());
  return cycle;
}

// The cube's symmetries as maps of corners, the identity first.
std::vector<std::array<int, 8>> Symmetries() {
  std::vector<std::array<int, 8>> all;
  int axes[3] = {0, 1, 2};
  do {
    for (int flips = 0; flips < 8; ++flips) {
      std::array<int, 8> map;
      for (int m = 0; m < 8; ++m) {
        int image = 0;
        for (int k = 0; k < 3; ++k) image |= (((m >> axes[k]) & 1) ^ ((flips >> k) & 1)) << k;
        map[m] = image;
      }
      all.push_back(map);
    }
  } while (std::next_permutation(axes, axes + 3));
  return all;
}

// The known polygons: the inside group of a case and how its row splits it.
struct Known {
  int c;
  std::vector<Triangle> triangles;
};
const Known KnownShapes[] = {
    {1, {{0, 4, 8}}},
    {3, {{4, 9, 5}, {4, 8, 9}}},
    {7, {{1, 10, 8}, {1, 8, 5}, {5, 8, 9}}},
    {15, {{9, 11, 10}, {8, 9, 10}}},
    {23, {{5, 1, 9}, {6, 2, 10}, {2, 1, 10}, {9, 1, 2}}},
};

void Wind(int c, Triangle& t) {
  const P n = Cross(Middle(t[1]) - Middle(t[0]), Middle(t[2]) - Middle(t[0]));
  if (Dot(n, Outward(c, t[0]) + Outward(c, t[1]) + Outward(c, t[2])) < 0) std::swap(t[1], t[2]);
}

void StartAtLowest(Triangle& t) {
  while (t[0] != std::min({t[0], t[1], t[2]})) std::rotate(t.begin(), t.begin() + 1, t.end());
}

std::vector<Triangle> Split(int c, int group, const std::vector<int>& cycle) {
  static const std::vector<std::array<int, 8>> symmetries = Symmetries();
  for (const Known& known : KnownShapes) {
    if (std::popcount(static_cast<unsigned>(known.c)) != std::popcount(static_cast<unsigned>(group))) continue;
    for (size_t s = 0; s < symmetries.size(); ++s) {
      int image = 0;
      for (int m = 0; m < 8; ++m)
        if ((known.c >> m) & 1) image |= 1 << symmetries[s][m];
      if (image != group) continue;
      if (c == known.c) return known.triangles;  // the known row itself, exactly
      std::vector<Triangle> out;
      for (const Triangle& k : known.triangles) {
        Triangle t;
        for (int i = 0; i < 3; ++i) t[i] = EdgeBetween(symmetries[s][Edges[k[i]].a], symmetries[s][Edges[k[i]].b]);
        Wind(c, t);
        StartAtLowest(t);
        out.push_back(t);
      }
      return out;
    }
  }
  // A zigzag of four corners: a middle triangle and three ears.
  const std::vector<int>& q = cycle;
  std::vector<Triangle> out = {{q[0], q[1], q[2]}, {q[2], q[3], q[4]}, {q[4], q[5], q[0]}, {q[0], q[2], q[4]}};
  for (Triangle& t : out) {
    Wind(c, t);
    StartAtLowest(t);
  }
  return out;
}
}  // namespace

bool IsHoleCase(int c) { return std::popcount(static_cast<unsigned>(c)) == 4 && Groups(c).size() > 1; }

Tables DeriveTables() {
  Tables tables;
  for (int c = 1; c < 255; ++c) {
    if (IsHoleCase(c)) continue;
    const int set = std::popcount(static_cast<unsigned>(c)) <= 4 ? c : 255 - c;
    for (int group : Groups(set)) {
      const std::vector<int> cycle = Cycle(c, group, set);
      for (const Triangle& t : Split(c, group, cycle)) tables.triangles[c].push_back(t);
    }
  }
  return tables;
}

bool MatchesKnownRows(const Tables& tables, std::string* why) {
  const struct {
    int c;
    std::vector<Triangle> triangles;
  } rows[] = {
      {1, {{0, 4, 8}}},
      {3, {{4, 9, 5}, {4, 8, 9}}},
      {6, {{0, 9, 5}, {1, 10, 4}}},
      {7, {{1, 10, 8}, {1, 8, 5}, {5, 8, 9}}},
      {15, {{9, 11, 10}, {8, 9, 10}}},
      {23, {{5, 1, 9}, {6, 2, 10}, {2, 1, 10}, {9, 1, 2}}},
      {60, {}},
      {105, {}},
      {128, {{3, 11, 7}}},
      {254, {{0, 8, 4}}},
  };
  for (const auto& row : rows)
    if (tables.triangles[row.c] != row.triangles) {
      *why = "case " + std::to_string(row.c) + " differs from its known row";
      return false;
    }
  const int holes[] = {30,  45,  54,  57,  60,  75,  86,  89,  90,  99,  101, 102, 105, 106, 108, 120,
                       135, 147, 149, 150, 153, 154, 156, 165, 166, 169, 180, 195, 198, 201, 210, 225};
  int counted = 0;
  for (int c = 0; c < 256; ++c) {
    counted += IsHoleCase(c);
    if (tables.triangles[c].size() > 4) {
      *why = "case " + std::to_string(c) + " has more than four triangles";
      return false;
    }
  }
  for (int c : holes)
    if (!IsHoleCase(c)) {
      *why = "case " + std::to_string(c) + " should leave a hole";
      return false;
    }
  if (counted != 32) {
    *why = "not 32 hole cases";
    return false;
  }
  return true;
}

}  // namespace isogen
