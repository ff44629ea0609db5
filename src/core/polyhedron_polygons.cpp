#include <cmath>
#include <utility>

#include "core/polyhedron.h"

namespace habitopia {

namespace {

// Corners closer than this in every coordinate are one point met by more than three
// planes (found once per plane triple); a face keeps only the first of them, so
// that its reference pair and its ordering are never built on coincident points.
constexpr Real kCoincidentCorner = 1e-9L;

bool Coincident(const Vec3& a, const Vec3& b) {
  return std::fabs(a[0] - b[0]) <= kCoincidentCorner &&
         std::fabs(a[1] - b[1]) <= kCoincidentCorner && std::fabs(a[2] - b[2]) <= kCoincidentCorner;
}

bool SameCorner(const Vec3& a, const Vec3& b, Real distance) {
  return std::fabs(a[0] - b[0]) < distance && std::fabs(a[1] - b[1]) < distance &&
         std::fabs(a[2] - b[2]) < distance;
}

bool OnFace(const CornerRecord& corner, int face) {
  return corner.faces[0] == face || corner.faces[1] == face || corner.faces[2] == face;
}

// Cosine of the angle at P0 between the directions to P1 and to each corner.
void AssignKeys(std::vector<PolygonEntry>& entries, bool cleavageExists) {
  const int last = static_cast<int>(entries.size()) - 1;
  entries[0].key = kPolygonSentinelKey;
  if (last < 1) return;
  const Vec3& p0 = entries[0].position;
  const Vec3 r0 = SubVec(entries[1].position, p0);
  Real h = Norm(r0);
  Real previous = 1.0L;
  for (int m = 1; m <= last; ++m) {
    const Vec3 r = SubVec(entries[m].position, p0);
    const Real t = Norm(r);
    Real key = Dot(r0, r) / Norm(r0) / t;
    if (cleavageExists && previous == 1.0L && std::fabs(key - previous) < 0.05L)
      key = t >= h ? key * 0.9997L : key * 1.0003L;
    entries[m].key = key;
    previous = key;
    h = t;
  }
}

// Drops near-duplicate neighbours of a sorted polygon; the last entry gets key 100.
void MergeNearDuplicates(std::vector<PolygonEntry>& entries, Real distance) {
  int last = static_cast<int>(entries.size()) - 1;
  if (SameCorner(entries[last].position, entries[0].position, distance)) --last;
  entries[last].key = kPolygonSentinelKey;
  Vec3 current = entries[0].position;
  int skipped = 0;
  for (int m = 1; m <= last; ++m) {
    if (SameCorner(entries[m].position, current, distance))
      ++skipped;
    else
      current = entries[m].position;
    entries[m - skipped] = entries[m];
  }
  last -= skipped;
  entries.resize(last + 1);
  entries[last].key = kPolygonSentinelKey;
}

}  // namespace

void SortByKey(std::vector<PolygonEntry>& entries, int lo, int hi) {
  int i = lo, j = hi;
  const Real pivot = entries[(lo + hi) / 2].key;
  do {
    while (i < hi && entries[i].key < pivot) ++i;
    while (entries[j].key > pivot && j > 0) --j;
    if (i <= j) {
      std::swap(entries[i], entries[j]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (lo < j) SortByKey(entries, lo, j);
  if (i < hi) SortByKey(entries, i, hi);
}

void CopyFaceRecord(const FaceRecord& face, int f, PresentFace& present) {
  present.face = f;
  present.h = face.h;
  present.k = face.k;
  present.l = face.l;
  present.distance = face.distance;
  present.faceColour = face.faceColour;
  present.colourShown = face.colourShown;
  present.textureFile = face.textureFile;
  present.labelSelected = face.labelSelected;
  present.growthSector = face.growthSector;
}

void BuildFacePolygons(const PolyhedronInput& input, Polyhedron& polyhedron) {
  const int faceCount = static_cast<int>(input.faces.size());
  const bool cleavageExists = input.cleavageFace >= 0;
  std::vector<CornerRecord>& corners = polyhedron.corners;

  std::vector<std::vector<int>> cornersOfFace(faceCount);
  for (int c = 0; c < static_cast<int>(corners.size()); ++c)
    for (int f : corners[c].faces) cornersOfFace[f].push_back(c);

  polyhedron.presentIndex.assign(faceCount, kAbsentFace);
  polyhedron.absentCount = 0;
  polyhedron.presentFaces.clear();

  std::vector<PolygonEntry> entries;
  for (int f = 0; f < faceCount; ++f) {
    entries.clear();
    for (int c : cornersOfFace[f]) {
      CornerRecord& corner = corners[c];
      if (cleavageExists && (OnFace(corner, input.cleavageFace) || f == input.cleavageFace))
        corner.position = ScaleVec(corner.position, kCleavagePush);
      bool repeated = false;
      for (const PolygonEntry& e : entries)
        if (Coincident(e.position, corner.position)) repeated = true;
      if (!repeated) entries.push_back({corner.position, 0});
    }
    if (entries.empty()) {
      ++polyhedron.absentCount;
      continue;
    }
    AssignKeys(entries, cleavageExists);
    SortByKey(entries, 0, static_cast<int>(entries.size()) - 1);
    if (entries.size() < 3) {
      ++polyhedron.absentCount;
      continue;
    }
    MergeNearDuplicates(entries, kPolygonMergeDistance * polyhedron.mergeScale);

    PresentFace present;
    CopyFaceRecord(input.faces[f], f, present);
    present.polygon = entries;
    polyhedron.presentIndex[f] = f - polyhedron.absentCount;
    polyhedron.presentFaces.push_back(std::move(present));
  }
}

}  // namespace habitopia
