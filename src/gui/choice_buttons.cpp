#include "gui/choice_buttons.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRadioButton>

namespace habitopia::gui {
namespace {

class AccessibleChoiceButton : public QAccessibleWidget {
 public:
  explicit AccessibleChoiceButton(QRadioButton* button)
      : QAccessibleWidget(button, QAccessible::RadioButton) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = Button()->isChecked();
    return s;
  }

  QString text(QAccessible::Text t) const override {
    QString shown = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && shown.isEmpty())
      shown = Button()->text().remove(QLatin1Char('&'));
    return shown;
  }

  QStringList actionNames() const override {
    QStringList names;
    if (Button()->isEnabled()) names << toggleAction();
    return names + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == toggleAction()) {
      if (Button()->isEnabled()) Button()->toggle();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QRadioButton* Button() const { return static_cast<QRadioButton*>(widget()); }
};

// Asked for the most derived class first, so it answers before Qt's own
// factory, which describes a radio button without auto-exclusion as a check box.
QAccessibleInterface* ChoiceButtonFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(ChoiceButton::staticMetaObject.className())) return nullptr;
  auto* button = qobject_cast<ChoiceButton*>(object);
  return button ? new AccessibleChoiceButton(button) : nullptr;
}

}  // namespace

ChoiceButton::ChoiceButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
  setAutoExclusive(false);
}

void InstallChoiceButtonAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&ChoiceButtonFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace habitopia::gui
