#include "prediction/form_pruning.h"

#include <algorithm>
#include <numeric>

namespace habitopia {
namespace {

// A convex polyhedron as its corners, each with the planes it lies on. Until the
// forms bound it, a cube far beyond every distance stands in for the open
// space; its corners then keep every plane that reaches them.
struct Corner {
  Vec3 point;
  std::vector<int> planes;
};

int SharedPlanes(const Corner& a, const Corner& b) {
  int shared = 0;
  for (int p : a.planes) shared += std::count(b.planes.begin(), b.planes.end(), p);
  return shared;
}

class Polyhedron {
 public:
  Polyhedron(Real halfSize, Real tolerance) : tolerance_(tolerance) {
    for (int corner = 0; corner < 8; ++corner) {
      Corner c;
      for (int axis = 0; axis < 3; ++axis) {
        const bool high = (corner >> axis) & 1;
        c.point[axis] = high ? halfSize : -halfSize;
        c.planes.push_back(-1 - (2 * axis + (high ? 1 : 0)));
      }
      corners_.push_back(c);
    }
  }

  // True when the plane n . x = d leaves some corner strictly outside.
  bool Cuts(const Vec3& n, Real d) const {
    for (const Corner& c : corners_)
      if (Dot(n, c.point) - d > tolerance_) return true;
    return false;
  }

  void Clip(const Vec3& n, Real d, int id) {
    std::vector<Real> side;
    for (const Corner& c : corners_) side.push_back(Dot(n, c.point) - d);
    std::vector<Corner> kept;
    for (std::size_t i = 0; i < corners_.size(); ++i) {
      if (side[i] > tolerance_) continue;
      Corner c = corners_[i];
      if (side[i] >= -tolerance_) c.planes.push_back(id);
      kept.push_back(c);
    }
    // Each edge from a corner inside to one outside meets the plane once; two
    // corners that share two planes span an edge of a convex polyhedron.
    for (std::size_t i = 0; i < corners_.size(); ++i) {
      if (side[i] >= -tolerance_) continue;
      for (std::size_t o = 0; o < corners_.size(); ++o) {
        if (side[o] <= tolerance_ || SharedPlanes(corners_[i], corners_[o]) < 2) continue;
        const Real t = side[i] / (side[i] - side[o]);
        Corner c;
        c.point =
            AddVec(corners_[i].point, ScaleVec(SubVec(corners_[o].point, corners_[i].point), t));
        for (int p : corners_[i].planes)
          if (std::count(corners_[o].planes.begin(), corners_[o].planes.end(), p))
            c.planes.push_back(p);
        c.planes.push_back(id);
        kept.push_back(c);
      }
    }
    corners_ = std::move(kept);
  }

 private:
  Real tolerance_;
  std::vector<Corner> corners_;
};

}  // namespace

std::vector<bool> FormsThatCanTouch(const std::vector<FormPlanes>& forms) {
  std::vector<bool> keep(forms.size(), true);
  std::vector<std::size_t> order;
  Real farthest = 0;
  for (std::size_t f = 0; f < forms.size(); ++f) {
    if (forms[f].role == FormRole::Ignored || !(forms[f].distance > 0) || forms[f].normals.empty())
      continue;
    order.push_back(f);
    farthest = std::max(farthest, forms[f].distance);
  }
  if (order.empty()) return keep;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return forms[a].distance < forms[b].distance;
  });
  Polyhedron shape(farthest * 1e6L, farthest * 1e-9L);
  int id = 0;
  for (std::size_t f : order) {
    const FormPlanes& form = forms[f];
    bool cuts = false;
    for (const Vec3& n : form.normals) cuts = cuts || shape.Cuts(n, form.distance);
    if (!cuts && form.role == FormRole::Candidate) {
      keep[f] = false;
      continue;
    }
    for (const Vec3& n : form.normals) shape.Clip(n, form.distance, id++);
  }
  return keep;
}

}  // namespace habitopia
