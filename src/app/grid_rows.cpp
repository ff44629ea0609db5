#include "app/grid_rows.h"

#include <algorithm>

namespace habitopia {

FaceRows FaceRowsOf(const FaceGrid& grid) {
  FaceRows rows;
  const int count = FaceRowCount(grid);
  rows.reserve(static_cast<std::size_t>(count));
  for (int r = 1; r <= count; ++r) rows.push_back(RowAt(grid, r));
  return rows;
}

void SetFaceRows(FaceGrid& grid, const FaceRows& rows) {
  grid.rows.resize(1 + std::max<std::size_t>(rows.size(), 1));
  if (rows.empty()) grid.rows[1] = {"", ""};
  for (std::size_t i = 0; i < rows.size(); ++i)
    grid.rows[i + 1] = {rows[i].indices, rows[i].distance};
}

int FaceRowCount(const FaceGrid& grid) {
  const int count = grid.RowCount() - 1;
  if (count == 1 && grid.rows[1][0].empty() && grid.rows[1][1].empty()) return 0;
  return std::max(count, 0);
}

FaceRow RowAt(const FaceGrid& grid, int row) {
  if (row < 1 || row >= grid.RowCount()) return {};
  return {grid.rows[row][0], grid.rows[row][1]};
}

void SetRowAt(FaceGrid& grid, int row, const FaceRow& texts) {
  if (row < 1) return;
  if (row >= grid.RowCount()) grid.rows.resize(row + 1);
  grid.rows[row] = {texts.indices, texts.distance};
}

void DeleteRow(FaceGrid& grid, int row) {
  if (row < 1 || row >= grid.RowCount()) return;
  grid.rows.erase(grid.rows.begin() + row);
  if (grid.RowCount() < 2) grid.rows.push_back({"", ""});
  grid.selectedRow = std::clamp(grid.selectedRow, 1, grid.RowCount() - 1);
}

void ReportGridChange(const FaceGrid& before, const FaceGrid& after, int gridNumber,
                      FormChanges& changes) {
  if (before.RowCount() != after.RowCount() || before.visible != after.visible ||
      before.rows[0] != after.rows[0]) {
    changes.parts |= gridNumber == 1 ? kGrid1ShapePart : kGrid2ShapePart;
    return;
  }
  if (before.selectedRow != after.selectedRow) changes.parts |= kTablesPart;
  int first = -1;
  for (int r = 1; r <= after.RowCount(); ++r) {
    const bool differs = r < after.RowCount() && before.rows[r] != after.rows[r];
    if (differs && first < 0) first = r;
    if (!differs && first >= 0) {
      changes.rows.push_back({gridNumber, first, r - 1});
      first = -1;
    }
  }
}

}  // namespace habitopia
