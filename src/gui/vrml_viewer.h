#pragma once
// The 3D viewer widget: the X_ITE VRML browser in a Qt WebEngine view.
//
// Calls go to the page's glue with runJavaScript; results that come later (a
// finished load, a grabbed frame) come back over a QWebChannel. Camera reads and
// frame grabs wait for their answer in a local event loop, with a timeout.

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/viewer.h"

class QWebChannel;
class QWebEngineProfile;
class QWebEngineView;

namespace habitopia::gui {

class ViewerBridge;
class ViewerPage;
class ViewerSchemeHandler;

class VrmlViewer : public QWidget, public Viewer {
  Q_OBJECT

 public:
  // `pageDirectory` holds index.html, the glue and X_ITE; `workDirectory` is the
  // second folder scenes may read from (besides their own folder).
  VrmlViewer(const QString& pageDirectory, const QString& workDirectory, QWidget* parent = nullptr);
  ~VrmlViewer() override;

  // Viewer
  void SetLoadFinishedHandler(LoadFinished handler) override;
  void LoadScene(const std::string& path) override;
  std::optional<ViewerCamera> Camera() override;
  bool SetCamera(const ViewerCamera& camera) override;
  bool Command(ViewerCommand command) override;
  bool SetHeadlight(bool on) override;
  std::string RendererName() const override;
  std::optional<ViewerImage> GrabFrame(int timeoutMs) override;
  void SetAnimationFraction(double fraction) override;
  void ResumeAnimation() override;

  // The current frame as a picture; a null image when none came within the timeout.
  QImage GrabImage(int timeoutMs);
  // Whether the headlight of the shown scene is on.
  std::optional<bool> Headlight();
  // How many loads so far changed the shown world in place instead of replacing it.
  int InPlaceUpdates();

  // Waits (processing events) until the page is ready; false after the timeout.
  bool WaitUntilReady(int timeoutMs);
  bool IsReady() const { return ready_; }
  // What the page found: WebGL available, its renderer, the X_ITE version.
  bool HasWebGL() const { return webgl_; }
  QString WebGLRenderer() const { return webglRenderer_; }
  QString BrowserVersion() const { return browserVersion_; }

  QWebEngineView* View() const { return view_; }
  ViewerSchemeHandler* Scheme() const { return scheme_; }

 signals:
  void pageReady();
  void sceneLoaded(bool ok, const QString& error);

 private:
  friend class ViewerBridge;
  void OnPageReady(const QVariantMap& info);
  void OnLoadStarting(int id);
  void OnLoadFinished(int id, bool ok, const QString& error, const QStringList& messages);
  void OnFrameGrabbed(int id, const QString& dataUrl, const QString& error);
  void OnRequestRefused(const QString& path, const QString& reason);

  // Runs the script once the page is ready (queued until then).
  void Run(const QString& script);
  // Runs the script and waits for its value.
  std::optional<QVariant> RunAndWait(const QString& script, int timeoutMs);

  QString workDirectory_;
  QWebEngineProfile* profile_ = nullptr;
  ViewerSchemeHandler* scheme_ = nullptr;
  ViewerPage* page_ = nullptr;
  QWebEngineView* view_ = nullptr;
  QWebChannel* channel_ = nullptr;
  ViewerBridge* bridge_ = nullptr;

  bool ready_ = false;
  bool webgl_ = false;
  QString webglRenderer_;
  QString browserVersion_;
  QStringList pending_;  // scripts waiting for the page

  LoadFinished loadFinished_;
  int nextId_ = 1;
  QHash<int, QStringList> loadFolders_;  // per queued load: the folders it may read
  int loadsPending_ = 0;
  bool shownForLoads_ = false;  // the page was made visible while loads run
  QStringList refusals_;        // file requests refused during the current load

  int grabId_ = 0;
  bool grabDone_ = false;
  QString grabData_;
  QString grabError_;
};

}  // namespace habitopia::gui
