#include "gui/vrml_viewer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdio>
#include <memory>

#include "gui/viewer_scheme.h"

namespace habitopia::gui {

// The object the page's glue reports to.
class ViewerBridge : public QObject {
  Q_OBJECT

 public:
  explicit ViewerBridge(VrmlViewer* viewer) : QObject(viewer), viewer_(viewer) {}

 public slots:
  void pageReady(const QVariantMap& info) { viewer_->OnPageReady(info); }
  // Answers (with no value) once the folders of load `id` are open.
  bool loadStarting(int id) {
    viewer_->OnLoadStarting(id);
    return true;
  }
  void loadFinished(int id, bool ok, const QString& error, const QVariantList& messages) {
    QStringList texts;
    for (const QVariant& message : messages) texts.append(message.toString());
    viewer_->OnLoadFinished(id, ok, error, texts);
  }
  void frameGrabbed(int id, const QString& dataUrl, const QString& error) {
    viewer_->OnFrameGrabbed(id, dataUrl, error);
  }

 signals:
  // Something the viewer may be waiting for has arrived.
  void answered();

 private:
  VrmlViewer* viewer_;
};

// The page: stays on the viewer page (a scene's links and anchors never navigate
// it away) and shows the console when HABITOPIA_VIEWER_DEBUG is set.
class ViewerPage : public QWebEnginePage {
 public:
  ViewerPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    return isMainFrame && url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment) == ViewerPageUrl();
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                const QString& source) override {
    static const bool debug = !qEnvironmentVariableIsEmpty("HABITOPIA_VIEWER_DEBUG");
    if (debug)
      std::fprintf(stderr, "viewer: %s (%s:%d)\n", qPrintable(message), qPrintable(source), line);
  }
};

namespace {

constexpr int kAnswerTimeoutMs = 5000;

QString JsString(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  quoted.replace(QLatin1Char('\''), QLatin1String("\\'"));
  quoted.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  quoted.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  quoted.replace(QChar(0x2028), QLatin1String("\\u2028"));
  quoted.replace(QChar(0x2029), QLatin1String("\\u2029"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The scene's text as a script literal, so that the page can compare it with the
// shown world without reading the file; "null" for a compressed, large or
// unreadable file, which the page reads itself.
QString SceneTextForPage(const QString& path) {
  constexpr qint64 kLargestText = 4 << 20;
  QFile file(path);
  if (file.size() > kLargestText || !file.open(QIODevice::ReadOnly)) return QStringLiteral("null");
  const QByteArray bytes = file.readAll();
  if (bytes.startsWith("\x1f\x8b")) return QStringLiteral("null");
  return JsString(QString::fromUtf8(bytes));
}

QString JsNumber(double value) { return QString::number(value, 'g', 17); }

// Processes events until `done` holds or the time is up; wakes on every answer.
bool WaitUntil(QObject* answers, const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    const qint64 left = timeoutMs - clock.elapsed();
    if (left <= 0) return false;
    QEventLoop loop;
    QObject::connect(answers, SIGNAL(answered()), &loop, SLOT(quit()));
    QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

std::array<double, 3> Triple(const QVariant& value) {
  const QVariantList list = value.toList();
  std::array<double, 3> out{};
  for (int i = 0; i < 3 && i < list.size(); ++i) out[i] = list[i].toDouble();
  return out;
}

std::array<double, 4> Quadruple(const QVariant& value) {
  const QVariantList list = value.toList();
  std::array<double, 4> out{};
  for (int i = 0; i < 4 && i < list.size(); ++i) out[i] = list[i].toDouble();
  return out;
}

}  // namespace

VrmlViewer::VrmlViewer(const QString& pageDirectory, const QString& workDirectory, QWidget* parent)
    : QWidget(parent), workDirectory_(workDirectory) {
  // An off-the-record profile of our own: nothing is cached or stored on disk, and
  // the URL scheme handler serves only this viewer.
  profile_ = new QWebEngineProfile(this);
  profile_->setHttpCacheType(QWebEngineProfile::NoCache);
  profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
  scheme_ = new ViewerSchemeHandler(pageDirectory, this);
  profile_->installUrlSchemeHandler(kViewerScheme, scheme_);
  connect(scheme_, &ViewerSchemeHandler::requestRefused, this, &VrmlViewer::OnRequestRefused);

  QWebEngineSettings* settings = profile_->settings();
  settings->setAttribute(QWebEngineSettings::WebGLEnabled, true);
  settings->setAttribute(QWebEngineSettings::Accelerated2dCanvasEnabled, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
  settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

  bridge_ = new ViewerBridge(this);
  channel_ = new QWebChannel(this);
  channel_->registerObject(QStringLiteral("bridge"), bridge_);

  page_ = new ViewerPage(profile_, this);
  page_->setWebChannel(channel_);
  page_->setBackgroundColor(Qt::white);

  view_ = new QWebEngineView(this);
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);

  if (!qEnvironmentVariableIsEmpty("HABITOPIA_VIEWER_DEBUG"))
    connect(page_, &QWebEnginePage::loadFinished, this, [](bool ok) {
      std::fprintf(stderr, "viewer: page %s\n", ok ? "loaded" : "failed to load");
    });
  page_->load(ViewerPageUrl());
}

VrmlViewer::~VrmlViewer() {
  // The page must go before its profile.
  delete view_;
  view_ = nullptr;
  delete page_;
  page_ = nullptr;
}

void VrmlViewer::OnPageReady(const QVariantMap& info) {
  ready_ = true;
  webgl_ = info.value(QStringLiteral("webgl")).toBool();
  webglRenderer_ = info.value(QStringLiteral("renderer")).toString();
  browserVersion_ = info.value(QStringLiteral("version")).toString();
  if (!webgl_)
    std::fprintf(stderr, "habitopia: the viewer has no WebGL: %s\n", qPrintable(webglRenderer_));
  const QStringList waiting = pending_;
  pending_.clear();
  for (const QString& script : waiting) page_->runJavaScript(script);
  emit bridge_->answered();
  emit pageReady();
}

bool VrmlViewer::WaitUntilReady(int timeoutMs) {
  return WaitUntil(
      bridge_, [this] { return ready_; }, timeoutMs);
}

void VrmlViewer::Run(const QString& script) {
  if (ready_)
    page_->runJavaScript(script);
  else
    pending_.append(script);
}

std::optional<QVariant> VrmlViewer::RunAndWait(const QString& script, int timeoutMs) {
  if (!ready_ && !WaitUntilReady(timeoutMs)) return std::nullopt;
  struct Answer {
    bool done = false;
    QVariant value;
  };
  auto answer = std::make_shared<Answer>();
  QPointer<ViewerBridge> bridge = bridge_;
  page_->runJavaScript(script, [answer, bridge](const QVariant& value) {
    answer->value = value;
    answer->done = true;
    if (bridge) emit bridge->answered();
  });
  if (!WaitUntil(
          bridge_, [answer] { return answer->done; }, timeoutMs))
    return std::nullopt;
  return answer->value;
}

void VrmlViewer::SetLoadFinishedHandler(LoadFinished handler) {
  loadFinished_ = std::move(handler);
}

void VrmlViewer::LoadScene(const std::string& path) {
  const QFileInfo scene(QString::fromStdString(path));
  const QString absolute = QDir::cleanPath(scene.absoluteFilePath());
  // The scene's folder as named and as resolved, and the working directory.
  QStringList folders{scene.absolutePath(), workDirectory_};
  const QString resolved = scene.canonicalFilePath();
  if (!resolved.isEmpty()) folders.append(QFileInfo(resolved).absolutePath());
  const int id = nextId_++;
  loadFolders_.insert(id, folders);

  // A page out of sight draws no frames, and a load ends with one.
  ++loadsPending_;
  if (!page_->isVisible()) {
    page_->setVisible(true);
    shownForLoads_ = true;
  }

  QUrl url = ViewerFileUrl(absolute);
  // A new query each time: the same scene path is rewritten by every calculation.
  url.setQuery(QStringLiteral("load=%1").arg(id));
  Run(QStringLiteral("habitopia.load(%1, %2, %3);")
          .arg(id)
          .arg(JsString(url.toString(QUrl::FullyEncoded)), SceneTextForPage(absolute)));
}

void VrmlViewer::OnLoadStarting(int id) {
  scheme_->SetAllowedFolders(loadFolders_.take(id));
  refusals_.clear();
}

void VrmlViewer::OnRequestRefused(const QString& path, const QString& reason) {
  refusals_.append(path + QStringLiteral(": ") + reason);
}

void VrmlViewer::OnLoadFinished(int id, bool ok, const QString& error,
                                const QStringList& messages) {
  loadFolders_.remove(id);
  if (loadsPending_ > 0 && --loadsPending_ == 0 && shownForLoads_) {
    shownForLoads_ = false;
    if (view_ && !view_->isVisible()) page_->setVisible(false);
  }
  SceneLoadResult result;
  result.ok = ok;
  for (const QString& refusal : refusals_) result.messages.push_back(refusal.toStdString());
  for (const QString& message : messages) result.messages.push_back(message.toStdString());

  QString outside;
  for (const QString& refusal : refusals_)
    if (refusal.endsWith(QLatin1String("outside the folders the viewer may read"))) {
      outside = refusal;
      break;
    }
  if (ok && !outside.isEmpty()) {
    // A scene that reaches for files outside its folders is not shown at all.
    result.ok = false;
    Run(QStringLiteral("habitopia.clear();"));
  }
  if (!result.ok) {
    if (!outside.isEmpty())
      result.error = outside.toStdString();
    else if (!refusals_.isEmpty())
      result.error = refusals_.front().toStdString();
    else
      result.error =
          error.isEmpty() ? std::string("the scene could not be loaded") : error.toStdString();
  }
  refusals_.clear();
  emit bridge_->answered();
  emit sceneLoaded(result.ok, QString::fromStdString(result.error));
  if (loadFinished_) loadFinished_(result);
}

std::optional<ViewerCamera> VrmlViewer::Camera() {
  const auto value = RunAndWait(QStringLiteral("habitopia.camera()"), kAnswerTimeoutMs);
  if (!value || !value->isValid() || value->isNull()) return std::nullopt;
  const QVariantMap map = value->toMap();
  if (map.isEmpty()) return std::nullopt;
  ViewerCamera camera;
  camera.position = Triple(map.value(QStringLiteral("position")));
  camera.orientation = Quadruple(map.value(QStringLiteral("orientation")));
  camera.fieldOfView = map.value(QStringLiteral("fieldOfView")).toDouble();
  return camera;
}

bool VrmlViewer::SetCamera(const ViewerCamera& camera) {
  const auto& p = camera.position;
  const auto& r = camera.orientation;
  const QString script =
      QStringLiteral("habitopia.setCamera([%1, %2, %3], [%4, %5, %6, %7], %8)")
          .arg(JsNumber(p[0]), JsNumber(p[1]), JsNumber(p[2]), JsNumber(r[0]), JsNumber(r[1]),
               JsNumber(r[2]), JsNumber(r[3]), JsNumber(camera.fieldOfView));
  const auto value = RunAndWait(script, kAnswerTimeoutMs);
  return value && value->toBool();
}

bool VrmlViewer::Command(ViewerCommand command) {
  const QString name = QString::fromUtf8(ViewerCommandName(command).data(),
                                         static_cast<int>(ViewerCommandName(command).size()));
  const auto value =
      RunAndWait(QStringLiteral("habitopia.command(%1)").arg(JsString(name)), kAnswerTimeoutMs);
  return value && value->toBool();
}

bool VrmlViewer::SetHeadlight(bool on) {
  const auto value = RunAndWait(QStringLiteral("habitopia.setHeadlight(%1)")
                                    .arg(on ? QStringLiteral("true") : QStringLiteral("false")),
                                kAnswerTimeoutMs);
  return value && value->toBool();
}

std::optional<bool> VrmlViewer::Headlight() {
  const auto value = RunAndWait(QStringLiteral("habitopia.headlight()"), kAnswerTimeoutMs);
  if (!value) return std::nullopt;
  return value->toBool();
}

int VrmlViewer::InPlaceUpdates() {
  const auto value = RunAndWait(QStringLiteral("habitopia.inPlaceUpdates()"), kAnswerTimeoutMs);
  return value ? value->toInt() : 0;
}

std::string VrmlViewer::RendererName() const { return std::string(kOpenGLRendererName); }

void VrmlViewer::SetAnimationFraction(double fraction) {
  Run(QStringLiteral("habitopia.setAnimationFraction(%1);").arg(JsNumber(fraction)));
}

void VrmlViewer::ResumeAnimation() { Run(QStringLiteral("habitopia.resumeAnimation();")); }

void VrmlViewer::OnFrameGrabbed(int id, const QString& dataUrl, const QString& error) {
  if (id == grabId_) {
    grabDone_ = true;
    grabData_ = dataUrl;
    grabError_ = error;
  }
  emit bridge_->answered();
}

QImage VrmlViewer::GrabImage(int timeoutMs) {
  if (!ready_ && !WaitUntilReady(timeoutMs)) return {};
  const int id = ++grabId_;
  grabDone_ = false;
  grabData_.clear();
  grabError_.clear();
  // A page out of sight draws no frames; it is made visible for the grab.
  const bool hidden = !page_->isVisible();
  if (hidden) page_->setVisible(true);
  page_->runJavaScript(QStringLiteral("habitopia.grab(%1);").arg(id));
  const bool answered = WaitUntil(
      bridge_, [this, id] { return grabDone_ && grabId_ == id; }, timeoutMs);
  if (hidden && !shownForLoads_ && !view_->isVisible()) page_->setVisible(false);
  if (!answered) return {};
  const int comma = grabData_.indexOf(QLatin1Char(','));
  if (comma < 0) return {};
  const QByteArray png = QByteArray::fromBase64(grabData_.mid(comma + 1).toLatin1());
  grabData_.clear();
  return QImage::fromData(png, "PNG");
}

std::optional<ViewerImage> VrmlViewer::GrabFrame(int timeoutMs) {
  const QImage picture = GrabImage(timeoutMs);
  if (picture.isNull()) return std::nullopt;
  const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
  ViewerImage image;
  image.width = rgba.width();
  image.height = rgba.height();
  image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(rgba.constScanLine(y), image.width * 4,
                image.rgba.data() + static_cast<std::size_t>(y) * image.width * 4);
  return image;
}

}  // namespace habitopia::gui

#include "vrml_viewer.moc"
