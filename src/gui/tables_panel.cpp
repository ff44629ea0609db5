#include "gui/tables_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/cell_boxes.h"
#include "gui/choice_buttons.h"
#include "gui/face_appearance_box.h"
#include "gui/face_grid_model.h"
#include "gui/key_forwarding.h"
#include "gui/point_groups_box.h"
#include "gui/tool_box_widgets.h"

namespace habitopia::gui {
namespace {

// Cell editors of a face list: every key goes through the list's key filter,
// every change to the form, and Return accepts.
class FaceCellDelegate : public QStyledItemDelegate {
 public:
  FaceCellDelegate(MainForm& form, int grid, QObject* parent)
      : QStyledItemDelegate(parent), form_(form), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!edit) return nullptr;
    edit->setAccessibleName(index.column() == 0 ? QStringLiteral("indices")
                                                : QStringLiteral("Distance"));
    edit->setProperty("faceRow", index.row() + 1);
    edit->setProperty("faceColumn", index.column());
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
      const int row = edit->property("faceRow").toInt(),
                column = edit->property("faceColumn").toInt();
      if (grid_ == 1)
        form_.StringGrid1SetEditText(row, column, text.toStdString());
      else
        form_.StringGrid2SetEditText(row, column, text.toStdString());
    });
    return edit;
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || event->type() != QEvent::KeyPress)
      return QStyledItemDelegate::eventFilter(watched, event);
    const int row = edit->property("faceRow").toInt(),
              column = edit->property("faceColumn").toInt();
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter) {
      auto* self = const_cast<FaceCellDelegate*>(this);
      emit self->commitData(edit);
      emit self->closeEditor(edit, QAbstractItemDelegate::NoHint);
    }
    return ForwardKey(key, edit, [this, row, column, edit](char typed) {
      const std::string cell = edit->text().toStdString();
      return grid_ == 1 ? form_.StringGrid1KeyPress(row, column, cell, typed)
                        : form_.StringGrid2KeyPress(row, column, cell, typed);
    });
  }

 private:
  MainForm& form_;
  int grid_;
};

class AcceptOnDoubleClick : public QObject {
 public:
  AcceptOnDoubleClick(MainForm& form, QObject* parent) : QObject(parent), form_(form) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) form_.Edit1DblClick();
    return false;
  }

 private:
  MainForm& form_;
};

QPushButton* Button(const QString& caption, const QString& objectName, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  return button;
}

}  // namespace

TablesPanel::TablesPanel(MainForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName(QStringLiteral("Panel3"));
  setAccessibleName(QStringLiteral("Tables"));
  setMaximumWidth(360);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  cell_ = new CellBoxes(form_, this);
  layout->addWidget(cell_);

  model1_ = new FaceGridModel(form_, 1, this);
  model2_ = new FaceGridModel(form_, 2, this);
  grid2_ = MakeGrid(2, model2_);
  grid2_->setToolTip(QStringLiteral("click cells, edit them, then doubleclick to draw"));
  grid1_ = MakeGrid(1, model1_);
  grid1_->setToolTip(QStringLiteral("Select Face with a  Mouseclick, edit one at a time"));
  pointGroups_ = new PointGroupsBox(form_, this);
  appearance_ = new FaceAppearanceBox(form_, this);
  layout->addWidget(grid2_, 1);
  layout->addWidget(grid1_, 1);
  layout->addWidget(pointGroups_);
  layout->addWidget(appearance_);

  faceButtons_ = new QWidget(this);
  auto* faceRow = new QHBoxLayout(faceButtons_);
  faceRow->setContentsMargins(0, 0, 0, 0);
  edit1_ = new QLineEdit(faceButtons_);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setAccessibleName(QStringLiteral("indices"));
  edit2_ = new QLineEdit(faceButtons_);
  edit2_->setObjectName(QStringLiteral("Edit2"));
  edit2_->setAccessibleName(QStringLiteral("distance"));
  for (QLineEdit* edit : {edit1_, edit2_}) {
    edit->setToolTip(QStringLiteral("Edit, then Enable with Doubleclick"));
    edit->installEventFilter(new AcceptOnDoubleClick(form_, edit));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    faceRow->addWidget(edit, edit == edit1_ ? 3 : 2);
  }
  connect(edit1_, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.Edit1Change(t.toStdString()); });
  connect(edit2_, &QLineEdit::textEdited, this,
          [this](const QString& t) { form_.Edit2Change(t.toStdString()); });
  addFace_ = Button(QStringLiteral("Add Face"), QStringLiteral("Button2"), faceButtons_);
  remove_ = Button(QStringLiteral("Remove"), QStringLiteral("Button4"), faceButtons_);
  faceRow->addWidget(addFace_);
  faceRow->addWidget(remove_);
  layout->addWidget(faceButtons_);
  connect(addFace_, &QPushButton::clicked, this, [this] { form_.Button2Click(); });
  connect(remove_, &QPushButton::clicked, this, [this] { form_.Button4Click(); });

  acceptStrip_ = new QWidget(this);
  auto* acceptRow = new QHBoxLayout(acceptStrip_);
  acceptRow->setContentsMargins(0, 0, 0, 0);
  cancel_ = Button(QStringLiteral("CANCEL"), QStringLiteral("CANCELEDIT"), acceptStrip_);
  accept_ = Button(QStringLiteral("ACCEPT"), QStringLiteral("ACCEPTFACE"), acceptStrip_);
  acceptRow->addWidget(cancel_);
  acceptRow->addWidget(accept_);
  layout->addWidget(acceptStrip_);
  connect(cancel_, &QPushButton::clicked, this, [this] { form_.CANCELEDITClick(); });
  connect(accept_, &QPushButton::clicked, this, [this] { form_.Edit1DblClick(); });

  symmetryStrip_ = new QWidget(this);
  auto* symmetryRow = new QGridLayout(symmetryStrip_);
  symmetryRow->setContentsMargins(0, 0, 0, 0);
  auto* symmetry =
      Button(QStringLiteral("Symmetry"), QStringLiteral("SpeedButton15"), symmetryStrip_);
  symmetry->setToolTip(QStringLiteral("Point Group"));
  auto* toAll = Button(QStringLiteral("to All"), QStringLiteral("ApplyAllFaces"), symmetryStrip_);
  toAll->setToolTip(QStringLiteral("Apply Point Group Symmetry to all Faces"));
  applySymmetry_ = new QCheckBox(QStringLiteral("Apply Symmetry"), symmetryStrip_);
  applySymmetry_->setObjectName(QStringLiteral("ApplyPointgroup"));
  applySymmetry_->setAccessibleName(applySymmetry_->text());
  applySymmetry_->setToolTip(QStringLiteral("Apply Point Group Symmetry to edited Face"));
  applySymmetry_->setContextMenuPolicy(Qt::CustomContextMenu);
  symmetryRow->addWidget(symmetry, 0, 0);
  symmetryRow->addWidget(toAll, 0, 1);
  symmetryRow->addWidget(applySymmetry_, 1, 0, 1, 2);
  layout->addWidget(symmetryStrip_);
  connect(symmetry, &QPushButton::clicked, this,
          [this] { form_.Run(CommandId::SelectPointGroup); });
  connect(toAll, &QPushButton::clicked, this, [this] { form_.ApplyAllFacesClick(); });
  OnToggled(applySymmetry_, this, [this](bool on) { form_.ApplyPointgroupClick(on); });
  connect(applySymmetry_, &QCheckBox::customContextMenuRequested, this,
          [this] { form_.ApplyPointgroupMouseDown(); });
}

TablesPanel::~TablesPanel() {
  // The views' selections end with them and must not reach the form any more.
  for (QTableView* view : {grid1_, grid2_})
    QObject::disconnect(view->selectionModel(), nullptr, this, nullptr);
}

QTableView* TablesPanel::MakeGrid(int grid, FaceGridModel* model) {
  auto* view = new QTableView(this);
  view->setObjectName(QStringLiteral("StringGrid%1").arg(grid));
  view->setAccessibleName(grid == 1 ? QStringLiteral("all faces") : QStringLiteral("unique faces"));
  view->setModel(model);
  view->setItemDelegate(new FaceCellDelegate(form_, grid, view));
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
  // Both columns share the panel's width; rows as high as their text.
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  view->horizontalHeader()->setMinimumSectionSize(
      view->fontMetrics().horizontalAdvance(QStringLiteral("Distance")) + 12);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this, grid, view](const QModelIndex& current) {
            if (showing_ || !current.isValid()) return;
            const bool taken =
                grid == 1 ? form_.StringGrid1SelectCell(current.row() + 1, current.column())
                          : form_.StringGrid2SelectCell(current.row() + 1, current.column());
            if (!taken) Show(form_.State(), FormChanges{kTablesPart, {}});
            (void)view;
          });
  connect(view, &QTableView::doubleClicked, this, [this] { form_.Edit1DblClick(); });
  connect(view, &QTableView::customContextMenuRequested, this,
          [this, grid, view](const QPoint& at) {
            const QModelIndex index = view->indexAt(at);
            if (index.isValid()) form_.StringGridRightClick(grid, index.row() + 1);
          });
  return view;
}

void TablesPanel::Show(const FormState& state, const FormChanges& changes) {
  showing_ = true;
  const TablesState& tables = state.tables;
  model1_->Show(changes);
  model2_->Show(changes);
  cell_->Show(state);
  pointGroups_->Show(state);
  appearance_->Show(state);
  const bool overlay = state.regions.toolBox == ToolBox::PointGroups;
  grid1_->setVisible(tables.stringGrid1.visible && !overlay);
  grid2_->setVisible(tables.stringGrid2.visible && !overlay);
  for (auto [view, grid] :
       {std::pair{grid1_, &tables.stringGrid1}, std::pair{grid2_, &tables.stringGrid2}}) {
    const int row = grid->selectedRow - 1;
    if (row >= 0 && row < view->model()->rowCount() && view->currentIndex().row() != row)
      view->setCurrentIndex(view->model()->index(row, std::max(view->currentIndex().column(), 0)));
  }
  if (edit1_->text().toStdString() != tables.edit1.text)
    edit1_->setText(QString::fromStdString(tables.edit1.text));
  if (edit2_->text().toStdString() != tables.edit2.text)
    edit2_->setText(QString::fromStdString(tables.edit2.text));
  addFace_->setEnabled(tables.addFace.enabled);
  remove_->setEnabled(tables.removeFace.enabled);
  cancel_->setEnabled(tables.cancelEdit.enabled);
  accept_->setEnabled(tables.acceptFace.enabled);
  acceptStrip_->setVisible(tables.acceptStrip);
  faceButtons_->setVisible(tables.faceButtonStrip);
  symmetryStrip_->setVisible(tables.symmetryStrip);
  {
    const QSignalBlocker block(applySymmetry_);
    applySymmetry_->setChecked(tables.applySymmetry);
  }
  setVisible(state.regions.tables);
  setEnabled(!state.regions.locked);
  showing_ = false;
}

}  // namespace habitopia::gui
