#include "gui/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "app/program_texts.h"
#include "gui/command_icons.h"

namespace habitopia::gui {

SplashWindow::SplashWindow(MainForm& form, QWidget* parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      form_(form) {
  setObjectName(QStringLiteral("SplashWindow"));
  setAccessibleName(QStringLiteral("Habitopia"));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  colours.setColor(QPalette::WindowText, QColor(0, 0, 128));
  setPalette(colours);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 24, 32, 24);
  auto* picture = new QLabel(this);
  picture->setPixmap(NamedIcon(QStringLiteral("habitopia")).pixmap(128, 128));
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture);
  auto* text = new QLabel(QString::fromStdString(LogoText()), this);
  text->setObjectName(QStringLiteral("SplashText"));
  text->setAlignment(Qt::AlignCenter);
  QFont font = text->font();
  font.setPointSize(font.pointSize() + 4);
  font.setBold(true);
  text->setFont(font);
  layout->addWidget(text);

  closing_.setSingleShot(true);
  closing_.setInterval(kClosingMilliseconds);
  connect(&closing_, &QTimer::timeout, this, &SplashWindow::Close);
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
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  raise();
}

void SplashWindow::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  Close();
}

void SplashWindow::Close() {
  closing_.stop();
  hide();
  form_.SplashClosed();
  emit closed();
}

}  // namespace habitopia::gui
