#include "gui/splash_window.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/main_form.h"
#include "app/program_texts.h"

namespace habitopia::gui {

SplashWindow::SplashWindow(MainForm& form, QWidget* parent)
    : QLabel(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), form_(form) {
  setObjectName(QStringLiteral("Logo"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAccessibleName(tr("Habitopia logo"));
  setText(QString::fromStdString(LogoText()).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))
              .prepend(QStringLiteral("<div style='font-size:20pt; font-weight:bold'>"))
              .append(QStringLiteral("</div><p>click to close</p>")));
  setAlignment(Qt::AlignCenter);
  setMargin(24);
  setStyleSheet(QStringLiteral("background: #1c2b4a; color: white;"));
  closing_.setSingleShot(true);
  closing_.setInterval(4000);
  connect(&closing_, &QTimer::timeout, this, [this] { form_.SplashClosed(); });
}

void SplashWindow::Show(const FormState& state, const FormChanges& changes) {
  if (!changes.Has(kRegionsPart)) return;
  if (!state.splashShown) {
    closing_.stop();
    hide();
    return;
  }
  if (state.splashStays)
    closing_.stop();
  else if (!isVisible())
    closing_.start();
  if (isVisible()) return;
  adjustSize();
  if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
    move(owner->geometry().center() - rect().center());
  show();
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  form_.SplashClosed();
}

}  // namespace habitopia::gui
