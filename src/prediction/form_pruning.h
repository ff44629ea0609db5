#pragma once
// Which forms of a prediction can touch the crystal. Forms are taken from the
// nearest out; a form is dropped when none of its planes cuts the polyhedron of
// the forms kept before it (its distance is at least that polyhedron's extent
// along each of its normals). The crystal lies inside that polyhedron, so a
// dropped form could never have become a face, and the result does not depend
// on the scale of the distances.

#include <vector>

#include "core/matrix.h"

namespace habitopia {

enum class FormRole {
  Candidate,  // dropped when it cannot touch
  Kept,       // kept, and bounds the forms after it
  Ignored,    // kept, and bounds nothing
};

struct FormPlanes {
  Real distance = 0;          // central distance of every face of the form
  std::vector<Vec3> normals;  // unit normals of its faces
  FormRole role = FormRole::Candidate;
};

// One flag per form: true when it is kept.
std::vector<bool> FormsThatCanTouch(const std::vector<FormPlanes>& forms);

}  // namespace habitopia
