#include "gui/donation_box.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/program_texts.h"

namespace habitopia::gui {

DonationBox::DonationBox(QWidget* parent) : QGroupBox(tr("Donations"), parent) {
  setObjectName(QStringLiteral("DonationBox"));
  setAccessibleName(tr("Donations"));
  auto* layout = new QVBoxLayout(this);
  text_ = new QLabel(QString::fromStdString(DonationText()), this);
  text_->setObjectName(QStringLiteral("DonationText"));
  text_->setWordWrap(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  layout->addWidget(text_, 1);
}

}  // namespace habitopia::gui
