#include "support/exact_agreement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/clipped_polyhedron.h"

namespace habitopia::test {

Agreement ExpectExactAgreement(const PolyhedronInput& input, const std::string& what, Real relative,
                               Real floor) {
  Agreement agreement;
  const Polyhedron built = BuildPolyhedron(input);
  const FaceIndexLists lists = BuildFaceIndexLists(built, NumberSceneCorners(built), false);
  const ClippedPolyhedron clipped = ClipHalfSpaces(input);
  EXPECT_EQ(IsHullClosed(built, lists), clipped.bounded && clipped.volume > 0) << what;
  if (!clipped.bounded) return agreement;
  agreement.bounded = built.bounded;
  agreement.volumeError = std::fabs(lists.volumeTotal - clipped.volume) / clipped.volume;
  EXPECT_LE(agreement.volumeError, relative)
      << what << ": volume " << lists.volumeTotal << " against " << clipped.volume;
  const Real small = floor * clipped.surface;
  for (int f = 0; f < built.FaceCount(); ++f) {
    const int p = built.presentIndex[f];
    const Real ours = p == kAbsentFace ? 0 : lists.faceArea[p];
    const Real theirs = clipped.faceArea[f];
    const Real error = std::fabs(ours - theirs);
    EXPECT_LE(error, relative * theirs + small)
        << what << ": face " << f << " area " << ours << " against " << theirs;
    if (theirs > small)
      agreement.worstFaceError = std::max(agreement.worstFaceError, error / theirs);
  }
  return agreement;
}

}  // namespace habitopia::test
