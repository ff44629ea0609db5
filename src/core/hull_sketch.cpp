#include "core/hull_sketch.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace habitopia {

namespace {

using Point = std::array<double, 3>;

// The face other than `face` on the edge between two neighbouring vertices, or -1.
int OtherPlane(const SketchVertex& a, const SketchVertex& b, int face) {
  int found = -1;
  for (int p : a.planes) {
    if (p == face) continue;
    if (p == b.planes[0] || p == b.planes[1] || p == b.planes[2]) {
      if (found >= 0) return -1;
      found = p;
    }
  }
  return found;
}

struct Crossing {
  int face = -1;
  int exitPos = -1, entryPos = -1;  // loop positions of the last inside vertex before each crossing
  int exitOther = -1, entryOther = -1;  // the face across each crossed edge
};

class Sketcher {
 public:
  Sketcher(const std::vector<SketchPlane>& planes, double boxSize)
      : planeCount_(static_cast<int>(planes.size()) + 6), stamp_(planeCount_, -1) {
    sketch_.faceCount = static_cast<int>(planes.size());
    sketch_.furthest.assign(planes.size(), {-1, -1, -1});
    sketch_.loops.resize(planeCount_);
    MakeBox(boxSize);
  }

  bool Cut(const SketchPlane& plane, int id) {
    distance_.resize(sketch_.vertices.size());
    touched_.clear();
    const std::size_t count = aliveVertex_.size();
    const double* xs = xs_.data();
    const double* ys = ys_.data();
    const double* zs = zs_.data();
    const double ux = plane.unit[0], uy = plane.unit[1], uz = plane.unit[2], d = plane.offset;
    std::size_t outside = 0, furthest = 0;
    double most = -INFINITY;
    for (std::size_t m = 0; m < count; ++m) {
      const double e = xs[m] * ux + ys[m] * uy + zs[m] * uz - d;
      distance_[aliveVertex_[m]] = e;
      outside += e > 0;
      if (e > most) most = e, furthest = m;
    }
    if (outside == 0) {
      if (count > 0) sketch_.furthest[id] = sketch_.vertices[aliveVertex_[furthest]].planes;
      return true;
    }
    if (outside == count) return false;
    // Only the faces at an outside vertex change.
    for (std::size_t m = 0; m < count; ++m) {
      const int v = aliveVertex_[m];
      if (!(distance_[v] > 0)) continue;
      for (int f : sketch_.vertices[v].planes)
        if (stamp_[f] != id) {
          stamp_[f] = id;
          touched_.push_back(f);
        }
    }
    crossings_.clear();
    for (int f : touched_)
      if (!sketch_.loops[f].empty() && !FindCrossing(f))
        return true;  // inconsistent: leave the plane out
    if (!CapIsOneLoop()) return true;
    Apply(id);
    return true;
  }

  HullSketch Finish() {
    sketch_.valid = true;
    return std::move(sketch_);
  }

 private:
  void MakeBox(double s) {
    const int n = sketch_.faceCount;
    for (int c = 0; c < 8; ++c) {
      SketchVertex v;
      v.position = {c & 1 ? s : -s, c & 2 ? s : -s, c & 4 ? s : -s};
      v.planes = {n + (c & 1 ? 0 : 1), n + (c & 2 ? 2 : 3), n + (c & 4 ? 4 : 5)};
      sketch_.vertices.push_back(v);
    }
    // Counter-clockwise seen from outside: +x, -x, +y, -y, +z, -z.
    sketch_.loops[n + 0] = {1, 3, 7, 5};
    sketch_.loops[n + 1] = {0, 4, 6, 2};
    sketch_.loops[n + 2] = {2, 6, 7, 3};
    sketch_.loops[n + 3] = {0, 1, 5, 4};
    sketch_.loops[n + 4] = {4, 5, 7, 6};
    sketch_.loops[n + 5] = {0, 2, 3, 1};
    for (int f = n; f < n + 6; ++f) alive_.push_back(f);
    for (int v = 0; v < 8; ++v) aliveVertex_.push_back(v);
    CopyPositions();
  }

  void CopyPositions() {
    const std::size_t count = aliveVertex_.size();
    xs_.resize(count);
    ys_.resize(count);
    zs_.resize(count);
    for (std::size_t m = 0; m < count; ++m) {
      const Point& p = sketch_.vertices[aliveVertex_[m]].position;
      xs_[m] = p[0], ys_[m] = p[1], zs_[m] = p[2];
    }
  }

  bool Outside(int v) const { return distance_[v] > 0; }

  // Finds where the loop of face f leaves and re-enters the kept side; false
  // when there is not exactly one such pair.
  bool FindCrossing(int f) {
    const std::vector<int>& loop = sketch_.loops[f];
    const int size = static_cast<int>(loop.size());
    Crossing c;
    c.face = f;
    int outside = 0;
    for (int m = 0; m < size; ++m) {
      const int a = loop[m], b = loop[(m + 1) % size];
      if (Outside(a)) ++outside;
      if (!Outside(a) && Outside(b)) {
        if (c.exitPos >= 0) return false;
        c.exitPos = m;
        c.exitOther = OtherPlane(sketch_.vertices[a], sketch_.vertices[b], f);
        if (c.exitOther < 0) return false;
      } else if (Outside(a) && !Outside(b)) {
        if (c.entryPos >= 0) return false;
        c.entryPos = m;
        c.entryOther = OtherPlane(sketch_.vertices[a], sketch_.vertices[b], f);
        if (c.entryOther < 0) return false;
      }
    }
    if (outside == 0) return true;
    if (outside < size && (c.exitPos < 0 || c.entryPos < 0)) return false;
    crossings_.push_back(c);
    return true;
  }

  // The new face runs, for each cut face f, from the crossing where f's loop
  // re-enters to the one where it leaves; these edges must close one loop.
  bool CapIsOneLoop() const {
    int cut = 0;
    for (const Crossing& c : crossings_)
      if (c.exitPos >= 0) ++cut;
    if (cut < 3) return false;
    const Crossing* start = nullptr;
    for (const Crossing& c : crossings_)
      if (c.exitPos >= 0) start = &c;
    const Crossing* at = start;
    for (int steps = 0; steps < cut; ++steps) {
      // Leaving face f over the edge to g, the loop continues on g.
      const Crossing* next = nullptr;
      for (const Crossing& c : crossings_)
        if (c.face == at->exitOther && c.entryOther == at->face) next = &c;
      if (!next) return false;
      at = next;
      if (at == start && steps + 1 < cut) return false;
    }
    return at == start;
  }

  int EdgeVertex(int f, int g, int a, int b, int plane) {
    const long key = static_cast<long>(std::min(f, g)) * planeCount_ + std::max(f, g);
    for (const auto& [known, vertex] : edgeVertex_)
      if (known == key) return vertex;
    const Point& pa = sketch_.vertices[a].position;
    const Point& pb = sketch_.vertices[b].position;
    const double t = distance_[a] / (distance_[a] - distance_[b]);
    SketchVertex v;
    for (int i = 0; i < 3; ++i) v.position[i] = pa[i] + t * (pb[i] - pa[i]);
    v.planes = {f, g, plane};
    sketch_.vertices.push_back(v);
    distance_.push_back(0);
    const int vertex = static_cast<int>(sketch_.vertices.size()) - 1;
    edgeVertex_.emplace_back(key, vertex);
    return vertex;
  }

  void Apply(int plane) {
    std::vector<int> capNext;  // pairs: entry vertex, exit vertex
    for (const Crossing& c : crossings_) {
      std::vector<int>& loop = sketch_.loops[c.face];
      if (c.exitPos < 0) {
        loop.clear();
        continue;
      }
      const int size = static_cast<int>(loop.size());
      const int exitA = loop[c.exitPos], exitB = loop[(c.exitPos + 1) % size];
      const int entryA = loop[c.entryPos], entryB = loop[(c.entryPos + 1) % size];
      const int x = EdgeVertex(c.face, c.exitOther, exitA, exitB, plane);
      const int y = EdgeVertex(c.face, c.entryOther, entryB, entryA, plane);
      std::vector<int> kept;
      for (int m = 0; m < size; ++m) {
        const int pos = (c.entryPos + 1 + m) % size;  // first inside vertex after re-entry
        if (Outside(loop[pos])) break;
        kept.push_back(loop[pos]);
      }
      kept.push_back(x);
      kept.push_back(y);
      loop = std::move(kept);
      capNext.push_back(y);
      capNext.push_back(x);
    }
    // The cap: y -> x across each cut face, counter-clockwise seen from outside.
    std::vector<int>& cap = sketch_.loops[plane];
    cap.clear();
    int at = capNext[0];
    for (std::size_t steps = 0; steps < capNext.size() / 2; ++steps) {
      cap.push_back(at);
      int x = -1;
      for (std::size_t p = 0; p < capNext.size(); p += 2)
        if (capNext[p] == at) x = capNext[p + 1];
      at = x;  // x of one face is the entry vertex of the next
    }
    edgeVertex_.clear();
    alive_.erase(std::remove_if(alive_.begin(), alive_.end(),
                                [&](int f) { return sketch_.loops[f].empty(); }),
                 alive_.end());
    alive_.push_back(plane);
    aliveVertex_.erase(
        std::remove_if(aliveVertex_.begin(), aliveVertex_.end(), [&](int v) { return Outside(v); }),
        aliveVertex_.end());
    aliveVertex_.insert(aliveVertex_.end(), cap.begin(), cap.end());
    CopyPositions();
  }

  int planeCount_;
  HullSketch sketch_;
  std::vector<int> alive_;  // planes with a loop
  std::vector<double> distance_;
  std::vector<int> touched_;
  std::vector<int> aliveVertex_;
  std::vector<double> xs_, ys_, zs_;  // positions of the alive vertices
  std::vector<Crossing> crossings_;
  std::vector<std::pair<long, int>> edgeVertex_;  // the new vertex on each cut edge
  std::vector<int> stamp_;  // per plane: the cut that last listed it as touched
};

}  // namespace

HullSketch SketchHull(const std::vector<SketchPlane>& planes, double boxSize) {
  Sketcher sketcher(planes, boxSize);
  // Nearest planes first: they are the likeliest faces, and the farther ones
  // then mostly miss the small solid left and cost one pass over its corners.
  std::vector<int> order(planes.size());
  for (std::size_t p = 0; p < order.size(); ++p) order[p] = static_cast<int>(p);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return planes[a].offset < planes[b].offset; });
  for (int p : order)
    if (planes[p].cuts && !sketcher.Cut(planes[p], p)) return {};
  return sketcher.Finish();
}

}  // namespace habitopia
