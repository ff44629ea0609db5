#include "gui/info_panel.h"

#include "app/program_texts.h"

namespace habitopia::gui {

InfoPanelView::InfoPanelView(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("InformationPanel"));
  setOpenExternalLinks(true);
  setMinimumWidth(180);
  setMaximumWidth(320);
  hide();
}

void InfoPanelView::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kRegionsPart)) return;
  const InfoPanel wanted = state.regions.infoPanel;
  if (wanted != shown_) {
    shown_ = wanted;
    if (wanted == InfoPanel::HomePage) {
      setObjectName(QStringLiteral("HomePagePanel"));
      setAccessibleName(tr("Home Page"));
      setHtml(QString::fromStdString(HomePageHtml()));
    } else if (wanted == InfoPanel::History) {
      setObjectName(QStringLiteral("Panel21"));
      setAccessibleName(tr("History"));
      setPlainText(QString::fromStdString(HistoryText()));
    }
  }
  setVisible(wanted == InfoPanel::HomePage || wanted == InfoPanel::History);
}

}  // namespace habitopia::gui
