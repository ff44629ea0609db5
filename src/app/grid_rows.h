#pragma once
// Face grids as row lists: the grid's face rows (below the header) as FaceRows for
// the symmetry code, back again, and which rows changed between two versions.

#include "app/form_changes.h"
#include "app/tables_state.h"
#include "symmetry/face_rows.h"

namespace habitopia {

FaceRows FaceRowsOf(const FaceGrid& grid);
// Replaces the grid's face rows; the header and at least one (empty) face row stay.
void SetFaceRows(FaceGrid& grid, const FaceRows& rows);

// Number of face rows in use: the grid's rows below the header, not counting
// the single empty row an empty table shows.
int FaceRowCount(const FaceGrid& grid);

FaceRow RowAt(const FaceGrid& grid, int row);
void SetRowAt(FaceGrid& grid, int row, const FaceRow& texts);
void DeleteRow(FaceGrid& grid, int row);

// What the window has to redraw after `before` became `after`: the grid's shape
// when the row count or visibility changed, otherwise the runs of changed rows.
void ReportGridChange(const FaceGrid& before, const FaceGrid& after, int gridNumber,
                      FormChanges& changes);

}  // namespace habitopia
