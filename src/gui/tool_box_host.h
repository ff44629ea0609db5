#pragma once
// The tool group boxes, laid over the tables region one at a time. Each tool
// fills its own box; the host shows the one the form names.

#include <QWidget>
#include <map>

#include "app/form_changes.h"
#include "app/form_state.h"

class QGroupBox;

class QScrollArea;

namespace habitopia::gui {

class ToolBoxHost : public QWidget {
  Q_OBJECT

 public:
  explicit ToolBoxHost(QWidget* parent = nullptr);

  // The box of a tool, to put its controls in; nullptr for ToolBox::None.
  QGroupBox* Box(ToolBox box) const;

  void Show(const FormState& state, const FormChanges& changes);

  // The width the shown box needs to be seen whole, with room for the
  // vertical scroll bar; 0 while no box shows.
  int WidthWanted() const;

 private:
  QScrollArea* scroll_ = nullptr;
  QWidget* pages_ = nullptr;
  std::map<ToolBox, QGroupBox*> boxes_;
};

// The caption of a tool's group box.
QString ToolBoxCaption(ToolBox box);

}  // namespace habitopia::gui
