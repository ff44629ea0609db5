// The window's picture, export, projection and help items: the menus carry
// them, the projection panel follows the calculations, and "Windows Bitmap
// (*.BMP)" writes the crystal as the viewer shows it.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <optional>

#include "gui/command_actions.h"
#include "gui/information_panels.h"
#include "gui/main_window.h"
#include "gui/page_location.h"
#include "gui/splash_window.h"
#include "gui/stereogram_panel.h"
#include "viewer_support.h"

namespace habitopia::gui::test {
namespace {

void Pause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool WaitForLoad(MainWindow& window, int timeoutMs = kLoadTimeoutMs) {
  QEventLoop loop;
  bool loaded = false;
  QObject::connect(&window.Viewer(), &VrmlViewer::sceneLoaded, &loop, [&] {
    loaded = true;
    loop.quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return loaded;
}

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text();
  return texts;
}

// Triggers the action and answers its save dialog with `path` as a person
// would: the full name typed into the name box, then Return. False when no
// dialog came (a dialog left open is cancelled after ten seconds).
bool TriggerAndSave(QAction* action, const QString& path) {
  bool answered = false;
  int ticks = 0;
  QTimer answer;
  answer.setInterval(50);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (answered || ++ticks > 200) {
      dialog->reject();
      return;
    }
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!name || !name->isVisible()) return;
    answered = true;
    name->setFocus();
    name->setText(path);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(name, &enter);
  });
  answer.start();
  action->trigger();
  return answered;
}

// Runs a program to its end; its standard output, or nothing when it failed.
std::optional<QByteArray> Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

class PicturesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(ViewerPageDirectory(), work_.path());
    window_->move(0, 0);
    window_->resize(900, 560);
    window_->show();
  }
  void TearDown() override { window_.reset(); }

  QTemporaryDir work_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(PicturesWindowTest, MenusCarryTheExportProjectionPictureAndHelpItems) {
  CommandActions& actions = window_->Actions();
  EXPECT_EQ(
      Texts(actions.MenuFor(Menu::FileExport)),
      (QStringList{"IUCr cif (*.CIF)", "Windows Bitmap (*.BMP)", "Windows Metafile (*WMF)",
                   "3-D-printer (*.STL)", "SVG drawing (*.SVG)", "glTF 2.0 (*.GLB)",
                   "Wavefront OBJ (*.OBJ)", "3-D-printer, 3MF (*.3MF)", "Web page (*.HTML)"}));
  EXPECT_TRUE(
      Texts(actions.MenuFor(Menu::Tools)).contains(QStringLiteral("Stereographic projection")));
  EXPECT_TRUE(actions.Action(CommandId::StereographicProjection)->isCheckable());
  for (CommandId id :
       {CommandId::ExportBmp, CommandId::ExportWmf, CommandId::ExportSvgDrawing,
        CommandId::ExportGltf, CommandId::ExportObj, CommandId::Export3mf, CommandId::ExportWebPage,
        CommandId::CopyBitmapToClipboard, CommandId::CopyToClipboardButton, CommandId::RecordMovie,
        CommandId::RegisterExtension, CommandId::CheckForUpdates, CommandId::HelpContents,
        CommandId::HelpButton, CommandId::HomePage, CommandId::StereographicProjection})
    EXPECT_TRUE(actions.Action(id)->isEnabled()) << CommandFor(id).name;

  // The home page and the history come up over the viewer.
  actions.Action(CommandId::HomePage)->trigger();
  EXPECT_TRUE(window_->Information().isVisible());
  actions.Action(CommandId::History)->trigger();
  EXPECT_TRUE(window_->Information().isVisible());
  actions.Action(CommandId::History)->trigger();
  EXPECT_FALSE(window_->Information().isVisible());

  // "Lo&go" stays until it is clicked.
  actions.Action(CommandId::Logo)->trigger();
  EXPECT_TRUE(window_->Splash().isVisible());
  EXPECT_FALSE(window_->Splash().ClosingTimerActive());
  window_->Form().SplashClosed();
  EXPECT_FALSE(window_->Splash().isVisible());
}

TEST_F(PicturesWindowTest, TheProjectionPanelShowsBesideTheViewerAndFollowsEachCalculation) {
  window_->Form().FormActivate({ExampleModelPath().toStdString()});
  ASSERT_TRUE(WaitForLoad(*window_));
  StereogramPanel& panel = window_->Stereogram();
  EXPECT_FALSE(panel.isVisible());
  window_->Actions().Action(CommandId::StereographicProjection)->trigger();
  EXPECT_TRUE(window_->Actions().Action(CommandId::StereographicProjection)->isChecked());
  ASSERT_TRUE(panel.isVisible());
  ASSERT_TRUE(panel.HasDrawing());
  Pause(300);
  // Beside the viewer: right of it, as tall.
  QWidget* viewerPanel = window_->findChild<QWidget*>(QStringLiteral("Panel1"));
  ASSERT_NE(viewerPanel, nullptr);
  EXPECT_GE(panel.mapTo(window_.get(), QPoint(0, 0)).x(),
            viewerPanel->mapTo(window_.get(), QPoint(viewerPanel->width(), 0)).x());
  const QImage before = panel.Drawing()->grab().toImage();
  EXPECT_GT(before.width(), 100);
  EXPECT_GT(CountPixelsWhere(before, [](QColor c) { return c.red() < 128 && c.green() < 128; }), 50)
      << "poles and circle drawn";
  if (QScreen* screen = QGuiApplication::primaryScreen())
    KeepPicture(screen->grabWindow(0).toImage(), QStringLiteral("window_stereogram"));

  // Half the faces pushed far away: fewer poles after the calculation.
  CrystalModel& model = window_->Form().EditableModel();
  for (int f = 0; f <= model.lastFace; f += 2) model.faces[f].distance *= 40;
  model.calculateAfterStep = model.geometryStale = true;
  window_->Form().ShowModelInTables();
  window_->Form().CAClick();
  Pause(200);
  EXPECT_TRUE(panel.HasDrawing());
  EXPECT_NE(panel.Drawing()->grab().toImage(), before);

  window_->Actions().Action(CommandId::StereographicProjection)->trigger();
  EXPECT_FALSE(panel.isVisible());
}

TEST_F(PicturesWindowTest, WindowsBitmapHoldsTheCrystalAsShown) {
  window_->Form().FormActivate({ExampleModelPath().toStdString()});
  ASSERT_TRUE(WaitForLoad(*window_));
  QTemporaryDir pictures;
  const QString path = pictures.path() + QStringLiteral("/quartz.bmp");
  ASSERT_TRUE(TriggerAndSave(window_->Actions().Action(CommandId::ExportBmp), path));
  EXPECT_FALSE(QFile::exists(path)) << "the picture waits for Timer2";
  for (int i = 0; i < 100 && !QFile::exists(path); ++i) Pause(100);
  ASSERT_TRUE(QFile::exists(path));

  const QImage written(path, "BMP");
  const QImage shown =
      window_->Viewer().GrabImage(kGrabTimeoutMs).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(written.isNull());
  EXPECT_EQ(written.size(), window_->Viewer().size() * window_->devicePixelRatio());
  EXPECT_EQ(written.size(), shown.size());
  const int pixels = written.width() * written.height();
  EXPECT_GT(pixels - CountPixels(written, QColor(255, 255, 255), 3), pixels / 20)
      << "the crystal is in it";
  // The same picture as the viewer's (the example does not turn).
  int differing = 0;
  for (int y = 0; y < written.height(); ++y)
    for (int x = 0; x < written.width(); ++x)
      if (written.pixelColor(x, y) != shown.pixelColor(x, y)) ++differing;
  EXPECT_LT(differing, pixels / 100);
  EXPECT_EQ(window_->Form().State().modelFileName, ExampleModelPath().toStdString());
  KeepPicture(written, QStringLiteral("exported_bitmap"));
}

TEST_F(PicturesWindowTest, RecordMovieWritesAHundredAndOneFramesOfTheTurningCrystal) {
  window_->Form().FormActivate({ExampleModelPath().toStdString()});
  ASSERT_TRUE(WaitForLoad(*window_));
  window_->Actions().Action(CommandId::Animation)->trigger();
  ASSERT_TRUE(window_->Form().State().switches.display.animation);
  ASSERT_TRUE(WaitForLoad(*window_));
  QTemporaryDir movies;
  const QString path = movies.path() + QStringLiteral("/quartz.avi");
  ASSERT_TRUE(TriggerAndSave(window_->Actions().Action(CommandId::RecordMovie), path));
  EXPECT_FALSE(window_->Progress()->isVisible());
  EXPECT_FALSE(window_->Form().State().regions.locked);
  ASSERT_TRUE(QFile::exists(path)) << window_->Form().State().error;

  const std::optional<QByteArray> probe =
      Output(QStringLiteral("ffprobe"),
             {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
              "stream=nb_read_frames,r_frame_rate,width,height", "-of",
              "default=noprint_wrappers=1", path});
  ASSERT_TRUE(probe);
  const QSize size = window_->Viewer().size() * window_->devicePixelRatio();
  EXPECT_TRUE(probe->contains("nb_read_frames=101")) << probe->toStdString();
  EXPECT_TRUE(probe->contains("r_frame_rate=30/1")) << probe->toStdString();
  EXPECT_TRUE(probe->contains("width=" + QByteArray::number(size.width()))) << probe->toStdString();
  EXPECT_TRUE(probe->contains("height=" + QByteArray::number(size.height())))
      << probe->toStdString();

  // The crystal turns: the first and the last frame differ.
  const std::optional<QByteArray> frames =
      Output(QStringLiteral("ffmpeg"),
             {"-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
  ASSERT_TRUE(frames);
  const qsizetype frameBytes = qsizetype(size.width()) * size.height() * 3;
  ASSERT_EQ(frames->size(), 101 * frameBytes);
  EXPECT_NE(frames->left(frameBytes), frames->right(frameBytes));
}

}  // namespace
}  // namespace habitopia::gui::test
