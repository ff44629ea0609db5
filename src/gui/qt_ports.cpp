#include "gui/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

#include "gui/file_filter.h"
#include "gui/label_font_dialog.h"

namespace habitopia::gui {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString StartPath(const FileDialogRequest& request) {
  if (request.fileName.empty()) return Text(request.initialDirectory);
  if (QFileInfo(Text(request.fileName)).isAbsolute() || request.initialDirectory.empty())
    return Text(request.fileName);
  return Text(request.initialDirectory) + QLatin1Char('/') + Text(request.fileName);
}

}  // namespace

void QtDialogs::Message(const std::string& text, const std::string& caption) {
  QMessageBox::information(
      parent_, caption.empty() ? QApplication::applicationName() : Text(caption), Text(text));
}

Answer QtDialogs::Ask(const std::string& text, const std::string& caption,
                      QuestionButtons buttons) {
  QMessageBox::StandardButtons offered = QMessageBox::Yes;
  if (buttons != QuestionButtons::YesCancel) offered |= QMessageBox::No;
  if (buttons != QuestionButtons::YesNo) offered |= QMessageBox::Cancel;
  const auto answer = QMessageBox::question(parent_, Text(caption), Text(text), offered);
  if (answer == QMessageBox::Yes) return Answer::Yes;
  if (answer == QMessageBox::No) return Answer::No;
  return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogRequest& request) {
  const QString path = QFileDialog::getOpenFileName(
      parent_, Text(request.title), StartPath(request), QtFileFilter(request.filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, Text(request.title), StartPath(request),
                     QtFileFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(Text(request.defaultExtension));
  // A name typed without extension takes the one of the file type chosen.
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString& filter) {
        const QString suffix = FilterSuffix(filter);
        dialog.setDefaultSuffix(suffix.isEmpty() ? Text(request.defaultExtension) : suffix);
      });
  if (!request.fileName.empty()) dialog.selectFile(StartPath(request));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<Rgb> QtDialogs::Colour(const Rgb& initial) {
  const QColor colour =
      QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), parent_);
  if (!colour.isValid()) return std::nullopt;
  return Rgb{colour.red(), colour.green(), colour.blue()};
}

std::optional<std::string> QtDialogs::Folder(const std::string& initial) {
  const QString folder = QFileDialog::getExistingDirectory(parent_, QString(), Text(initial));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::optional<FontChoice> QtDialogs::Font(const FontChoice& initial) {
  QFont start(Text(initial.family), initial.points);
  start.setBold(initial.bold);
  start.setItalic(initial.italic);
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, start, parent_);
  if (!ok) return std::nullopt;
  return FontChoice{font.family().toStdString(), font.pointSize(), font.bold(), font.italic()};
}

std::optional<FontChoice> QtDialogs::LabelFont(
    const FontChoice& initial, const std::function<void(const FontChoice&)>& apply) {
  LabelFontDialog dialog(initial, apply, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

QtTimers::QtTimers(std::function<void(TimerId)> fired, QObject* parent)
    : QObject(parent), fired_(std::move(fired)) {
  for (int i = 0; i < kTimerCount; ++i) {
    const auto id = static_cast<TimerId>(i + 1);
    QTimer& timer = timers_[static_cast<std::size_t>(i)];
    timer.setSingleShot(true);
    timer.setInterval(TimerInterval(id));
    connect(&timer, &QTimer::timeout, this, [this, id] {
      if (fired_) fired_(id);
    });
  }
}

void QtTimers::Start(TimerId id) { timers_[static_cast<std::size_t>(id) - 1].start(); }

void QtTimers::Stop(TimerId id) { timers_[static_cast<std::size_t>(id) - 1].stop(); }

bool QtTimers::Pending(TimerId id) const {
  return timers_[static_cast<std::size_t>(id) - 1].isActive();
}

void QtTimers::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); }

void QtClipboard::SetText(const std::string& text) {
  QApplication::clipboard()->setText(Text(text));
}

bool QtClipboard::SetImage(const ViewerImage& image) {
  if (image.Empty()) return false;
  const QImage picture(image.rgba.data(), image.width, image.height, image.width * 4,
                       QImage::Format_RGBA8888);
  QApplication::clipboard()->setImage(picture.copy());
  return true;
}

bool QtShell::Open(const std::string& documentOrUrl) {
  const QString target = Text(documentOrUrl);
  const QUrl url = QFileInfo(target).isAbsolute() ? QUrl::fromLocalFile(target) : QUrl(target);
  return QDesktopServices::openUrl(url);
}

}  // namespace habitopia::gui
