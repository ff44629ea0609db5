#include "support/reference_polyhedron.h"

#include <cmath>

namespace habitopia::test {
namespace {

bool Within(const Vec3& a, const Vec3& b, Real tolerance, bool inclusive) {
  for (int i = 0; i < 3; ++i) {
    const Real d = std::fabs(a[i] - b[i]);
    if (inclusive ? !(d <= tolerance) : !(d < tolerance)) return false;
  }
  return true;
}

void SearchAllTriples(const PolyhedronInput& input, Polyhedron& out) {
  const int n = static_cast<int>(out.planes.size());
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      for (int k = j + 1; k < n; ++k) {
        Vec3 x{};
        if (SolveCorner(out.planes[i], out.planes[j], out.planes[k], x) == 0) continue;
        Real s = 0;
        for (int g = 0; g < n; ++g) {
          const Real e =
              Dot(out.planes[g].normal, x) / Norm(out.planes[g].normal) - out.planes[g].offset;
          if (e > 0 && g != input.cleavageFace) s = s + e;
        }
        if (s < kInsideTolerance) out.corners.push_back({x, {i, j, k}});
      }
}

void BuildPolygons(const PolyhedronInput& input, Polyhedron& out) {
  const int n = static_cast<int>(out.planes.size());
  const bool cleavage = input.cleavageFace >= 0;
  out.presentIndex.assign(n, kAbsentFace);
  out.absentCount = 0;
  for (int f = 0; f < n; ++f) {
    std::vector<PolygonEntry> list;
    for (CornerRecord& corner : out.corners) {
      const bool onFace = corner.faces[0] == f || corner.faces[1] == f || corner.faces[2] == f;
      if (!onFace) continue;
      const bool onCleavage = corner.faces[0] == input.cleavageFace ||
                              corner.faces[1] == input.cleavageFace ||
                              corner.faces[2] == input.cleavageFace;
      if (cleavage && (onCleavage || f == input.cleavageFace))
        for (Real& v : corner.position) v = kCleavagePush * v;
      bool seen = false;
      for (const PolygonEntry& e : list)
        seen = seen || Within(e.position, corner.position, 1e-9L, true);
      if (!seen) list.push_back({corner.position, 0});
    }
    const int last = static_cast<int>(list.size()) - 1;
    if (last >= 0) {
      list[0].key = 100.0L;
      if (last >= 1) {
        const Vec3 r0 = SubVec(list[1].position, list[0].position);
        Real h = Norm(r0);
        Real previous = 1.0L;
        for (int m = 1; m <= last; ++m) {
          const Vec3 r = SubVec(list[m].position, list[0].position);
          const Real t = Norm(r);
          Real key = Dot(r0, r) / Norm(r0) / t;
          if (cleavage && previous == 1.0L && std::fabs(key - previous) < 0.05L)
            key = (t >= h) ? key * 0.9997L : key * 1.0003L;
          list[m].key = key;
          previous = key;
          h = t;
        }
      }
      SortByKey(list, 0, last);
    }
    if (last < 2) {
      out.absentCount++;
      continue;
    }
    // Merge near-duplicates: every entry moves down by the number skipped so far.
    int end = last;
    const Real merge = kPolygonMergeDistance * out.mergeScale;
    if (Within(list[end].position, list[0].position, merge, false)) end--;
    list[end].key = 100.0L;
    PolygonEntry current = list[0];
    int skipped = 0;
    for (int m = 1; m <= end; ++m) {
      if (Within(list[m].position, current.position, merge, false))
        skipped++;
      else
        current = list[m];
      list[m - skipped] = list[m];
    }
    end -= skipped;
    list.resize(end + 1);
    list[end].key = 100.0L;

    const FaceRecord& face = input.faces[f];
    PresentFace present{f,
                        face.h,
                        face.k,
                        face.l,
                        face.distance,
                        face.faceColour,
                        face.colourShown,
                        face.textureFile,
                        face.labelSelected,
                        face.growthSector,
                        list};
    out.presentIndex[f] = f - out.absentCount;
    out.presentFaces.push_back(present);
  }
}

}  // namespace

Polyhedron BuildReferencePolyhedron(const PolyhedronInput& input) {
  Polyhedron out;
  const int n = static_cast<int>(input.faces.size());
  if (input.cleavageFace < 0) {
    Real sum = 0;
    for (int f = 0; f < n; ++f) sum = sum + input.faces[f].distance;
    out.distanceScale = sum / n;
  } else {
    out.distanceScale = input.previousDistanceScale;
  }
  out.mergeScale = ComputeMergeScale(input, out.distanceScale);
  out.planes.resize(n);
  for (int f = 0; f < n; ++f) {
    const FaceRecord& face = input.faces[f];
    out.planes[f].normal = HklToCartesian(input.cell, {face.h, face.k, face.l});
    out.planes[f].offset = face.distance / out.distanceScale + f * 0.0000005L;
  }
  SearchAllTriples(input, out);
  BuildPolygons(input, out);
  return out;
}

}  // namespace habitopia::test
