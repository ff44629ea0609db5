#include "gui/label_font_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace habitopia::gui {

LabelFontDialog::LabelFontDialog(const FontChoice& initial,
                                 std::function<void(const FontChoice&)> apply, QWidget* parent)
    : QDialog(parent),
      colour_(initial.colour.red, initial.colour.green, initial.colour.blue),
      apply_(std::move(apply)) {
  setObjectName(QStringLiteral("LabelFontDialog"));
  setWindowTitle(tr("Font"));

  QFont start(QString::fromStdString(initial.family), initial.points);
  start.setBold(initial.bold);
  start.setItalic(initial.italic);
  fonts_ = new QFontDialog(start, this);
  fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts_->setWindowFlags(Qt::Widget);

  colourButton_ = new QPushButton(tr("&Colour"), this);
  colourButton_->setObjectName(QStringLiteral("FontColourButton"));
  connect(colourButton_, &QPushButton::clicked, this, [this] {
    const QColor chosen = QColorDialog::getColor(colour_, this);
    if (!chosen.isValid()) return;
    colour_ = chosen;
    ShowColour();
  });
  ShowColour();

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] {
    if (apply_) apply_(Choice());
  });

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(colourButton_);
  bottom->addStretch();
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fonts_);
  layout->addLayout(bottom);
}

void LabelFontDialog::ShowColour() {
  const int side = fontMetrics().height() - 4;
  QPixmap swatch(side, side);
  swatch.fill(colour_);
  colourButton_->setIcon(QIcon(swatch));
}

FontChoice LabelFontDialog::Choice() const {
  const QFont font = fonts_->currentFont();
  return FontChoice{font.family().toStdString(), font.pointSize(), font.bold(), font.italic(),
                    Rgb{colour_.red(), colour_.green(), colour_.blue()}};
}

}  // namespace habitopia::gui
