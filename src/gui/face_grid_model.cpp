#include "gui/face_grid_model.h"

namespace habitopia::gui {

FaceGridModel::FaceGridModel(MainForm& form, int grid, QObject* parent)
    : QAbstractTableModel(parent), form_(form), grid_(grid) {
  shownRows_ = Rows().RowCount() - 1;
}

const FaceGrid& FaceGridModel::Rows() const {
  const TablesState& tables = form_.State().tables;
  return grid_ == 1 ? tables.stringGrid1 : tables.stringGrid2;
}

int FaceGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int FaceGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant FaceGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() ||
      (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::AccessibleTextRole))
    return {};
  const FaceGrid& grid = Rows();
  const int row = index.row() + 1;
  if (row >= grid.RowCount()) return {};
  return QString::fromStdString(grid.rows[row][index.column()]);
}

QVariant FaceGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const FaceGrid& grid = Rows();
  return QString::fromStdString(grid.rows[0][section == 0 ? 0 : 1]);
}

Qt::ItemFlags FaceGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool FaceGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const std::string text = value.toString().toStdString();
  const int row = index.row() + 1;
  if (grid_ == 1)
    form_.StringGrid1SetEditText(row, index.column(), text);
  else
    form_.StringGrid2SetEditText(row, index.column(), text);
  return true;
}

void FaceGridModel::Show(const FormChanges& changes) {
  const int rows = Rows().RowCount() - 1;
  const bool shape = changes.Has(grid_ == 1 ? kGrid1ShapePart : kGrid2ShapePart);
  if (shape || rows != shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
    return;
  }
  for (const GridRows& changed : changes.rows) {
    if (changed.grid != grid_) continue;
    const int first = std::max(changed.first, 1) - 1;
    const int last = std::min(changed.last, rows) - 1;
    if (first <= last) emit dataChanged(index(first, 0), index(last, 1));
  }
}

}  // namespace habitopia::gui
