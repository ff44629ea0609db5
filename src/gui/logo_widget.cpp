#include "gui/logo_widget.h"

#include <QEvent>

#include "app/main_form.h"
#include "gui/command_icons.h"

namespace habitopia::gui {

LogoWidget::LogoWidget(MainForm& form, QWidget& window, QWidget& viewer, QWidget& statusBar,
                       QWidget& utilities)
    : QLabel(&window),
      form_(form),
      window_(window),
      viewer_(viewer),
      statusBar_(statusBar),
      utilities_(utilities) {
  setObjectName(QStringLiteral("Logo"));
  setAccessibleName(QStringLiteral("Habitopia"));
  setPixmap(NamedIcon(QStringLiteral("habitopia")).pixmap(40, 40));
  setContentsMargins(2, 2, 2, 2);
  setAutoFillBackground(true);
  // The viewer takes the mouse under the logo too.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  adjustSize();
  hide();
  for (QWidget* watched : {&window_, &viewer_, &statusBar_, &utilities_})
    watched->installEventFilter(this);
}

bool LogoWidget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange: Report(); break;
    default: break;
  }
  return QLabel::eventFilter(watched, event);
}

void LogoWidget::Report() {
  WindowGeometry geometry;
  geometry.left = window_.x();
  geometry.top = window_.y();
  geometry.height = window_.height();
  geometry.viewerRight = viewer_.mapTo(&window_, QPoint(viewer_.width(), 0)).x();
  geometry.viewerWidth = viewer_.width();
  geometry.viewerHeight = viewer_.height();
  geometry.statusBarHeight = statusBar_.height();
  geometry.utilityHeight = utilities_.height();
  geometry.logoWidth = width();
  geometry.logoHeight = height();
  geometry.visible = window_.isVisible() && !window_.isMinimized();
  form_.WindowGeometryChanged(geometry);
}

void LogoWidget::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kRegionsPart)) return;
  const LogoState& logo = state.logo;
  QPalette colours = palette();
  colours.setColor(QPalette::Window,
                   QColor(logo.background.red, logo.background.green, logo.background.blue));
  setPalette(colours);
  move(logo.left, logo.top);
  setVisible(logo.visible);
  if (logo.visible) raise();
}

}  // namespace habitopia::gui
