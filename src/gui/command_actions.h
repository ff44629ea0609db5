#pragma once
// One QAction per row of the command table; the menu bar and the toolbar are
// built from the table, and the actions show the commands' states in FormState.

#include <QObject>
#include <array>

#include "app/commands.h"
#include "app/form_changes.h"
#include "app/form_state.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class CommandActions : public QObject {
  Q_OBJECT

 public:
  CommandActions(MainForm& form, QMainWindow& window);

  QAction* Action(CommandId id) const { return actions_[CommandIndex(id)]; }
  QMenu* MenuFor(Menu menu) const { return menus_[static_cast<std::size_t>(menu)]; }
  QToolBar* ToolBar() const { return toolBar_; }

  void Show(const FormState& state, const FormChanges& changes);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MainForm& form_;
  std::array<QAction*, kCommandCount> actions_{};
  std::array<QMenu*, static_cast<std::size_t>(Menu::Help) + 1> menus_{};
  QToolBar* toolBar_ = nullptr;
};

}  // namespace habitopia::gui
