#include "gui/command_actions.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

#include "app/main_form.h"
#include "gui/choice_buttons.h"

namespace habitopia::gui {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// The accessible name: the caption without its access-key mark, or the hint.
QString AccessibleName(const QString& caption, const QString& hint) {
  QString name = caption;
  name.remove(QLatin1Char('&'));
  name = name.trimmed();
  return name.isEmpty() ? hint : name;
}

constexpr Menu kMenuBarOrder[] = {Menu::File,    Menu::Edit,  Menu::View, Menu::Settings,
                                  Menu::Crystal, Menu::Tools, Menu::Help};

}  // namespace

CommandActions::CommandActions(MainForm& form, QMainWindow& window)
    : QObject(&window), form_(form) {
  QMenuBar* bar = window.menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  bar->setAccessibleName(QStringLiteral("Menu bar"));
  for (Menu menu : kMenuBarOrder) {
    QMenu* item = bar->addMenu(Text(MenuCaption(menu)));
    item->setObjectName(Text(MenuCaption(menu)).remove(QLatin1Char('&')).trimmed());
    item->menuAction()->setObjectName(item->objectName());
    menus_[static_cast<std::size_t>(menu)] = item;
  }
  for (const Command& command : Commands()) {
    const QString caption = Text(command.caption);
    const QString hint = Text(command.hint);
    auto* action = new QAction(caption.isEmpty() ? hint : caption, this);
    action->setObjectName(Text(command.name));
    action->setToolTip(hint.isEmpty() ? caption : hint);
    action->setCheckable(command.checkable);
    action->setEnabled(command.handler != nullptr);
    const CommandId id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { form_.Run(id); });
    actions_[CommandIndex(id)] = action;
    if (command.menu == Menu::None) continue;
    QMenu*& menu = menus_[static_cast<std::size_t>(command.menu)];
    if (!menu) {
      QMenu* parent = menus_[static_cast<std::size_t>(ParentMenu(command.menu))];
      menu = parent->addMenu(Text(MenuCaption(command.menu)));
      menu->setObjectName(Text(MenuCaption(command.menu)).remove(QLatin1Char('&')).trimmed());
      menu->menuAction()->setObjectName(menu->objectName());
      if (command.menu == Menu::FileRecent)
        connect(menu, &QMenu::aboutToShow, this, [this] { form_.LoadRecent1Click(); });
    }
    menu->addAction(action);
  }

  toolBar_ = new QToolBar(QStringLiteral("Speedbuttons"), &window);
  toolBar_->setObjectName(QStringLiteral("Panel4"));
  toolBar_->setMovable(false);
  window.addToolBar(Qt::TopToolBarArea, toolBar_);
  for (const std::optional<CommandId>& id : ToolbarOrder()) {
    if (!id) {
      toolBar_->addSeparator();
      continue;
    }
    QAction* action = actions_[CommandIndex(*id)];
    toolBar_->addAction(action);
    if (QWidget* button = toolBar_->widgetForAction(action)) {
      const Command& command = CommandFor(*id);
      button->setObjectName(Text(command.name) + QStringLiteral("Button"));
      button->setAccessibleName(Text(command.hint));
      button->setToolTip(Text(command.hint));
      button->setProperty("command", static_cast<int>(*id));
      button->installEventFilter(this);
      // The action "Toggle" of assistive tools switches the button alone; the
      // command follows it as it follows a click.
      if (auto* toggle = qobject_cast<QAbstractButton*>(button); toggle && action->isCheckable())
        OnToggled(toggle, this, [action](bool on) {
          if (action->isChecked() != on) action->trigger();
        });
    }
  }
  if (auto* more = toolBar_->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QStringLiteral("More toolbar buttons"));
}

bool CommandActions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    const QVariant id = watched->property("command");
    if (id.isValid()) {
      form_.RunRightClick(static_cast<CommandId>(id.toInt()));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void CommandActions::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kCommandsPart) && !changes.Has(kRegionsPart)) return;
  for (const Command& command : Commands()) {
    QAction* action = actions_[CommandIndex(command.id)];
    const CommandState& shown = state.Command(command.id);
    const QString caption =
        shown.caption.empty() ? Text(command.caption) : QString::fromStdString(shown.caption);
    action->setText(caption.isEmpty() ? Text(command.hint) : caption);
    action->setEnabled(shown.enabled && command.handler != nullptr && !state.regions.locked);
    action->setChecked(shown.checked);
    action->setVisible(shown.visible);
    // Menu items carry their caption as accessible name, toolbar buttons their hint.
    if (QWidget* button = toolBar_->widgetForAction(action))
      button->setAccessibleName(Text(command.hint));
  }
  for (QMenu* menu : menus_)
    if (menu) menu->menuAction()->setEnabled(!state.regions.locked);
  toolBar_->setVisible(state.regions.toolbar);
}

}  // namespace habitopia::gui
