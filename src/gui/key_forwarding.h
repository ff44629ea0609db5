#pragma once
// Typing in a line edit through one of the controller's key filters: the
// filter gets the key as a character and answers what reaches the box.

#include <QKeyEvent>
#include <QLineEdit>
#include <functional>

namespace habitopia::gui {

// Returns true when the event was handled here (the key was refused, replaced,
// or was Return, which the filter handles itself).
inline bool ForwardKey(QKeyEvent* event, QLineEdit* edit, const std::function<char(char)>& filter) {
  if (!edit) return false;
  char key = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key = '\r';
  } else if (event->key() == Qt::Key_Backspace) {
    key = '\b';
  } else {
    const QString text = event->text();
    if (text.isEmpty() || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
      return false;
    const QChar c = text.at(0);
    key = c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f';
  }
  const char typed = filter(key);
  if (key == '\r') return true;
  if (typed == key) return false;
  if (typed != '\0') {
    edit->insert(QString(QChar(typed)));
    emit edit->textEdited(edit->text());
  }
  return true;
}

}  // namespace habitopia::gui
