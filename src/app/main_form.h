#pragma once
// The main window's behaviour, kept apart from the window toolkit: the window
// shows FormState and forwards its events to the handlers here, which carry the
// names of the controls they serve. Handlers are implemented in one file per
// menu or tool; the window's outside world is reached through ports.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/clipboard.h"
#include "app/commands.h"
#include "app/dialogs.h"
#include "app/display_switches.h"
#include "app/face_edit_state.h"
#include "app/form_changes.h"
#include "app/form_services.h"
#include "app/form_state.h"
#include "app/picture_export.h"
#include "app/prediction_panel.h"
#include "app/shell.h"
#include "app/status_bar.h"
#include "app/style_table.h"
#include "app/timers.h"
#include "app/undo_history.h"
#include "app/update_checker.h"
#include "app/viewer.h"
#include "core/model.h"
#include "files/cif.h"
#include "files/model_document.h"
#include "prediction/wulff_table.h"
#include "scene/mesh_files.h"
#include "scene/scene_writer.h"
#include "symmetry/face_rows.h"

namespace habitopia {

inline constexpr const char* kProgramVersionText = "1.56";

// Files that ship with the program.
struct ProgramFiles {
  std::string programDirectory;    // recorded in the settings file
  std::string exampleModel;        // "Exam&ples"
  std::string emptyScene;          // the scene "&New Model" shows
  std::string documentsDirectory;  // where "untitled.mor" is proposed
};

inline constexpr const char* kSaveChangesQuestion = "save changes?";
inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kHullNotClosedQuestion = "Hull is not closed, proceed?";
inline constexpr const char* kFileNotFound = "File not Found";
inline constexpr const char* kModelFilter =
    "Habitopia data file (*.mor)|*.mor|VRML data file (*.wrl)|*.wrl";
inline constexpr const char* kOpenFilter =
    "All Model Files (*.mor;*.wrl;*wrz;*.cif)|*.mor;*.wrl;*wrz;*.cif|Habitopia data file "
    "(*.mor)|*.mor|"
    "VRML data file (*.wrl)|*.wrl|Compressed VRML file (*.wrz)|*.wrz|IUCr cif file (cif.*)|*.cif|"
    "All files(*.*)|*.*";

// Everything outside the controller that it talks to.
struct FormPorts {
  Viewer& viewer;
  Dialogs& dialogs;
  Timers& timers;
  Clipboard& clipboard;
  Shell& shell;
};

class MainForm {
 public:
  MainForm(FormPorts ports, std::string workDirectory);
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  const FormState& State() const { return state_; }
  // Called after every handler that changed the state, with what it changed.
  void SetStateChanged(std::function<void(const FormChanges&)> callback) {
    stateChanged_ = std::move(callback);
  }

  // Runs the command's handler when the command exists and is enabled.
  void Run(CommandId id);
  void RunRightClick(CommandId id);
  // A one-shot timer fired.
  void TimerFired(TimerId id);

  // ---- Start-up, files and closing ----

  void SetProgramFiles(ProgramFiles files) { programFiles_ = std::move(files); }
  const ProgramFiles& Files() const { return programFiles_; }

  // First activation: caption, working directory, decimal-comma test, then the
  // default four-face model, or the one file named on the command line.
  void FormActivate(const std::vector<std::string>& arguments);
  // Opens a model (.mor), scene (.wrl, .wrz) or CIF file by its extension; false
  // when the file was not opened (the reason has been shown).
  bool Load1Click(const std::string& path);
  // Reads a model file and draws it; false (with a message naming the file) when
  // it cannot be read or is no model file, and then nothing has changed.
  // An undo snapshot is read with the document's file name in `snapshotOf`: its
  // texture names are placed in that file's folder and the name stays the model's.
  bool LoadModelFile(const std::string& path,
                     const std::optional<std::string>& snapshotOf = std::nullopt);
  // Resets the window before a model is read.
  void prepareloading();
  // Loads the model embedded in a scene; false when the scene carries none.
  bool TryMor(const std::string& scenePath);
  // Shows a scene without a model.
  void Loadwrlfile1Click(const std::string& path);
  bool ImportCifFile(const std::string& path);
  void Load2Click();
  void Examples1Click();
  void SaveClick();
  // Writes the model file; false (reported) when it could not be written.
  bool Save1Click(const std::string& path);
  bool Savewrlfile1Click(const std::string& path);
  // Asks "save changes?" unless only a scene is shown.
  void savechanges();
  void NewModel1Click();
  void Recent1Click();
  void Recent2Click();
  void Recent3Click();
  void Recent4Click();
  void Recent5Click();
  // The "Load &Recent" menu opens: its items from the settings file.
  void LoadRecent1Click();
  // Puts the file at the top of the recent list in the settings file.
  bool UpdateRecentFiles(const std::string& path);
  // Files dropped on the window: the first is opened like a chosen file.
  void DropFiles(const std::vector<std::string>& paths);
  void Exit1Click();
  // The window is asked to close: false keeps it open. When true the snapshots
  // are gone and the settings file is written.
  bool FormClose(int windowWidth, int windowHeight);
  void About1Click();
  // "H&istory", "Home &Page" and "&Donations" show one information panel at a
  // time; choosing the shown one again hides it.
  void History1Click();
  void HomePage1Click();
  void Donations1Click();
  void CloseInfoPanel();
  // The splash window: shown at program entry with its closing timer, again by
  // "Lo&go" without it; closed by a click or its timer.
  void ShowSplash();
  void Logo1Click();
  void SplashClosed();
  // The window moved, was resized, shown or hidden: Timer14 places the logo.
  void WindowGeometryChanged(const WindowGeometry& geometry) { windowGeometry_ = geometry; }
  void Timer14Timer();

  // ---- Calculation and history ----

  const CrystalModel& Model() const { return model_; }
  // For drivers that change the model as an editing command does (scripts,
  // tests): change it, set calculateAfterStep and geometryStale, show it in the
  // tables, then run CAClick.
  CrystalModel& EditableModel() { return model_; }
  const UndoHistory& History() const { return history_; }
  bool Calculating() const { return calculating_; }

  // The calculation: cleans the face table, builds the crystal, writes the scene,
  // asks about an open hull, takes a snapshot and has the viewer load the scene.
  void CAClick();
  // Locks (false) or unlocks the window around a calculation.
  void en_dis_able(bool enable);
  // "CANCEL": during a calculation asks it to stop.
  void CANCELEDITClick();
  // Copies the model into the face grids and cell boxes.
  void ShowModelInTables();
  // Appends the current model to the undo history; false when it was not written.
  bool backup();
  void undo1Click();
  void Redu1Click();
  // The deferred viewer load.
  void Timer5Timer();
  void Timer12Timer();

  // ---- Viewer ----

  // The viewer finished loading the scene.
  void Cortona1SceneLoaded(const SceneLoadResult& result);

  // ---- View menu, regions and viewer controls ----

  // View menu: each toggles its check mark and the visibility of its region.
  void Speedbuttons1Click();
  void Tables1Click();
  void Utilities1Click();
  void VRMLcontrols1Click();
  // "Show / Hide Toolbar": left click the utility panel, right click the tables.
  void ShowHideToolbarClick();
  void ShowHideToolbarRightClick();
  // "Show / Hide Controls" and a double click on the viewer: the viewer controls.
  void ShowHideControlsClick();
  void Cortona1DblClick();
  // A right click on the viewer copies its picture, as the Edit menu does.
  void Cortona1RightClick();
  // The window changed size: once the viewer has shown a scene it reloads it.
  void FormResize();

  // Opens one tool box over the tables region, closing any other (None closes all).
  void ShowToolBox(ToolBox box);

  // Panel11: the radio group plan, pan, turn, roll and cad; "fit", "restore",
  // the zoom slider and the renderer choice.
  void NavigationClick(NavigationMode mode);
  void CadStyleViewer1Click();
  void fitClick();
  void restoreClick();
  void zoommodelChange(int position);
  void RendererClick(RendererChoice renderer);
  // Sends the selected navigation mode to the viewer.
  void Timer8Timer();

  // ---- Display settings ----

  // The check boxes of the utility panel.
  void SwitchClick(DisplaySwitch which, bool on);
  void tumbleClick(bool on);
  // Their mirror menu items and toolbar buttons.
  void indices1Click();
  void grid1Click();
  void fill1Click();
  void axes1Click();
  void animation1Click();
  void headlight1Click();
  void spotlights1Click();
  void solid1Click();
  void SpotlightsOffClick();
  void SpotlightsOnClick();
  void HeadlightOffClick();
  void HeadlightOnClick();

  // Sliders; a change notification that leaves the value as it was ends a drag.
  void TransparencyChange(int position);
  void perspectiveChange(int position);
  void Speed1Change(int position);
  void UpDown1Click(int position);
  // The 500 ms redraw after the sliders rest.
  void Timer10Timer();

  // Colour buttons.
  void SetBackgroundClick();
  void gridcolor1Click();
  void fillcolor1Click();
  void spotlight1colorClick();
  void spotlight2colorClick();
  // "indices style" and "axes Style": left button the label font, right button the colour.
  void Button1Click();
  void Button1RightClick();
  void axescolor1Click();
  void axescolor1RightClick();

  // The style presets.
  void stylesettings(StyleId style);
  void Standard1Click();
  void Sparklingblack1Click();
  void Sparklingblue1Click();
  void Crystal2Click();
  void Brillant1Click();
  void Brilliantwhite1Click();

  // ---- Point groups, cell and face tables ----
  // Handlers with arguments are the window's events; they report their changes
  // themselves.

  // "Point Groups" box and the symmetry strip.
  void SpeedButton15Click();             // open the box
  void PointGroupRadioClick(int group);  // RadioButton1..33: the pending choice
  void SpeedButton16Click();             // accept the checked group
  void PGCANCELClick();
  void SetRadiobutton();
  void ApplyPointgroupClick(bool checked);  // "Apply Symmetry"
  void ApplyPointgroupMouseDown();          // its right button: "Redraw Model now?"
  void RedrawModel1Click();
  void hkil1Click();
  void ApplyAllFacesClick();  // "to All"
  void Checkboxclick();       // expand the current face

  // The cell boxes a, b, c, alpha, beta, gamma ("Metric").
  void MetriceditClick();
  void SpeedButton17Click();  // commit the cell ("CLOSE")
  void Edit4Change(int box, const std::string& text);
  // Returns the character to insert; Return accepts.
  char Edit4KeyPress(int box, char key);

  // Face grids (grid 1: all faces, grid 2: unique faces) and their edit boxes.
  void Edituniquefaces1Click();
  void EditFace1Click();
  // False: the selection is refused and stays where it was.
  bool StringGrid1SelectCell(int row, int column);
  bool StringGrid2SelectCell(int row, int column);
  void StringGrid1SetEditText(int row, int column, const std::string& text);
  void StringGrid2SetEditText(int row, int column, const std::string& text);
  // A key typed into a cell holding `cellText`; returns what reaches the cell
  // ('\0' for nothing). Return accepts the edit.
  char StringGrid1KeyPress(int row, int column, const std::string& cellText, char key);
  char StringGrid2KeyPress(int row, int column, const std::string& cellText, char key);
  void Edit1Change(const std::string& text);
  void Edit2Change(const std::string& text);
  void Draw1Click();     // parse the current full-list row
  void Edit1DblClick();  // the accept dispatcher: "ACCEPT", Return, double click
  void Button2Click();   // "Add Face"
  void Button4Click();   // "Remove"
  // The guard of every opening command: "edit added face first" while adding.
  bool isadding();

  // "Special Face Features".
  void SpeedButton9Click();  // "Single Face &Properties"
  void UpDown2Click(int position);
  void FaceColorClick();
  void ShowFaceColorClick(bool checked);
  void ShowIndicesClick(bool checked);
  void DrawGrowthsectorClick(bool checked);
  void FaceImageClick(bool checked);
  void ImageClick();
  void ResetFaceClick();
  void ResetAllFacesClick();
  void GlossAllFacesClick(bool checked);
  void CentraldistanceChange(int position);
  void TransparenceySectorChange(int position);
  void GroupBox3DblClick();  // closes the box
  // Right button in a face list (grid 1 or 2): the box for the clicked row.
  void StringGridRightClick(int grid, int row);
  // Right button on the "indices" check box: the index-label question is asked
  // again, with "Apply Symmetry" checked, through the special-face box's accept.
  void indicesonMouseDown();

  // ---- Tools ----

  // Runs one event of a tool box and reports what it changed.
  void ToolEvent(const std::function<void()>& event);
  // Keys typed into the edit boxes of the tools; `text` is the box before the
  // key. Returns what reaches the box; Return runs the box's reader.
  enum class ToolEdit {
    Cutface,
    CutDistance,
    CoordinatesPhysical,
    TwinAxis,
    TwinThrough,
    TwinCentre
  };
  char ToolEditKeyPress(ToolEdit edit, const std::string& text, char key);

  // "Shape Prediction" (GroupBox10).
  void MorphologyPrediction1Click();  // "Morphology &Prediction": opens the box
  void Morphologypanel();             // prepares the box for the model's point group
  void N1dmodel1Click();              // "Predict"
  // "Surface energies…": the unique forms as a table "h k l value", and a table
  // taken as the new unique faces. A table that is refused or leaves the crystal
  // open is answered with a message and changes nothing (the result is false).
  std::string SurfaceTableText() const;
  bool SurfaceTableAccepted(const std::string& table, WulffKind kind);
  void cleanup();                     // "Clean-up/apply randomize/polarize"
  void rewriteindices();
  void automaticcleanup1Click();  // "clean-up", "&Automatic clean-up"
  void maxhklChange(int position);
  void polarityChange(int position);
  void highorderfacesClick(bool checked);  // "with high-"
  // A click on a selector choice (see ChooseTranslation) and a double click.
  void TranslationClick(TranslationSlot slot, int value);
  void TranslationDblClick(TranslationSlot slot);
  void SpaceGroupEntered(const std::string& text);
  void closemorphologyClick();
  void N101Click();  // "R&andomize Distances" 10%
  void N251Click();  // 25%
  void N501Click();  // 50%
  void Timer3Timer();
  // Distances are randomised from this source (tests give a seeded one).
  void SetRandomSource(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }

  // The calculations box (GroupBox6).
  void Calculations1Click();
  void CloseCalculationsClick();
  void Edit15Enter();           // "face 1"
  void Edit16Enter();           // "face 2"
  void thirdfacebuttonClick();  // "(hkl)"
  void AngleButtonClick();
  void physicalindicesClick();
  void coordinatesphysicalChange(const std::string& text);
  // A row of StringGrid1 picked while the calculations box or the twin tool shows.
  void CalculationsRowPicked(int row);
  void TwinFaceRowPicked(int row);

  // "Twintool" (GroupBox11).
  void winningTool1Click();  // "Twinning Tool", "Create a Twin"
  void closetwintoolClick();
  // Checks the twin choice "None" and closes the twin tool.
  void SelectNoTwin();
  void TwinChoiceClick(TwinChoice choice);  // None, Contact, Rotation, Inversion
  void realbutnClick(bool reciprocal);
  // The twin texts as typed: 0 contact face, 1 axis, 2 through, 3 angle, 4 centre.
  void TwinTextChange(int text, const std::string& value);
  void CreateTwinClick();  // "Update"

  // "Indicate cleavage face" (GroupBox4).
  void cutfaceClick();  // "Indicate &Cleavage Face"
  // Opening a face list, the cell box or the point groups ends a cleavage edit:
  // the box closes and a plane is removed and the crystal redrawn without it.
  void CancelCleavageEdit();
  void TrackBar1Change(int position);
  void Timer4Timer();
  void EditCutfaceChange(const std::string& text);
  void editcutdistanceChange(const std::string& text);
  // The cleavage step of the accept dispatcher; false when it stopped.
  bool AcceptCleavagePlane();
  void EditCutfaceMouseDown();  // left button: the plane's single-face properties
  void removecutface1Click();
  void removecutfaceClick();
  void showmodelClick(bool checked);
  void projectsectorsClick(bool checked);

  // Scene commands.
  void wrltowrz1Click();  // "save wr&z - file (compressed)"
  void CombinedObjectsWizard1Click();
  void GroupDirectoryClick();
  void GroupWizardTextChange(int edit, const std::string& text);  // Edit10, 11, 12, 14
  void GroupAcceptClick();                                        // "ACCEPT" of the wizard
  void Group();

  // CIF and STL.
  void ExportCif1Click();      // "IUCr cif (*.CIF)"
  void N3DprinterSTF1Click();  // "3-D-printer (*.STL)"
  // A CIF without a face list: the habit predicted from its cell and space group.
  bool PredictCifHabit(const CifImport& cif, const std::string& path);

  // ---- Pictures, help and updates ----

  // What the update check and registering the model type need from outside;
  // without them "&Check for Updates" and the silent check do nothing.
  void SetUpdateServices(Downloader& downloader, UpdateTimers& timers, UpdateSettings settings);
  void SetDesktopServices(DesktopServices services) { desktop_ = std::move(services); }
  // Nothing until SetUpdateServices.
  UpdateChecker* Updates() { return updateChecker_.get(); }
  // One of the update window's timers expired.
  void UpdateTimerFired(UpdateTimer timer);
  void CheckforUpdates1Click();
  // The silent update check after start-up.
  void Timer6Timer();
  void Registermorextension1Click();

  // "Copy Bitmap to  Clipboard" (and a right click on the viewer): the picture
  // goes to the clipboard 500 ms later, with a message.
  void Enableclipboard();
  void Timer11Timer();
  // The toolbar's "Copy to Clipboard": at once and without a message.
  void CopyBitmaptoClipboard1Click();
  // Bitmap and metafile: the path is asked now, the picture taken by Timer2 or
  // Timer7 once the dialog has gone. The model keeps its file name.
  void SaveBitmap1Click();
  void Timer2Timer();
  void WindowsMetafileWMF1Click();
  void Timer7Timer();
  void RecordMovie1Click();

  // The user manual, through the shell; failures are ignored.
  void Help2Click();

  // Drawings and 3D files of the crystal as the last calculation built it.
  void SVGdrawing1Click();
  void glTF1Click();
  void WebPage1Click();
  void OBJ1Click();
  void N3MF1Click();
  // Shows or hides the stereographic projection beside the viewer.
  void Stereographicprojection1Click();
  // Draws the projection anew when it is shown; the calculation calls it.
  void RefreshStereogram();
  // The Calculations box's shape descriptors, while the box is shown.
  void RefreshShapeDescriptors();

 private:
  // Reports the changes collected since the last report to the window.
  void Changed(unsigned parts = 0);
  void MarkChanged(unsigned parts) { changes_.parts |= parts; }
  void MarkGridRows(int grid, int first, int last) { changes_.rows.push_back({grid, first, last}); }

  // ---- Point groups, cell and face tables: helpers ----
  char ListSeparator() const { return state_.decimalComma ? ',' : '.'; }
  FaceGrid& ShownGrid();
  bool UniqueListShown() const;
  void ShowChosenList();
  void HidePanels();  // the panel reset every opening command makes
  void ShowCellBoxes();
  void ApplyLatticeClass();
  void SelectRow(FaceGrid& grid, int row);
  // 1 for the full list (StringGrid1), 2 for the unique list (StringGrid2).
  int ListNumber(const FaceGrid& grid) const { return &grid == &state_.tables.stringGrid2 ? 2 : 1; }
  void SaveRowTexts(const FaceGrid& grid, int row);
  bool ParseFullListCurrentRow();
  bool ParseUniqueListCurrentRow();
  bool ReadListDistances(FaceGrid& grid);
  void RestoreSavedTexts(FaceGrid& grid);
  void CancelAdd(FaceGrid& grid);
  bool AcceptSpecialFaces();
  void ClearSpecialAttributes();
  bool AskLabelQuestion();
  void RecalculateCurrentRow();
  // Expands and draws the face being typed into the unique list.
  void PreviewFaceEdit();
  // Puts back the full list the typed face was expanded into; `redraw` draws
  // it again when the typed face had been drawn.
  void EndFacePreview(bool redraw);
  // Reports the tables region's changes since `before` and the parts around it.
  void ReportTables(const TablesState& before);
  FaceEditState edit_;

  // ---- Calculation, history and files (private) ----
  void ShowCaptionFor(const std::string& path);
  // Forgets an unfinished "Add Face" (its row is gone or about to go).
  void EndAdding();
  // Before another model is shown: an unfinished add and its row go, a removed
  // face is forgotten and the accept strip closes.
  void EndFaceEdit();
  bool OpenByExtension(const std::string& path);
  void SetUndoCommands();
  bool LoadSnapshot(int position);
  void ShowReadModel(const ModelDocument& document);
  void BuildDefaultModel();
  void ShowWriteFailure(const std::string& path, const std::string& reason);
  void RunPanelCommand(PanelCommand command);
  void OpenRecent(int item);
  std::string SettingsPath() const;
  ModelDocument CurrentDocument(SaveKind kind) const;

  // ---- Tools (private) ----
  FaceRows UniqueRows() const;
  // Rebuilds the full list from the unique list and draws.
  void RedrawFromUniqueList();
  void DrawFullList();
  void RandomizeFullList(int percent);
  RandomSource& Random();
  void ShowToolMessage(const std::string& text);
  void ApplyTwinTexts();
  SceneGeometry CurrentSceneGeometry() const;
  std::unique_ptr<RandomSource> random_;
  bool randomizeRequested_ = false;  // randomizeDistances
  bool predictionClosing_ = false;   // Close cancelled a running prediction

  CrystalModel model_;
  UndoHistory history_;
  ProgramFiles programFiles_;
  bool calculating_ = false;
  bool snapshotLoading_ = false;  // a revert must run to its end: CANCEL waits
  bool facePreviewing_ = false;   // a face typed is drawn: the window stays unlocked
  bool modelReading_ = false;     // the panel a model file names is being opened
  bool activated_ = false;
  bool resetViewpoint_ = true;
  bool hullQuestionAsked_ = false;
  bool singleFacePropertiesRequested_ = false;
  bool rewriteRequested_ = false;  // the morphology panel asks its indices rewritten
  int savedUndoPosition_ = 2;
  // The snapshot a cancelled cleavage edit returns to; 0 for none.
  int cleavageReturnPosition_ = 0;
  std::optional<ViewerCamera> savedViewpoint_;
  std::string pendingOpenFile_;     // opened by Timer12
  WindowGeometry windowGeometry_;   // as the window last reported it
  FaceRows gridBeforeCalculation_;  // StringGrid1 as the last calculation found it

  FormPorts ports_;
  FormState state_;
  FormChanges changes_;
  std::function<void(const FormChanges&)> stateChanged_;

  // ---- Pictures, help and updates (private) ----
  // The viewer's picture, or nothing (said) when it gives none.
  std::optional<ViewerImage> GrabViewer();
  void CopyToClipboard(bool tell);
  std::optional<std::string> AskPicturePath(PictureFormat format);
  void SavePicture(const std::string& path, PictureFormat format);
  // The save dialog for an export of the model, proposing the model's name with `extension`.
  std::optional<std::string> AskExportPath(const std::string& filter, const std::string& extension);
  // The drawings' and files' title: the model file's name without folder and extension.
  std::string ExportTitle() const;
  void ExportMeshFile(MeshFormat format);
  void WriteExport(const std::string& path, const std::string& bytes);

  std::string bitmapPath_;    // written when Timer2 fires
  std::string metafilePath_;  // written when Timer7 fires
  DesktopServices desktop_;
  std::unique_ptr<FormUpdatePorts> updatePorts_;
  std::unique_ptr<UpdateChecker> updateChecker_;

  // ---- Display settings and viewer controls (private) ----
  // Draws the model anew after a display change.
  void RedrawModel();
  // Menu checks and toolbar faces that mirror the utility panel and the regions.
  void ShowDisplayCommands();
  void ShowRegionCommands();
  void ToggleSwitch(DisplaySwitch which);
  // A debounced slider moved: the setting changed (redraw when the slider rests)
  // or stayed (the drag ended: snapshot).
  void SliderMoved(bool valueChanged);
  // The colour dialog for one colour; on OK the colour is taken, `then` runs
  // and the model is drawn.
  void ChooseColour(Rgb DisplaySettings::*colour, const std::function<void()>& then);
  // The font dialog for the labels; on OK the font is taken and `switchedOn` turned on.
  void ChooseLabelFont(DisplaySwitch switchedOn);
  void ApplyLabelFont(const FontChoice& font);
};

}  // namespace habitopia
