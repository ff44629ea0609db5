#pragma once
// Between the crystal model, the window state and a model document: the face
// grids and cell boxes filled from the model, the switches a model file carries,
// and the values a save takes from the window.

#include "app/form_state.h"
#include "core/model.h"
#include "files/model_document.h"
#include "scene/scene_writer.h"
#include "symmetry/face_rows.h"

namespace habitopia {

// The decimal separator the window shows numbers with.
inline char Separator(const FormState& state) { return state.decimalComma ? ',' : '.'; }

// StringGrid2 shows faces 0..lastUniqueFace, StringGrid1 faces 0..lastFace (one
// empty face row when there is none); Edit4..Edit9 show the cell as given.
void ShowModelInTables(const CrystalModel& model, TablesState& tables, char separator = '.');

// A grid's face rows (without the header) and back.
FaceRows GridFaceRows(const FaceGrid& grid);
void SetGridFaceRows(FaceGrid& grid, const FaceRows& rows);

// The switches of a document read, as the window shows them.
void ShowDocumentSwitches(const ModelDocument& document, FormState& state);

// What a save or a snapshot takes from the window.
FormValues CollectFormValues(const FormState& state, std::string_view rendererName, SaveKind kind);
// What the scene writer follows.
SceneSwitches CollectSceneSwitches(const FormState& state);

}  // namespace habitopia
