#pragma once
// Small pieces the tool boxes share: running a form event from a widget, the
// key filter of a tool edit box, and copying texts without echoing them back.

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QSignalBlocker>
#include <functional>
#include <string>

#include "app/main_form.h"
#include "gui/key_forwarding.h"

namespace habitopia::gui {

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }

inline void SetText(QLineEdit* edit, const std::string& text) {
  const QString shown = ToQ(text);
  if (edit->text() == shown) return;
  const QSignalBlocker block(edit);
  edit->setText(shown);
}

inline void SetText(QAbstractButton* button, const std::string& text) {
  button->setText(ToQ(text));
}
inline void SetText(QLabel* label, const std::string& text) { label->setText(ToQ(text)); }

inline void SetChecked(QAbstractButton* button, bool checked) {
  if (button->isChecked() == checked) return;
  const QSignalBlocker block(button);
  button->setChecked(checked);
}

// Sends the keys typed into `edit` through the form's filter of that box.
class ToolEditKeys : public QObject {
 public:
  ToolEditKeys(MainForm& form, MainForm::ToolEdit which, QLineEdit* edit)
      : QObject(edit), form_(form), which_(which), edit_(edit) {
    edit->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != edit_ || event->type() != QEvent::KeyPress) return false;
    return ForwardKey(static_cast<QKeyEvent*>(event), edit_, [this](char key) {
      char typed = key;
      const std::string text = edit_->text().toStdString();
      form_.ToolEvent([&] { typed = form_.ToolEditKeyPress(which_, text, key); });
      return typed;
    });
  }

 private:
  MainForm& form_;
  MainForm::ToolEdit which_;
  QLineEdit* edit_;
};

// Runs `event` on a double click of `widget`.
class DoubleClicks : public QObject {
 public:
  DoubleClicks(QWidget* widget, std::function<void()> event)
      : QObject(widget), event_(std::move(event)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) {
      event_();
      return true;
    }
    return false;
  }

 private:
  std::function<void()> event_;
};

}  // namespace habitopia::gui
