// The picture commands as the user meets them: clipboard copies, bitmap and
// metafile files taken once the dialog has gone, and the movie.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_form.h"
#include "app/movie_recorder.h"
#include "app_test_support.h"
#include "files/device_independent_bitmap.h"
#include "files/windows_metafile.h"
#include "scripted_ports.h"
#include "support/cli_runner.h"
#include "support/raster_samples.h"

namespace habitopia {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;
using test::ScriptedPorts;

ViewerImage ViewerPicture(const RasterImage& raster) {
  ViewerImage image;
  image.width = raster.width;
  image.height = raster.height;
  image.rgba = raster.rgba;
  return image;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class PictureCommandsTest : public ::testing::Test {
 protected:
  PictureCommandsTest() : work_((scratch_.Path() / "work").string()), form_(ports_.Ports(), work_) {
    ProgramFiles files;
    files.documentsDirectory = (scratch_.Path() / "Documents").string();
    form_.SetProgramFiles(files);
    model_ = test::WriteModel(scratch_.Path() / "cube.mor", test::CubeDocument());
    form_.FormActivate({model_});
    ports_.timers.pending.clear();
    ports_.dialogs.messages.clear();
    picture_ = test::PatternImage(40, 30, 1);
    ports_.viewer.frame = ViewerPicture(picture_);
  }

  std::string Picture(const std::string& name) const { return (scratch_.Path() / name).string(); }

  ScratchFolder scratch_;
  std::string work_;
  ScriptedPorts ports_;
  MainForm form_;
  std::string model_;
  RasterImage picture_;
};

TEST_F(PictureCommandsTest, ClipboardCopiesFromMenuRightClickAndToolbar) {
  // The Edit menu waits for Timer11, so that the menu has gone from the picture.
  form_.Run(CommandId::CopyBitmapToClipboard);
  EXPECT_FALSE(ports_.clipboard.image);
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer11));
  ASSERT_TRUE(ports_.clipboard.image);
  EXPECT_EQ(ports_.clipboard.image->rgba, picture_.rgba);
  EXPECT_EQ(ports_.clipboard.image->width, 40);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "Image added to Clipboard");

  // A right click on the viewer does the same.
  ports_.clipboard.image.reset();
  form_.Cortona1RightClick();
  EXPECT_TRUE(ports_.timers.Pending(TimerId::Timer11));
  ports_.timers.Fire(form_, TimerId::Timer11);
  EXPECT_TRUE(ports_.clipboard.image);
  EXPECT_EQ(ports_.dialogs.messages.size(), 2u);

  // The toolbar button copies at once and says nothing.
  ports_.clipboard.image.reset();
  form_.Run(CommandId::CopyToClipboardButton);
  EXPECT_TRUE(ports_.clipboard.image);
  EXPECT_FALSE(ports_.timers.Pending(TimerId::Timer11));
  EXPECT_EQ(ports_.dialogs.messages.size(), 2u);
}

TEST_F(PictureCommandsTest, ClipboardNeverClaimsACopyThatDidNotHappen) {
  ports_.viewer.frame.reset();
  form_.Run(CommandId::CopyBitmapToClipboard);
  ports_.timers.Fire(form_, TimerId::Timer11);
  EXPECT_FALSE(ports_.clipboard.image);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_NE(ports_.dialogs.messages[0].text, "Image added to Clipboard");
  EXPECT_NE(form_.State().statusPanels[kMessagePanel].text.find("no picture"), std::string::npos);
}

TEST_F(PictureCommandsTest, BitmapAndMetafileAreTakenByTheirTimersAndKeepTheModelsName) {
  const int normalRequests = form_.State().pictures.normalWindowRequests;
  ports_.dialogs.files.push_back(Picture("shot.bmp"));
  form_.Run(CommandId::ExportBmp);
  ASSERT_EQ(ports_.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(ports_.dialogs.fileRequests[0].defaultExtension, "bmp");
  EXPECT_EQ(ports_.dialogs.fileRequests[0].filter,
            "Windows Bitmap file (*.bmp)|*.bmp|All files|*.*");
  EXPECT_EQ(ports_.dialogs.fileRequests[0].fileName, (scratch_.Path() / "cube.bmp").string());
  EXPECT_FALSE(fs::exists(Picture("shot.bmp"))) << "the dialog is still on the screen";
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer2));
  EXPECT_EQ(FileBytes(Picture("shot.bmp")), WindowsBitmapBytes(picture_));

  ports_.dialogs.files.push_back(Picture("shot.wmf"));
  form_.Run(CommandId::ExportWmf);
  EXPECT_EQ(ports_.dialogs.fileRequests[1].defaultExtension, "wmf");
  EXPECT_EQ(ports_.dialogs.fileRequests[1].filter,
            "Windows Bitmap file (*.wmf)|*.wmf|All files|*.*");
  ASSERT_TRUE(ports_.timers.Fire(form_, TimerId::Timer7));
  EXPECT_EQ(FileBytes(Picture("shot.wmf")), PlaceableMetafileBytes(picture_));

  // The pictures' paths never become the model's: the next save proposes the model.
  EXPECT_EQ(form_.State().modelFileName, model_);
  EXPECT_EQ(form_.Model().modelFileName, model_);
  EXPECT_EQ(form_.State().caption, "Habitopia: cube.mor");
  EXPECT_EQ(form_.State().pictures.normalWindowRequests, normalRequests + 2);
  ports_.dialogs.files.push_back(std::nullopt);
  form_.Run(CommandId::SaveData);
  EXPECT_EQ(ports_.dialogs.fileRequests.back().fileName, model_);
}

TEST_F(PictureCommandsTest, ASecondSnapshotWhileTheTimerIsPendingGivesOneFile) {
  ports_.dialogs.files.push_back(Picture("first.bmp"));
  ports_.dialogs.files.push_back(Picture("second.bmp"));
  form_.Run(CommandId::ExportBmp);
  form_.Run(CommandId::ExportBmp);
  EXPECT_EQ(ports_.timers.FireAll(form_), 1);
  EXPECT_EQ(ports_.viewer.grabs, 1);
  EXPECT_FALSE(fs::exists(Picture("first.bmp")));
  EXPECT_TRUE(fs::exists(Picture("second.bmp")));
}

TEST_F(PictureCommandsTest, CancelledOrFailedPicturesWriteNothingAndSaySo) {
  ports_.dialogs.files.push_back(std::nullopt);
  form_.Run(CommandId::ExportWmf);
  EXPECT_FALSE(ports_.timers.Pending(TimerId::Timer7));

  const std::string blocked = (scratch_.Path() / "no folder" / "x.bmp").string();
  ports_.dialogs.files.push_back(blocked);
  form_.Run(CommandId::ExportBmp);
  ports_.timers.Fire(form_, TimerId::Timer2);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text.rfind("Could not write " + blocked, 0), 0u);

  ports_.viewer.frame.reset();
  ports_.dialogs.files.push_back(Picture("empty.bmp"));
  form_.Run(CommandId::ExportBmp);
  ports_.timers.Fire(form_, TimerId::Timer2);
  EXPECT_FALSE(fs::exists(Picture("empty.bmp")));
  EXPECT_EQ(ports_.dialogs.messages.size(), 2u);
}

// Frames decoded by ffmpeg: the movie's frame count as another program reads it.
int DecodedFrames(const std::string& movie, const fs::path& scratch, const RasterImage& frame) {
  const std::optional<std::string> rgb = test::DecodeToRgb(movie, scratch.string());
  if (!rgb) return -1;
  const std::size_t frameBytes = static_cast<std::size_t>(frame.width) * frame.height * 3;
  EXPECT_EQ(rgb->size() % frameBytes, 0u);
  if (rgb->size() >= frameBytes) {
    EXPECT_EQ(rgb->substr(0, frameBytes), test::RgbBytes(frame));
  }
  return static_cast<int>(rgb->size() / frameBytes);
}

TEST_F(PictureCommandsTest, MovieRecordsEveryFrameAtItsTimeWithProgressAndALockedWindow) {
  std::vector<ProgressState> progress;
  std::vector<bool> locked;
  form_.SetStateChanged([&](const FormChanges& changes) {
    if (!changes.Has(kStatusPart) || !form_.State().progress.visible) return;
    progress.push_back(form_.State().progress);
    locked.push_back(form_.State().regions.locked);
  });
  const std::string movie = Picture("turn.avi");
  ports_.dialogs.files.push_back(movie);
  form_.Run(CommandId::RecordMovie);

  const FileDialogRequest& request = ports_.dialogs.fileRequests.back();
  EXPECT_EQ(request.defaultExtension, "AVI");
  EXPECT_EQ(request.filter,
            "Audio Video Interleaved File|*.AVI|MPEG-4 Video, H.264|*.mp4|WebM Video, VP9|*.webm|"
            "All Files|*.*");
  EXPECT_EQ(DecodedFrames(movie, scratch_.Path(), picture_), 101);
  EXPECT_TRUE(ports_.dialogs.messages.empty());

  // Frame i shows the animation at i/30 s of the scene's cycle: 5 s at speed 60.
  ASSERT_EQ(form_.State().switches.speedPosition, 60);
  ASSERT_EQ(ports_.viewer.animationFractions.size(), 101u);
  EXPECT_DOUBLE_EQ(ports_.viewer.animationFractions[0], 0.0);
  EXPECT_DOUBLE_EQ(ports_.viewer.animationFractions[30], 0.2);
  EXPECT_NEAR(ports_.viewer.animationFractions[100], 100.0 / 150.0, 1e-12);
  EXPECT_EQ(ports_.viewer.resumes, 1);

  ASSERT_EQ(progress.size(), 102u);
  EXPECT_EQ(progress.front().position, 0);
  EXPECT_EQ(progress.back().position, 101);
  EXPECT_EQ(progress.back().maximum, 101);
  for (bool l : locked) EXPECT_TRUE(l);
  EXPECT_FALSE(form_.State().progress.visible);
  EXPECT_FALSE(form_.State().regions.locked);
  EXPECT_EQ(form_.State().modelFileName, model_);
}

TEST_F(PictureCommandsTest, AMovieNamedMp4OrWebmIsEncodedAsSuch) {
  for (const auto& [name, codec] : {std::pair{"turn.mp4", "h264"}, std::pair{"turn.webm", "vp9"}}) {
    const std::string movie = Picture(name);
    ports_.dialogs.files.push_back(movie);
    form_.Run(CommandId::RecordMovie);
    EXPECT_TRUE(ports_.dialogs.messages.empty()) << name;
    const test::CliRun run =
        test::RunProgram("ffprobe",
                         {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                          "stream=codec_name,nb_read_frames", "-of", "csv=p=0", movie},
                         scratch_.Path().string());
    EXPECT_EQ(run.out, std::string(codec) + ",101\n") << name << ": " << run.err;
  }
}

TEST_F(PictureCommandsTest, AFailedFrameEndsTheMovieKeepingTheFramesSoFar) {
  ports_.viewer.grabsBeforeFailure = 40;
  const std::string movie = Picture("short.avi");
  ports_.dialogs.files.push_back(movie);
  form_.Run(CommandId::RecordMovie);
  ASSERT_EQ(ports_.dialogs.messages.size(), 1u);
  EXPECT_EQ(ports_.dialogs.messages[0].text, "Could not add frame");
  EXPECT_EQ(DecodedFrames(movie, scratch_.Path(), picture_), 40);
  EXPECT_EQ(ports_.viewer.resumes, 1);
  EXPECT_FALSE(form_.State().progress.visible);
  EXPECT_FALSE(form_.State().regions.locked);

  // A cancelled dialog records nothing.
  ports_.dialogs.files.push_back(std::nullopt);
  const int grabs = ports_.viewer.grabs;
  form_.Run(CommandId::RecordMovie);
  EXPECT_EQ(ports_.viewer.grabs, grabs);
}

}  // namespace
}  // namespace habitopia
