#pragma once
// The toolbar's icons: SVG drawings compiled into the program.

#include <QIcon>

#include "app/commands.h"

namespace habitopia::gui {

// The icon of a toolbar button; a null icon for commands without a button.
QIcon CommandIcon(CommandId id);
// An icon by its file name in the resources, without ".svg" (e.g. "habitopia").
QIcon NamedIcon(const QString& name);

}  // namespace habitopia::gui
