// Pictures of the viewer: clipboard, bitmap, metafile and the AVI movie.

#include <cmath>
#include <filesystem>

#include "app/main_form.h"
#include "app/movie_recorder.h"
#include "core/numbers.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

constexpr const char* kNoPicture = "The viewer gave no picture";

}  // namespace

std::optional<ViewerImage> MainForm::GrabViewer() {
  std::optional<ViewerImage> image = ports_.viewer.GrabFrame(5000);
  if (image && !image->Empty()) return image;
  state_.error = kNoPicture;
  state_.statusPanels[kMessagePanel].text = kNoPicture;
  MarkChanged(kStatusPart | kDocumentPart);
  return std::nullopt;
}

void MainForm::CopyToClipboard(bool tell) {
  const std::optional<ViewerImage> image = GrabViewer();
  if (!image || !ports_.clipboard.SetImage(*image)) {
    // Only the menu command speaks; it never claims a copy that did not happen.
    if (tell) ports_.dialogs.Message(std::string(kNoPicture) + ": nothing was copied.");
    return;
  }
  if (tell) ports_.dialogs.Message(kImageAddedToClipboard);
}

void MainForm::Enableclipboard() { ports_.timers.Start(TimerId::Timer11); }

void MainForm::Timer11Timer() { CopyToClipboard(true); }

void MainForm::CopyBitmaptoClipboard1Click() { CopyToClipboard(false); }

std::optional<std::string> MainForm::AskPicturePath(PictureFormat format) {
  const bool bitmap = format == PictureFormat::Bitmap;
  return AskExportPath(bitmap ? kBitmapFilter : kMetafileFilter, PictureDefaultExtension(format));
}

void MainForm::SaveBitmap1Click() {
  const std::optional<std::string> path = AskPicturePath(PictureFormat::Bitmap);
  if (!path) return;
  bitmapPath_ = *path;
  ports_.timers.Start(TimerId::Timer2);
}

void MainForm::Timer2Timer() { SavePicture(bitmapPath_, PictureFormat::Bitmap); }

void MainForm::WindowsMetafileWMF1Click() {
  const std::optional<std::string> path = AskPicturePath(PictureFormat::Metafile);
  if (!path) return;
  metafilePath_ = *path;
  ports_.timers.Start(TimerId::Timer7);
}

void MainForm::Timer7Timer() { SavePicture(metafilePath_, PictureFormat::Metafile); }

void MainForm::SavePicture(const std::string& path, PictureFormat format) {
  if (path.empty()) return;
  std::string error;
  if (!SaveViewerPicture(ports_.viewer, path, format, error)) ShowWriteFailure(path, error);
  ++state_.pictures.normalWindowRequests;
  MarkChanged(kRegionsPart);
}

void MainForm::RecordMovie1Click() {
  const std::optional<std::string> path = AskExportPath(kMovieFilter, "AVI");
  if (!path) return;
  // The scene's time sensor runs the cycle as the scene file writes it: whole seconds.
  const double cycleSeconds =
      static_cast<double>(RoundToInteger(std::fabs(model_.display.cycleInterval)));
  ViewerMovieFrames frames(ports_.viewer, cycleSeconds);
  en_dis_able(false);
  state_.progress = ProgressState{true, 0, kMovieFrames};
  Changed(kStatusPart);
  MovieRecorder recorder(frames, [this](int written, int total) {
    state_.progress.position = written;
    state_.progress.maximum = total;
    Changed(kStatusPart);
    ports_.timers.ProcessMessages();
  });
  const MovieOutcome outcome = recorder.Record(*path);
  state_.progress.visible = false;
  MarkChanged(kStatusPart);
  en_dis_able(true);
  if (outcome.message.empty()) return;
  state_.error = outcome.message + ": " + outcome.detail;
  state_.statusPanels[kMessagePanel].text = state_.error;
  MarkChanged(kStatusPart | kDocumentPart);
  ports_.dialogs.Message(outcome.message);
}

std::optional<std::string> MainForm::AskExportPath(const std::string& filter,
                                                   const std::string& extension) {
  // Beside the model under its name; a model without a file of its own proposes
  // "untitled" in the documents folder.
  fs::path proposal = model_.modelFileName;
  const bool ownFile = !proposal.empty() &&
                       proposal.parent_path() != fs::path(state_.workDirectory) &&
                       LowerExtension(proposal.string()) == ".mor";
  if (!ownFile) proposal = fs::path(programFiles_.documentsDirectory) / "untitled.mor";
  proposal.replace_extension("." + extension);
  return ports_.dialogs.SaveFile({"Save", filter, extension, "", proposal.string()});
}

}  // namespace habitopia
