#pragma once
// A face grid (StringGrid1 or StringGrid2) as a Qt table model: two columns
// "indices" and "Distance", one row per face. The view edits cells in place;
// every edit goes to the MainForm, and the model follows FormState row by row.

#include <QAbstractTableModel>

#include "app/form_changes.h"
#include "app/main_form.h"

namespace habitopia::gui {

class FaceGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // grid 1: all faces, grid 2: unique faces.
  FaceGridModel(MainForm& form, int grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  int Grid() const { return grid_; }
  // Follows the form: a reset when the grid's shape changed, else the rows named.
  void Show(const FormChanges& changes);

 private:
  const FaceGrid& Rows() const;

  MainForm& form_;
  int grid_;
  int shownRows_ = 0;
};

}  // namespace habitopia::gui
