#include "tables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <utility>

namespace isogen {

const Edge kEdges[12] = {
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

P Corner(int m) {
  return {static_cast<float>(m & 1), static_cast<float>((m >> 1) & 1), static_cast<float>((m >> 2) & 1)};
}
P Middle(int e) {
  const P a = Corner(kEdges[e].a), b = Corner(kEdges[e].b);
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}
int EdgeBetween(int a, int b) {
  for (int e = 0; e < 12; ++e)
    if ((kEdges[e].a == a && kEdges[e].b == b) || (kEdges[e].a == b && kEdges[e].b == a)) return e;
  return -1;
}
bool Inside(int c, int m) { return (c >> m) & 1; }

// From inside to outside along a cut edge.
P Outward(int c, int e) {
  const int a = kEdges[e].a, b = kEdges[e].b;
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
      for (const Edge& e : kEdges)
        if (((group >> e.a) & 1) != ((group >> e.b) & 1) && ((set >> e.a) & 1) && ((set >> e.b) & 1))
          group |= (1 << e.a) | (1 << e.b);
    }
    groups.push_back(group);
  }
  return groups;
}

// Twice the area vector of a loop of cut edges (through their middles) against the sum of
// its inside-to-outside directions: positive when it is wound counter-clockwise from outside.
float Facing(int c, const std::vector<int>& loop) {
  P normal{0, 0, 0}, outward{0, 0, 0};
  for (size_t i = 0; i < loop.size(); ++i) {
    normal = normal + Cross(Middle(loop[i]), Middle(loop[(i + 1) % loop.size()]));
    outward = outward + Outward(c, loop[i]);
  }
  return Dot(normal, outward);
}

// The segments across each face between its cut edges. An ambiguous face (two diagonal
// inside corners) cuts off each inside corner on its own, so both cells sharing it agree.
std::vector<std::array<int, 2>> Segments(int c) {
  std::vector<std::array<int, 2>> segments;
  for (int f = 0; f < 6; ++f) {
    const int axis = f / 2, u = 1 << (axis + 1) % 3, v = 1 << (axis + 2) % 3, base = (f % 2) << axis;
    const int q[4] = {base, base | u, base | u | v, base | v};  // around the face
    int edges[4], cut[4], count = 0;
    for (int i = 0; i < 4; ++i) {
      edges[i] = EdgeBetween(q[i], q[(i + 1) % 4]);
      if (Inside(c, q[i]) != Inside(c, q[(i + 1) % 4])) cut[count++] = edges[i];
    }
    if (count == 2) segments.push_back({cut[0], cut[1]});
    if (count == 4)
      for (int i = 0; i < 4; ++i)
        if (Inside(c, q[i])) segments.push_back({edges[(i + 3) % 4], edges[i]});
  }
  return segments;
}

// The closed loops the segments make (every cut edge lies on two faces, so it has two
// neighbours), each from its lowest edge, wound counter-clockwise seen from outside.
std::vector<std::vector<int>> Loops(int c) {
  std::vector<int> next[12];
  for (const auto& s : Segments(c)) next[s[0]].push_back(s[1]), next[s[1]].push_back(s[0]);
  std::vector<std::vector<int>> loops;
  bool seen[12] = {};
  for (int e = 0; e < 12; ++e) {
    if (seen[e] || next[e].empty()) continue;
    std::vector<int> loop;
    for (int at = e, from = next[e][1]; !seen[at];) {
      loop.push_back(at);
      seen[at] = true;
      const int to = next[at][0] == from ? next[at][1] : next[at][0];
      from = at, at = to;
    }
    if (Facing(c, loop) < 0) std::reverse(loop.begin() + 1, loop.end());
    loops.push_back(loop);
  }
  return loops;
}

// The cut edges around a group of the set, lowest first.
std::vector<int> CutAround(int group, int set) {
  std::vector<int> cut;
  for (int e = 0; e < 12; ++e) {
    const int a = kEdges[e].a, b = kEdges[e].b;
    if ((((group >> a) & 1) && !((set >> b) & 1)) || (((group >> b) & 1) && !((set >> a) & 1))) cut.push_back(e);
  }
  return cut;
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
const Known kKnownShapes[] = {
    {1, {{0, 4, 8}}},
    {3, {{4, 9, 5}, {4, 8, 9}}},
    {7, {{1, 10, 8}, {1, 8, 5}, {5, 8, 9}}},
    {15, {{9, 11, 10}, {8, 9, 10}}},
    {23, {{5, 1, 9}, {6, 2, 10}, {2, 1, 10}, {9, 1, 2}}},
};

void Wind(int c, Triangle& t) {
  if (Facing(c, {t[0], t[1], t[2]}) < 0) std::swap(t[1], t[2]);
}

void StartAtLowest(Triangle& t) {
  while (t[0] != std::min({t[0], t[1], t[2]})) std::rotate(t.begin(), t.begin() + 1, t.end());
}

std::vector<Triangle> Split(int c, int group, const std::vector<int>& cycle) {
  static const std::vector<std::array<int, 8>> symmetries = Symmetries();
  for (const Known& known : kKnownShapes) {
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
        for (int i = 0; i < 3; ++i) t[i] = EdgeBetween(symmetries[s][kEdges[k[i]].a], symmetries[s][kEdges[k[i]].b]);
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

// The smallest angle of a triangle through the middles of its edges; -1 when it faces inwards.
float Quality(int c, const Triangle& t) {
  if (Facing(c, {t[0], t[1], t[2]}) <= 0) return -1;
  float smallest = 4;
  for (int i = 0; i < 3; ++i) {
    const P a = Middle(t[(i + 1) % 3]) - Middle(t[i]), b = Middle(t[(i + 2) % 3]) - Middle(t[i]);
    smallest = std::min(smallest, std::acos(Dot(a, b) / std::sqrt(Dot(a, a) * Dot(b, b))));
  }
  return smallest;
}

// A new polygon split so that its thinnest triangle is as wide as can be, every triangle
// facing outwards (up to five corners every split is a fan); ties go to the lower apex.
std::vector<Triangle> SplitEvenly(int c, const std::vector<int>& q) {
  const int n = static_cast<int>(q.size());
  std::vector<std::vector<float>> best(n, std::vector<float>(n, 4));  // of q[i..j]
  std::vector<std::vector<int>> apex(n, std::vector<int>(n, -1));
  for (int span = 2; span < n; ++span)
    for (int i = 0, j = span; j < n; ++i, ++j) {
      best[i][j] = -2;
      for (int k = i + 1; k < j; ++k) {
        const float worst = std::min({best[i][k], best[k][j], Quality(c, {q[i], q[k], q[j]})});
        if (worst > best[i][j] + 1e-6f) best[i][j] = worst, apex[i][j] = k;
      }
    }
  std::vector<Triangle> out;
  std::vector<std::array<int, 2>> spans{{0, n - 1}};
  while (!spans.empty()) {
    const auto [i, j] = spans.back();
    spans.pop_back();
    if (j - i < 2) continue;
    const int k = apex[i][j];
    Triangle t{q[i], q[k], q[j]};
    StartAtLowest(t);
    out.push_back(t);
    spans.push_back({k, j});
    spans.push_back({i, k});
  }
  if (best[0][n - 1] < 0) out.clear();  // no split faces outwards: the check refuses the case
  return out;
}

// The groups of the smaller corner set, each with its loop, when cutting them off one by one
// gives exactly the loops (a hole case gives none); empty otherwise.
std::vector<std::pair<int, const std::vector<int>*>> KnownGroups(int c, const std::vector<std::vector<int>>& loops) {
  std::vector<std::pair<int, const std::vector<int>*>> groups;
  if (IsHoleCase(c)) return groups;
  const int set = std::popcount(static_cast<unsigned>(c)) <= 4 ? c : 255 - c;
  for (int group : Groups(set)) {
    const std::vector<int> cut = CutAround(group, set);
    for (const std::vector<int>& loop : loops) {
      std::vector<int> sorted = loop;
      std::sort(sorted.begin(), sorted.end());
      if (sorted == cut) groups.push_back({group, &loop});
    }
  }
  if (groups.size() != loops.size()) groups.clear();
  return groups;
}
}  // namespace

bool IsHoleCase(int c) { return std::popcount(static_cast<unsigned>(c)) == 4 && Groups(c).size() > 1; }

Tables DeriveTables() {
  Tables tables;
  for (int c = 1; c < 255; ++c) {
    const std::vector<std::vector<int>> loops = Loops(c);
    const auto groups = KnownGroups(c, loops);
    tables.loops[c] = loops;
    std::vector<Triangle>& out = tables.triangles[c];
    for (const auto& [group, loop] : groups)
      for (const Triangle& t : Split(c, group, *loop)) out.push_back(t);
    tables.changed[c] = groups.empty();
    if (tables.changed[c])
      for (const std::vector<int>& loop : loops)
        for (const Triangle& t : SplitEvenly(c, loop)) out.push_back(t);
  }
  return tables;
}

}  // namespace isogen
