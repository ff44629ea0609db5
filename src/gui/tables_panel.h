#pragma once
// The tables region Panel3: cell boxes, the two face lists, the face edit boxes
// with "Add Face" and "Remove", "CANCEL"/"ACCEPT", the symmetry strip, and the
// "Point Groups" and "Special Face Features" boxes laid over the lists.

#include <QWidget>

#include "app/main_form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace habitopia::gui {

class CellBoxes;
class FaceGridModel;
class PointGroupsBox;
class FaceAppearanceBox;

class TablesPanel : public QWidget {
  Q_OBJECT

 public:
  TablesPanel(MainForm& form, QWidget* parent = nullptr);
  ~TablesPanel() override;
  void Show(const FormState& state, const FormChanges& changes);

  QTableView* Grid(int grid) const { return grid == 1 ? grid1_ : grid2_; }
  CellBoxes* Cell() const { return cell_; }
  PointGroupsBox* PointGroups() const { return pointGroups_; }

 private:
  QTableView* MakeGrid(int grid, FaceGridModel* model);

  MainForm& form_;
  CellBoxes* cell_ = nullptr;
  FaceGridModel* model1_ = nullptr;
  FaceGridModel* model2_ = nullptr;
  QTableView* grid1_ = nullptr;
  QTableView* grid2_ = nullptr;
  PointGroupsBox* pointGroups_ = nullptr;
  FaceAppearanceBox* appearance_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QPushButton* addFace_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* accept_ = nullptr;
  QWidget* faceButtons_ = nullptr;
  QWidget* acceptStrip_ = nullptr;
  QWidget* symmetryStrip_ = nullptr;
  QCheckBox* applySymmetry_ = nullptr;
  bool showing_ = false;
};

}  // namespace habitopia::gui
