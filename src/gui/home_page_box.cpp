#include "gui/home_page_box.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "app/program_texts.h"

namespace habitopia::gui {

HomePageBox::HomePageBox(MainForm& form, QWidget* parent) : QGroupBox(tr("Home Page"), parent) {
  setObjectName(QStringLiteral("HomePageBox"));
  setAccessibleName(tr("Home Page"));
  auto* layout = new QVBoxLayout(this);
  page_ = new QTextBrowser(this);
  page_->setObjectName(QStringLiteral("HomePageText"));
  page_->setAccessibleName(tr("Home Page"));
  page_->setOpenExternalLinks(true);
  page_->setHtml(QString::fromStdString(HomePageHtml()));
  layout->addWidget(page_);
  donations_ = new QPushButton(tr("&Donations"), this);
  donations_->setObjectName(QStringLiteral("Donations1"));
  donations_->setAccessibleName(tr("Donations"));
  layout->addWidget(donations_, 0, Qt::AlignLeft);
  connect(donations_, &QPushButton::clicked, this, [&form] { form.Donations1Click(); });
}

}  // namespace habitopia::gui
