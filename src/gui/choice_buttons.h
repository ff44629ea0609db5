#pragma once
// Check boxes and choice buttons reach the form the same way however they are
// switched: by the mouse, by a key, or through the accessibility action
// "Toggle" (which emits toggled but not clicked). The window's own updates set
// their state with signals blocked (SetChecked), so only the user's switching
// arrives here.

#include <QAbstractButton>
#include <QObject>
#include <QRadioButton>
#include <utility>

namespace habitopia::gui {

// `event(on)` for every change of the button's state.
template <typename Event>
void OnToggled(QAbstractButton* button, QObject* context, Event event) {
  QObject::connect(button, &QAbstractButton::toggled, context, std::move(event));
}

// `event()` when the button becomes the chosen one of its group.
template <typename Event>
void OnChosen(QAbstractButton* button, QObject* context, Event event) {
  QObject::connect(button, &QAbstractButton::toggled, context, [event = std::move(event)](bool on) {
    if (on) event();
  });
}

// A radio button of a one-of-many slot whose choice the form keeps: it does not
// switch its neighbours itself (Qt would then describe it as a check box), yet
// assistive tools are told it is a radio button.
class ChoiceButton : public QRadioButton {
  Q_OBJECT

 public:
  ChoiceButton(const QString& text, QWidget* parent);
};

// Lets assistive tools see ChoiceButtons as radio buttons. Once per
// application; later calls do nothing.
void InstallChoiceButtonAccessibility();

}  // namespace habitopia::gui
