#pragma once
// A plain transcription of the exhaustive construction, kept as the yardstick
// the fast builder is checked against: every plane triple is solved and tested
// against every face, and each face gathers its corners by walking the whole
// corner list.

#include "core/polyhedron.h"

namespace habitopia::test {

Polyhedron BuildReferencePolyhedron(const PolyhedronInput& input);

}  // namespace habitopia::test
