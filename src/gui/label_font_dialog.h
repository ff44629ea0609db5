#pragma once
// The label font dialog: a font, its colour, and an Apply button that hands the
// font shown to the caller without closing.

#include <QColor>
#include <QDialog>
#include <functional>

#include "app/dialogs.h"

class QFontDialog;
class QPushButton;

namespace habitopia::gui {

class LabelFontDialog : public QDialog {
  Q_OBJECT

 public:
  LabelFontDialog(const FontChoice& initial, std::function<void(const FontChoice&)> apply,
                  QWidget* parent = nullptr);

  FontChoice Choice() const;

 private:
  void ShowColour();

  QFontDialog* fonts_ = nullptr;
  QPushButton* colourButton_ = nullptr;
  QColor colour_;
  std::function<void(const FontChoice&)> apply_;
};

}  // namespace habitopia::gui
