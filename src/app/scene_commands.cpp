// Scene commands: the compressed scene and the "Combined Objects Wizard".

#include <filesystem>

#include "app/main_form.h"
#include "app/shown_file.h"
#include "files/file_io.h"
#include "scene/scene_files.h"

namespace habitopia {

namespace fs = std::filesystem;

inline constexpr const char* kAlreadyCompressed = "The present model is already compressed";
inline constexpr const char* kWrzFilter = "VRML-2.0 data file (*.wrz)|*.wrz|All files|*.*";
inline constexpr const char* kInvalidFilename = "Invalid Filename";

void MainForm::wrltowrz1Click() {
  if (!state_.sceneOnly) {
    model_.calculateAfterStep = true;
    CAClick();
  }
  if (LowerExtension(model_.modelFileName) == ".wrz") {
    ports_.dialogs.Message(kAlreadyCompressed);
    return;
  }
  FileDialogRequest request{"Save", kWrzFilter, "wrz", "", ""};
  const auto target = ports_.dialogs.SaveFile(request);
  if (!target) return;
  const std::string scene = state_.sceneOnly
                                ? model_.modelFileName
                                : (fs::path(state_.workDirectory) / kSceneFileName).string();
  // The preview scene is compressed from a copy, so the viewer keeps its file.
  const std::string scratch = (fs::path(state_.workDirectory) / "compress.wrl").string();
  const auto text = ReadFileText(scene);
  FileResult saved{false, "compression failed"};
  if (text && WriteFileAtomic(scratch, *text)) saved = SaveCompressedScene(scratch, *target);
  std::error_code ignored;
  fs::remove(scratch, ignored);
  if (!saved) {
    ports_.dialogs.Message("compression failed");
    return;
  }
  ShowCaptionFor(*target);
  UpdateRecentFiles(*target);
}

void MainForm::CombinedObjectsWizard1Click() {
  state_.regions.toolBox = ToolBox::CombinedObjects;
  state_.tools.wizard.acceptStrip = false;
  MarkChanged(kRegionsPart | kToolsPart);
}

void MainForm::GroupDirectoryClick() {
  const std::string start = fs::path(model_.modelFileName).parent_path().string();
  const auto folder = ports_.dialogs.Folder(start);
  if (!folder) return;
  state_.tools.wizard.folder = *folder;
  state_.tools.wizard.label4 = "4) " + *folder;
  MarkChanged(kToolsPart);
}

void MainForm::GroupWizardTextChange(int edit, const std::string& text) {
  GroupWizardState& wizard = state_.tools.wizard;
  switch (edit) {
    case 10: wizard.edit10 = text; break;
    case 11: wizard.edit11 = text; break;
    case 12: wizard.edit12 = text; break;
    case 14: wizard.edit14 = text; break;
    default: return;
  }
  wizard.acceptStrip = true;
  MarkChanged(kToolsPart);
}

void MainForm::GroupAcceptClick() {
  GroupWizardState& wizard = state_.tools.wizard;
  const std::string name = fs::path(wizard.edit14).filename().string();
  if (wizard.folder.empty() || name.empty() || name != wizard.edit14) {
    ports_.dialogs.Message(kInvalidFilename);
    return;
  }
  const std::string path = (fs::path(wizard.folder) / name).string();
  std::error_code missing;
  if (fs::exists(path, missing) && ports_.dialogs.Ask("override " + name + "?", kWarningCaption,
                                                      QuestionButtons::YesNo) != Answer::Yes) {
    wizard.acceptStrip = true;
    MarkChanged(kToolsPart);
    return;
  }
  model_.modelFileName = state_.modelFileName = path;
  ShowCaptionFor(path);
  Group();
  if (state_.regions.toolBox == ToolBox::CombinedObjects) state_.regions.toolBox = ToolBox::None;
  wizard.acceptStrip = false;
  MarkChanged(kRegionsPart | kToolsPart);
}

void MainForm::Group() {
  const GroupWizardState& wizard = state_.tools.wizard;
  GroupScene group;
  group.background = model_.display.backgroundColour;
  group.morphology = wizard.edit10;
  group.tensor = wizard.edit11;
  group.structure = wizard.edit12;
  group.animation = state_.switches.display.animation;
  const FileResult written = WriteFileAtomic(model_.modelFileName, GroupSceneText(group));
  if (!written) {
    ports_.dialogs.Message(kInvalidFilename);
    return;
  }
  state_.regions.utilities = state_.regions.tables = false;
  state_.scenePath = model_.modelFileName;
  MarkChanged(kRegionsPart | kDocumentPart);
  ports_.viewer.LoadScene(model_.modelFileName);
}

}  // namespace habitopia
