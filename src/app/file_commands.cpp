// The File menu's opening and saving: models, scenes and CIF files, the save
// question and the recent files.

#include <filesystem>
#include <utility>

#include "app/form_document.h"
#include "app/main_form.h"
#include "app/scoped_flag.h"
#include "app/settings_file.h"
#include "app/shown_file.h"
#include "files/cif.h"
#include "files/file_io.h"
#include "files/model_reader.h"
#include "files/model_writer.h"
#include "scene/document_switches.h"
#include "scene/embedded_model.h"
#include "scene/scene_files.h"
#include "symmetry/expansion.h"
#include "symmetry/point_groups.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

// Commands that need a model: disabled while a scene is shown alone.
constexpr CommandId kModelCommands[] = {
    CommandId::Indices,
    CommandId::Hkil,
    CommandId::Grid,
    CommandId::Fill,
    CommandId::Axes,
    CommandId::Animation,
    CommandId::Headlight,
    CommandId::Spotlights,
    CommandId::Solid,
    CommandId::StyleStandard,
    CommandId::StyleSparklingBlack,
    CommandId::StyleSparklingBlue,
    CommandId::StyleCrystal,
    CommandId::StyleBrillant,
    CommandId::StyleBrilliantWhite,
    CommandId::CadStyleViewer,
    CommandId::Calculations,
    CommandId::MorphologyPrediction,
    CommandId::Randomize10,
    CommandId::Randomize25,
    CommandId::Randomize50,
    CommandId::AutomaticCleanup,
    CommandId::SaveData,
    CommandId::SelectPointGroup,
    CommandId::EditMetric,
    CommandId::EditUniqueFaces,
    CommandId::EditFace,
    CommandId::SingleFaceProperties,
    CommandId::IndicateCleavageFace,
    CommandId::RedrawModel,
    CommandId::ExportCif,
    CommandId::ExportStl,
};

constexpr CommandId kRecentItems[] = {CommandId::Recent1, CommandId::Recent2, CommandId::Recent3,
                                      CommandId::Recent4, CommandId::Recent5};

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

void MainForm::ShowCaptionFor(const std::string& path) {
  state_.caption = "Habitopia: " + FileName(path);
  MarkChanged(kCaptionPart);
}

void MainForm::ShowWriteFailure(const std::string& path, const std::string& reason) {
  const std::string text = "Could not write " + path + ": " + reason;
  state_.error = text;
  state_.statusPanels[kMessagePanel].text = text;
  MarkChanged(kStatusPart | kDocumentPart);
  ports_.dialogs.Message(text);
}

void MainForm::RunPanelCommand(PanelCommand command) {
  CommandId id;
  switch (command) {
    case PanelCommand::EditFace: id = CommandId::EditFace; break;
    case PanelCommand::EditUniqueFaces: id = CommandId::EditUniqueFaces; break;
    case PanelCommand::SelectPointGroup: id = CommandId::SelectPointGroup; break;
    case PanelCommand::EditMetric: id = CommandId::EditMetric; break;
    case PanelCommand::SingleFaceProperties: id = CommandId::SingleFaceProperties; break;
    default: return;
  }
  if (const CommandHandler handler = CommandFor(id).handler) (this->*handler)();
}

void MainForm::EndFaceEdit() {
  edit_.removedFace = {};
  edit_.preview = {};
  if (edit_.addingFace) CANCELEDITClick();
  EndAdding();
  edit_.savedGrid = edit_.savedRow = 0;
  state_.tables.acceptStrip = false;
  MarkChanged(kTablesPart);
}

void MainForm::prepareloading() {
  EndFaceEdit();
  if (state_.regions.toolBox == ToolBox::CleavageFace ||
      state_.regions.toolBox == ToolBox::SpecialFaceFeatures)
    state_.regions.toolBox = ToolBox::None;
  for (FaceRecord& face : model_.faces) {
    face.growthSector = face.labelSelected = false;
    face.colourShown = 0;
    face.textureFile.clear();
  }
  model_.cleavageFace = -1;
  model_.indexLabelAnswer = 0;
  DisplaySwitches& display = state_.switches.display;
  display.selectedFaceLabels = display.indexLabels = false;
  display.showFaceColour = display.showIndices = display.drawGrowthSector = false;
  display.solid = true;
  display.brilliant = false;
  state_.tables.stringGrid2.rows.resize(2);
  state_.sceneOnly = false;
  state_.regions.tables = state_.regions.toolbar = state_.regions.statusBar = true;
  for (CommandId id : kModelCommands)
    state_.Command(id).enabled = CommandFor(id).handler != nullptr;
  for (CommandId id :
       {CommandId::ViewUtilities, CommandId::ViewTables, CommandId::ViewSpeedbuttons})
    state_.Command(id).enabled = CommandFor(id).handler != nullptr;
  ports_.timers.Start(TimerId::Timer13);
  MarkChanged(kRegionsPart | kCommandsPart | kTablesPart | kGrid2ShapePart | kDisplayPart |
              kToolsPart);
}

void MainForm::ShowReadModel(const ModelDocument& document) {
  model_.calculateAfterStep = false;
  ApplyDocument(document, model_, state_.display.zoomModel);
  if (model_.pointGroup >= 1 && model_.pointGroup <= kPointGroupCount)
    model_.operationCount = GetPointGroup(model_.pointGroup).order;
  model_.twin = TwinSettingsFromDocument(document, model_.matrices);
  ShowDocumentSwitches(document, state_);
  KeepSwitchRules(state_.switches.display, state_.display);
  model_.display.headlight = state_.switches.display.headlight;
  ShowDisplayCommands();
  ShowModelInTables();
  state_.tables.applySymmetry = false;
  if (model_.cleavageFace >= 0) model_.modelRestoring = true;
  {
    ScopedFlag reading(modelReading_);
    RunPanelCommand(PanelCodeCommand(document.switches[kSwitchPanel]));
  }
  model_.modelRestoring = false;
  model_.calculateAfterStep = true;
  model_.geometryStale = true;
  CAClick();
}

bool MainForm::LoadModelFile(const std::string& path,
                             const std::optional<std::string>& snapshotOf) {
  ModelReadOptions options;
  if (snapshotOf) options.previousModelFile = *snapshotOf;
  const ModelReadResult read = ReadModelFile(path, options);
  if (!read.ok) {
    const std::string text = kNotAModelFile + path + "\n" + read.error;
    state_.error = text;
    ports_.dialogs.Message(text);
    MarkChanged(kDocumentPart);
    return false;
  }
  prepareloading();
  model_.modelFileName = snapshotOf ? *snapshotOf : path;
  ShowReadModel(read.document);
  if (snapshotOf) model_.modelFileName = *snapshotOf;
  state_.modelFileName = model_.modelFileName;
  return true;
}

bool MainForm::TryMor(const std::string& scenePath) {
  const ModelReadResult read = ReadEmbeddedModel(scenePath, state_.workDirectory);
  if (!read.ok) return false;
  model_.modelRestoring = true;
  model_.historyRestoring = true;
  ShowCaptionFor(scenePath);
  prepareloading();
  // Texture names without a folder are looked up beside the scene.
  model_.modelFileName = scenePath;
  state_.modelFileName = scenePath;
  ShowReadModel(read.document);
  history_.SetPosition(history_.Top());
  model_.historyRestoring = model_.sliderMoving = model_.modelRestoring = false;
  backup();
  return true;
}

void MainForm::Loadwrlfile1Click(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension != ".wrl" && extension != ".wrz") {
    ports_.dialogs.Message("this is not a valid VRML - File (.wrl or .wrz): " +
                           fs::path(path).extension().string());
    return;
  }
  const std::string copy = (fs::path(state_.workDirectory) / kSceneFileName).string();
  const auto text = ReadFileText(path);
  std::string error;
  if (!text || !WriteFileAtomically(copy, *text, error)) {
    ports_.dialogs.Message("saving somehow failed, probably disk full or broken");
    return;
  }
  state_.regions.utilities = state_.regions.tables = state_.regions.toolbar = false;
  for (CommandId id :
       {CommandId::ViewUtilities, CommandId::ViewTables, CommandId::ViewSpeedbuttons})
    state_.Command(id).enabled = false;
  if (state_.regions.toolBox == ToolBox::CombinedObjects ||
      state_.regions.toolBox == ToolBox::Calculations)
    state_.regions.toolBox = ToolBox::None;
  state_.sceneOnly = true;
  resetViewpoint_ = true;
  state_.regions.statusBar = false;
  for (CommandId id : kModelCommands) state_.Command(id).enabled = false;
  model_.modelFileName = state_.modelFileName = path;
  ShowCaptionFor(path);
  state_.scenePath = path;
  state_.viewerDescription = SceneOnlyDescription(path);
  MarkChanged(kRegionsPart | kCommandsPart | kDocumentPart);
  ports_.viewer.LoadScene(path);
}

bool MainForm::ImportCifFile(const std::string& path) {
  const CifReadResult read = ReadCifFile(path, state_.decimalComma);
  if (!read.ok) {
    ports_.dialogs.Message(read.error);
    return false;
  }
  const CifImport& cif = read.import;
  FaceRows unique;
  for (const CifFaceRow& row : cif.ModelFaceRows())
    if (!row.Empty()) unique.push_back({row.indexText, row.distanceText});
  // The crystal shown is replaced: it may be saved first (not at start-up,
  // before any crystal was shown).
  if (history_.Top() > 0) savechanges();
  if (unique.empty() && PredictCifHabit(cif, path)) return true;
  if (unique.empty()) {
    ports_.dialogs.Message(cif.MissingItemsMessage("\n"));
    return false;
  }
  // A new model takes the file's values.
  model_.modelRestoring = true;
  NewModel1Click();
  prepareloading();
  model_.modelRestoring = true;
  if (cif.pointGroup > 0)
    model_.pointGroup = model_.acceptedGroup = model_.builtForGroup = cif.pointGroup;
  model_.operationCount = GetPointGroup(model_.pointGroup).order;
  SetCell(model_, cif.ModelCell());
  model_.acceptedCell = model_.cell;
  if (cif.fillColour) model_.display.fillColour = ColourFromValue(*cif.fillColour);
  if (cif.transparency) model_.display.transparency = *cif.transparency;
  FaceRows full;
  ExpansionOptions expansion;
  expansion.separator = Separator(state_);
  RebuildFullList(model_, unique, full, expansion);
  model_.lastUniqueFace = static_cast<int>(unique.size()) - 1;
  ShowModelInTables();
  SetGridFaceRows(state_.tables.stringGrid2, unique);
  SetGridFaceRows(state_.tables.stringGrid1, full);
  state_.tools.prediction.caption = cif.predictionCaption.value_or(kShapePredictionCaption);
  MarkChanged(kToolsPart);
  model_.modelRestoring = false;
  model_.historyRestoring = false;
  model_.geometryStale = true;
  if (!cif.Complete()) {
    // Not drawn: the values read wait in the window for the user to complete.
    backup();
    ports_.dialogs.Message(cif.MissingItemsMessage("\n"));
    EndFaceEdit();
    return true;
  }
  model_.modelFileName = state_.modelFileName = path;
  ShowCaptionFor(path);
  model_.calculateAfterStep = true;
  CAClick();
  return true;
}

bool MainForm::Load1Click(const std::string& path) {
  const bool opened = OpenByExtension(path);
  Changed();
  return opened;
}

bool MainForm::OpenByExtension(const std::string& path) {
  std::error_code missing;
  if (!fs::is_regular_file(path, missing)) {
    ports_.dialogs.Message(std::string(kFileNotFound) + ": " + path);
    return false;
  }
  for (CommandId id : {CommandId::ExportCif, CommandId::ExportStl})
    state_.Command(id).enabled = CommandFor(id).handler != nullptr;
  MarkChanged(kCommandsPart);
  const std::string extension = LowerExtension(path);
  if (extension == ".wrl" || extension == ".wrz") {
    backup();
    if (TryMor(path)) return true;
    Loadwrlfile1Click(path);
    return state_.sceneOnly && model_.modelFileName == path;
  }
  if (extension == ".cif") return ImportCifFile(path);
  if (extension == ".mor") {
    model_.modelRestoring = model_.historyRestoring = true;
    const bool loaded = LoadModelFile(path);
    if (loaded) ShowCaptionFor(path);
    model_.historyRestoring = model_.sliderMoving = model_.modelRestoring = false;
    return loaded;
  }
  ports_.dialogs.Message(kNotAModelFile + fs::path(path).extension().string());
  return false;
}

void MainForm::Load2Click() {
  savechanges();
  if (state_.regions.toolBox == ToolBox::Twintool) state_.regions.toolBox = ToolBox::None;
  state_.switches.twin = TwinChoice::None;
  FileDialogRequest request{"Open", kOpenFilter, "mor", "", model_.modelFileName};
  if (request.fileName.empty() && !programFiles_.exampleModel.empty())
    request.initialDirectory = fs::path(programFiles_.exampleModel).parent_path().string();
  const auto chosen = ports_.dialogs.OpenFile(request);
  if (!chosen) return;
  if (Load1Click(*chosen)) UpdateRecentFiles(*chosen);
}

void MainForm::Examples1Click() {
  savechanges();
  FileDialogRequest request{"Open", kOpenFilter, "mor",
                            fs::path(programFiles_.exampleModel).parent_path().string(),
                            programFiles_.exampleModel};
  const auto chosen = ports_.dialogs.OpenFile(request);
  if (chosen && Load1Click(*chosen)) UpdateRecentFiles(*chosen);
}

void MainForm::SaveClick() {
  // The document's own name; never the program's or a file of the working directory.
  std::string proposal = model_.modelFileName;
  const bool inWorkDirectory =
      !proposal.empty() && fs::path(proposal).parent_path() == fs::path(state_.workDirectory);
  if (proposal.empty() || inWorkDirectory)
    proposal = (fs::path(programFiles_.documentsDirectory) / "untitled.mor").string();
  const auto chosen = ports_.dialogs.SaveFile({"Save", kModelFilter, "mor", "", proposal});
  if (!chosen) {
    state_.saveCancelled = true;
    return;
  }
  state_.saveCancelled = false;
  const std::string extension = LowerExtension(*chosen);
  bool saved = true;
  if (extension == ".mor")
    saved = Save1Click(*chosen);
  else if (extension == ".wrl")
    saved = Savewrlfile1Click(*chosen);
  // A failed save counts as not saved: closing then keeps the window open.
  if (!saved) state_.saveCancelled = true;
}

bool MainForm::Save1Click(const std::string& path) {
  if (state_.regions.toolBox == ToolBox::CombinedObjects ||
      state_.regions.toolBox == ToolBox::SpecialFaceFeatures) {
    state_.regions.toolBox = ToolBox::None;
    MarkChanged(kRegionsPart);
  }
  const ModelWriteResult written =
      WriteModelFile(path, CurrentDocument(SaveKind::ModelFile), {Separator(state_)});
  if (!written.ok) {
    ShowWriteFailure(path, written.error);
    return false;
  }
  model_.modelFileName = state_.modelFileName = path;
  ShowCaptionFor(path);
  UpdateRecentFiles(path);
  return true;
}

bool MainForm::Savewrlfile1Click(const std::string& path) {
  backup();
  const std::string preview = (fs::path(state_.workDirectory) / kSceneFileName).string();
  if (!state_.sceneOnly) {
    const FileResult added = AddModelToScene(preview, CurrentDocument(SaveKind::UndoSnapshot));
    if (!added) {
      ShowWriteFailure(preview, added.message);
      return false;
    }
  }
  const auto text = ReadFileText(preview);
  std::string error = "cannot read " + preview;
  if (!text || !WriteFileAtomically(path, *text, error)) {
    ShowWriteFailure(path, "could not save file: " + error);
    return false;
  }
  ShowCaptionFor(path);
  UpdateRecentFiles(path);
  return true;
}

void MainForm::savechanges() {
  if (state_.sceneOnly) return;
  if (ports_.dialogs.Ask(kSaveChangesQuestion, kWarningCaption, QuestionButtons::YesNo) ==
      Answer::Yes)
    SaveClick();
}

std::string MainForm::SettingsPath() const {
  return (fs::path(state_.workDirectory) / kSettingsFileName).string();
}

bool MainForm::UpdateRecentFiles(const std::string& path) {
  if (path.empty()) return false;
  std::string text;
  if (!ReadSettingsFile(SettingsPath(), text)) text = DefaultSettingsText();
  std::string error;
  if (!WriteSettingsFile(SettingsPath(), RecordRecentFile(text, path), error)) {
    ShowWriteFailure(SettingsPath(), error);
    return false;
  }
  LoadRecent1Click();
  return true;
}

void MainForm::LoadRecent1Click() {
  std::string text;
  state_.recentFiles = {};
  if (ReadSettingsFile(SettingsPath(), text)) state_.recentFiles = RecentFiles(text);
  for (int i = 0; i < kRecentFileCount; ++i) {
    CommandState& item = state_.Command(kRecentItems[i]);
    item.caption = state_.recentFiles[static_cast<std::size_t>(i)];
    if (!item.caption.empty()) item.visible = true;
  }
  MarkChanged(kCommandsPart);
}

void MainForm::OpenRecent(int item) {
  const std::string path = state_.recentFiles[static_cast<std::size_t>(item)];
  if (path.empty()) return;
  savechanges();
  Load1Click(path);
}

void MainForm::Recent1Click() { OpenRecent(0); }
void MainForm::Recent2Click() { OpenRecent(1); }
void MainForm::Recent3Click() { OpenRecent(2); }
void MainForm::Recent4Click() { OpenRecent(3); }
void MainForm::Recent5Click() { OpenRecent(4); }

void MainForm::DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty() || state_.regions.locked) return;
  pendingOpenFile_ = paths.front();
  ports_.timers.Start(TimerId::Timer12);
}

void MainForm::Timer12Timer() {
  const std::string path = std::exchange(pendingOpenFile_, {});
  if (path.empty()) return;
  savechanges();
  if (state_.regions.toolBox == ToolBox::Twintool) state_.regions.toolBox = ToolBox::None;
  state_.switches.twin = TwinChoice::None;
  if (Load1Click(path)) UpdateRecentFiles(path);
}

}  // namespace habitopia
