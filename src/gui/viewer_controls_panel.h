#pragma once
// The viewer controls Panel11: navigation modes, "restore" and "fit", the zoom
// slider and the renderer choice.

#include <QFrame>
#include <map>

#include "app/form_changes.h"
#include "app/form_state.h"

class QRadioButton;
class QSlider;

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class ViewerControlsPanel : public QFrame {
  Q_OBJECT

 public:
  ViewerControlsPanel(MainForm& form, QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);

 private:
  MainForm& form_;
  std::map<NavigationMode, QRadioButton*> navigation_;
  std::map<RendererChoice, QRadioButton*> renderers_;
  QSlider* zoom_ = nullptr;
};

}  // namespace habitopia::gui
