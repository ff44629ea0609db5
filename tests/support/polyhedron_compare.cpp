#include "support/polyhedron_compare.h"

#include <cstring>

namespace habitopia::test {

// The 80-bit value only: the padding of a long double is not part of it.
bool SameBits(Real a, Real b) { return std::memcmp(&a, &b, 10) == 0; }
bool SameBits(const Vec3& a, const Vec3& b) {
  return SameBits(a[0], b[0]) && SameBits(a[1], b[1]) && SameBits(a[2], b[2]);
}

::testing::AssertionResult IdenticalPolyhedra(const Polyhedron& fast, const Polyhedron& reference) {
  if (!SameBits(fast.distanceScale, reference.distanceScale))
    return ::testing::AssertionFailure() << "distance scale differs";
  if (fast.corners.size() != reference.corners.size())
    return ::testing::AssertionFailure()
           << "corner count " << fast.corners.size() << " vs " << reference.corners.size();
  for (std::size_t c = 0; c < fast.corners.size(); ++c)
    if (!SameBits(fast.corners[c].position, reference.corners[c].position) ||
        fast.corners[c].faces != reference.corners[c].faces)
      return ::testing::AssertionFailure()
             << "corner " << c << " (faces " << fast.corners[c].faces[0] << " "
             << fast.corners[c].faces[1] << " " << fast.corners[c].faces[2] << " vs "
             << reference.corners[c].faces[0] << " " << reference.corners[c].faces[1] << " "
             << reference.corners[c].faces[2] << ")";
  if (fast.presentIndex != reference.presentIndex || fast.absentCount != reference.absentCount)
    return ::testing::AssertionFailure() << "present faces differ";
  if (fast.presentFaces.size() != reference.presentFaces.size())
    return ::testing::AssertionFailure() << "present face count differs";
  for (std::size_t p = 0; p < fast.presentFaces.size(); ++p) {
    const auto& a = fast.presentFaces[p].polygon;
    const auto& b = reference.presentFaces[p].polygon;
    if (a.size() != b.size())
      return ::testing::AssertionFailure()
             << "polygon " << p << " has " << a.size() << " vs " << b.size() << " entries";
    for (std::size_t e = 0; e < a.size(); ++e)
      if (!SameBits(a[e].position, b[e].position) || !SameBits(a[e].key, b[e].key))
        return ::testing::AssertionFailure() << "polygon " << p << " entry " << e;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace habitopia::test
