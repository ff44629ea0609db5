#include "gui/command_icons.h"

// Resources of a static library are registered by hand, once.
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace habitopia::gui {

namespace {

const char* IconName(CommandId id) {
  using C = CommandId;
  switch (id) {
    case C::NewModel: return "new-model";
    case C::LoadData: return "load-data";
    case C::SaveData: return "save-data";
    case C::BackgroundColor: return "background-color";
    case C::GridColor: return "grid-color";
    case C::FillColor: return "fill-color";
    case C::SelectPointGroup: return "point-group";
    case C::EditMetric: return "edit-metric";
    case C::EditUniqueFaces: return "edit-unique-faces";
    case C::EditFace: return "edit-face";
    case C::SingleFaceProperties: return "single-face-properties";
    case C::IndicateCleavageFace: return "cleavage-face";
    case C::TwinningTool: return "twin";
    case C::Indices: return "indices";
    case C::SelectIndicesStyle: return "indices-style";
    case C::Axes: return "axes";
    case C::SelectAxesColor: return "axes-color";
    case C::Grid: return "grid";
    case C::Fill: return "fill";
    case C::SpotlightsOffButton: return "spotlights-on";
    case C::SpotlightsOnButton: return "spotlights-off";
    case C::HeadlightOffButton: return "headlight-on";
    case C::HeadlightOnButton: return "headlight-off";
    case C::CopyToClipboardButton: return "copy-to-clipboard";
    case C::ShowHideToolbar: return "show-hide-toolbar";
    case C::ShowHideControls: return "show-hide-controls";
    case C::HelpButton: return "help";
    default: return nullptr;
  }
}

}  // namespace

QIcon NamedIcon(const QString& name) {
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QIcon CommandIcon(CommandId id) {
  const char* name = IconName(id);
  return name ? NamedIcon(QString::fromLatin1(name)) : QIcon();
}

}  // namespace habitopia::gui
