#include "gui/surface_energies_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace habitopia::gui {

SurfaceEnergiesDialog::SurfaceEnergiesDialog(MainForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("SurfaceEnergiesDialog"));
  setWindowTitle(tr("Surface energies"));
  auto* layout = new QVBoxLayout(this);
  auto* rows = new QFormLayout;
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("SurfaceTableKind"));
  kind_->addItem(tr("surface energies (Wulff shape)"), static_cast<int>(WulffKind::Energy));
  kind_->addItem(tr("growth rates (kinetic Wulff shape)"), static_cast<int>(WulffKind::Growth));
  kind_->addItem(tr("attachment energies"), static_cast<int>(WulffKind::Attachment));
  auto* kindCaption = new QLabel(tr("&Values are"), this);
  kindCaption->setBuddy(kind_);
  rows->addRow(kindCaption, kind_);
  layout->addLayout(rows);
  auto* tableCaption = new QLabel(tr("&One form per row: h k l value (# starts a comment)"), this);
  table_ = new QPlainTextEdit(this);
  table_->setObjectName(QStringLiteral("SurfaceTable"));
  table_->setAccessibleName(tr("Surface table"));
  table_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  table_->setPlainText(QString::fromStdString(form_.SurfaceTableText()));
  tableCaption->setBuddy(table_);
  layout->addWidget(tableCaption);
  layout->addWidget(table_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(420, 360);
}

void SurfaceEnergiesDialog::accept() {
  bool taken = false;
  const std::string table = table_->toPlainText().toStdString();
  const auto kind = static_cast<WulffKind>(kind_->currentData().toInt());
  form_.ToolEvent([&] { taken = form_.SurfaceTableAccepted(table, kind); });
  if (taken) QDialog::accept();
}

}  // namespace habitopia::gui
