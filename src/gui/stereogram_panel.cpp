#include "gui/stereogram_panel.h"

#include <QLabel>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace habitopia::gui {

StereogramPanel::StereogramPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("StereogramPanel"));
  setAccessibleName(tr("Stereographic projection"));
  setFrameShape(QFrame::StyledPanel);
  setFixedWidth(240);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  svg_ = new QSvgWidget(this);
  svg_->setObjectName(QStringLiteral("Stereogram"));
  svg_->setAccessibleName(tr("Stereographic projection of the faces' poles"));
  svg_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  empty_ = new QLabel(tr("no crystal to project"), this);
  empty_->setAlignment(Qt::AlignCenter);
  layout->addWidget(svg_, 1);
  layout->addWidget(empty_, 1);
  hide();
}

bool StereogramPanel::HasDrawing() const { return !shown_.empty() && svg_->renderer()->isValid(); }

void StereogramPanel::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kRegionsPart) && !changes.Has(kToolsPart)) return;
  const PictureState& pictures = state.pictures;
  if (pictures.stereogramShown && pictures.stereogramSvg != shown_) {
    shown_ = pictures.stereogramSvg;
    svg_->load(QByteArray::fromStdString(shown_));
    svg_->renderer()->setAspectRatioMode(Qt::KeepAspectRatio);
  }
  svg_->setVisible(!shown_.empty());
  empty_->setVisible(shown_.empty());
  setVisible(pictures.stereogramShown);
}

}  // namespace habitopia::gui
