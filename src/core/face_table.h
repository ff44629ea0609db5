#pragma once
// The face-table clean-up a calculation makes before it builds the polyhedron.

#include <vector>

#include "core/model.h"

namespace habitopia {

// Drops faces whose index text is "0 0 0" or whose distance is not greater than 0.
// The remaining faces' h, k, l and distance move up without gaps while the
// appearance attributes (colour, texture, marks) stay in their slots; h, k, l are
// rounded to 3 decimals. The unique faces lead the table: a dropped one shortens
// the unique list with it. Returns the number of faces dropped.
int CleanFaceTable(CrystalModel& model);
// The faces (table indices, ascending) that CleanFaceTable would drop.
std::vector<int> FacesToDrop(const CrystalModel& model);

// A calculation keeps at most 301 faces (last face index 300) and warns from 301
// faces on: "More than a total of 300 faces. Command aborted".
inline constexpr const char* kTooManyFacesMessage =
    "More than a total of 300 faces. Command aborted";
bool FaceCountWarning(const CrystalModel& model);
// Cuts the table to 301 faces; returns the number of faces cut off.
int LimitFaceCount(CrystalModel& model);

// What a calculation does to the table before it builds: the face limit, then
// the clean-up.
struct TablePreparation {
  bool tooManyFaces = false;  // kTooManyFacesMessage is due
  int facesCut = 0;
  int facesDropped = 0;
};
TablePreparation PrepareFaceTable(CrystalModel& model);

}  // namespace habitopia
