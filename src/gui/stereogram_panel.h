#pragma once
// The stereographic projection beside the viewer: the poles of the crystal of
// the last calculation, drawn from the SVG the form keeps.

#include <QFrame>
#include <string>

#include "app/form_changes.h"
#include "app/form_state.h"

class QLabel;
class QSvgWidget;

namespace habitopia::gui {

class StereogramPanel : public QFrame {
  Q_OBJECT

 public:
  explicit StereogramPanel(QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);
  // True when the shown projection drew (a valid SVG).
  bool HasDrawing() const;
  QSvgWidget* Drawing() const { return svg_; }

 private:
  QSvgWidget* svg_ = nullptr;
  QLabel* empty_ = nullptr;
  std::string shown_;
};

}  // namespace habitopia::gui
