#include "gui/information_panels.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "gui/donation_box.h"
#include "gui/history_panel.h"
#include "gui/home_page_box.h"

namespace habitopia::gui {

InformationPanels::InformationPanels(MainForm& form, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("InformationPanels"));
  setAutoFillBackground(true);
  // Laid over the viewer: it takes the viewer's size and never widens the window.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  history_ = new HistoryPanel(this);
  homePage_ = new HomePageBox(form, this);
  donation_ = new DonationBox(this);
  close_ = new QPushButton(tr("C&lose"), this);
  close_->setObjectName(QStringLiteral("CloseInformation"));
  close_->setAccessibleName(tr("Close"));
  for (QWidget* panel : {static_cast<QWidget*>(history_), static_cast<QWidget*>(homePage_),
                         static_cast<QWidget*>(donation_)})
    layout->addWidget(panel, 1);
  layout->addWidget(close_, 0, Qt::AlignRight);
  connect(close_, &QPushButton::clicked, this, [&form] { form.CloseInfoPanel(); });
  hide();
}

void InformationPanels::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kRegionsPart)) return;
  const InfoPanel shown = state.regions.infoPanel;
  history_->setVisible(shown == InfoPanel::History);
  homePage_->setVisible(shown == InfoPanel::HomePage);
  donation_->setVisible(shown == InfoPanel::Donation);
  setVisible(shown != InfoPanel::None);
  if (isVisible()) raise();
}

}  // namespace habitopia::gui
