#include "gui/tool_box_host.h"

#include <QGroupBox>
#include <QScrollArea>
#include <QStackedLayout>
#include <QStyle>
#include <QVBoxLayout>

namespace habitopia::gui {

QString ToolBoxCaption(ToolBox box) {
  switch (box) {
    case ToolBox::None: return {};
    case ToolBox::PointGroups: return QStringLiteral("Point Groups");
    case ToolBox::CleavageFace: return QStringLiteral("Indicate cleavage face");
    case ToolBox::SpecialFaceFeatures: return QStringLiteral("Special Face Features");
    case ToolBox::ShapePrediction: return QStringLiteral("Shape Prediction");
    case ToolBox::Twintool: return QStringLiteral("Twintool");
    case ToolBox::CombinedObjects: return QStringLiteral("Combined Objects Wizard");
    case ToolBox::Calculations: return QStringLiteral("Calculations");
  }
  return {};
}

ToolBoxHost::ToolBoxHost(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ToolBoxHost"));
  // The boxes scroll where the tables region is smaller than the box shown, so
  // that no box sets the window's size.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = scroll_ = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("ToolBoxScroll"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  outer->addWidget(scroll);
  pages_ = new QWidget(scroll);
  auto* layout = new QStackedLayout(pages_);
  layout->setContentsMargins(0, 0, 0, 0);
  // "Point Groups" and "Special Face Features" live in the tables panel, beside
  // the face lists and the accept strip they work with.
  const struct {
    ToolBox box;
    const char* name;
  } tools[] = {
      {ToolBox::CleavageFace, "GroupBox4"}, {ToolBox::ShapePrediction, "GroupBox10"},
      {ToolBox::Twintool, "Twintool"},      {ToolBox::CombinedObjects, "CombinedObjects"},
      {ToolBox::Calculations, "GroupBox6"},
  };
  for (const auto& tool : tools) {
    auto* group = new QGroupBox(ToolBoxCaption(tool.box), pages_);
    group->setObjectName(QString::fromLatin1(tool.name));
    group->setAccessibleName(ToolBoxCaption(tool.box));
    group->setAutoFillBackground(true);
    layout->addWidget(group);
    boxes_[tool.box] = group;
  }
  scroll->setWidget(pages_);
  hide();
}

QGroupBox* ToolBoxHost::Box(ToolBox box) const {
  const auto found = boxes_.find(box);
  return found == boxes_.end() ? nullptr : found->second;
}

int ToolBoxHost::WidthWanted() const {
  if (isHidden()) return 0;
  const auto* layout = static_cast<QStackedLayout*>(pages_->layout());
  const QWidget* shown = layout->currentWidget();
  if (!shown) return 0;
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return shown->sizeHint().width() + scrollBar + 2 * scroll_->frameWidth();
}

void ToolBoxHost::Show(const FormState& state, const FormChanges& changes) {
  if (changes.Has(kToolsPart) || changes.Has(kRegionsPart)) {
    // An imported CIF names its space group in the caption.
    const QString title = QString::fromStdString(state.tools.prediction.caption);
    QGroupBox* prediction = Box(ToolBox::ShapePrediction);
    if (prediction && !title.isEmpty() && prediction->title() != title) {
      prediction->setTitle(title);
      prediction->setAccessibleName(title);
    }
  }
  if (!changes.Has(kRegionsPart)) return;
  QGroupBox* shown = Box(state.regions.toolBox);
  if (shown) static_cast<QStackedLayout*>(pages_->layout())->setCurrentWidget(shown);
  setVisible(shown != nullptr);
  if (shown) raise();
}

}  // namespace habitopia::gui
