#pragma once
// The utility panel panel2: display switches, sliders and colour buttons.

#include <QFrame>
#include <map>

#include "app/display_switches.h"
#include "app/form_changes.h"
#include "app/form_state.h"

class QCheckBox;
class QSlider;
class QSpinBox;
class QToolButton;

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class UtilityPanel : public QFrame {
  Q_OBJECT

 public:
  UtilityPanel(MainForm& form, QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);

 private:
  QCheckBox* AddSwitch(const char* name, const QString& caption);
  QSlider* AddSlider(const char* name, const QString& caption, int minimum, int maximum,
                     void (MainForm::*handler)(int));
  QToolButton* AddColourButton(const char* name, const QString& caption, const QString& hint,
                               void (MainForm::*click)(), void (MainForm::*rightClick)() = nullptr);
  void ShowColours(const DisplaySettings& settings);

  MainForm& form_;
  std::map<DisplaySwitch, QCheckBox*> switches_;
  QCheckBox* tumble_ = nullptr;
  QSlider* transparency_ = nullptr;
  QSlider* perspective_ = nullptr;
  QSlider* speed_ = nullptr;
  QSpinBox* axesLength_ = nullptr;
  std::map<QToolButton*, Rgb DisplaySettings::*> colourButtons_;
};

}  // namespace habitopia::gui
