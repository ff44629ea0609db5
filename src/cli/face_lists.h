#pragma once
// Completing a model's full face list from its unique faces for the commands
// that rebuild it (expand, predict), with the calculation's 300-face limit.

#include "core/model.h"
#include "files/model_document.h"
#include "symmetry/face_rows.h"

namespace habitopia::cli {

// The unique-face grid rows a model file gives: each unique face's indices and
// distance in shortest general form.
FaceRows UniqueRowsOf(const ModelDocument& document);

// "to All": rebuilds the full list from `uniqueRows` with the model's point
// group. The run stops once the table holds more than 300 faces; then the table
// is cut to 301 faces, kTooManyFacesMessage goes to stderr and the result is true.
bool RebuildWithFaceLimit(CrystalModel& model, const FaceRows& uniqueRows, FaceRows& fullRows);

// The model's unique faces (slots 0..lastUniqueFace) and face table
// (slots 0..lastFace) into `document`; a cleavage face is dropped with the old rows.
void StoreFaces(const CrystalModel& model, ModelDocument& document);

}  // namespace habitopia::cli
