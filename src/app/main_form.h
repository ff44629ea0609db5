#pragma once
// The main window's behaviour, kept apart from the window toolkit: the window
// shows FormState and forwards its events to the handlers here, which carry the
// names of the controls they serve. Handlers are implemented in one file per
// menu or tool; the window's outside world is reached through ports.

#include <functional>
#include <string>
#include <vector>

#include "app/clipboard.h"
#include "app/commands.h"
#include "app/dialogs.h"
#include "app/face_edit_state.h"
#include "app/form_changes.h"
#include "app/form_state.h"
#include "app/shell.h"
#include "app/status_bar.h"
#include "app/timers.h"
#include "app/viewer.h"
#include "core/model.h"

namespace habitopia {

inline constexpr const char* kProgramVersionText = "1.56";

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
  const CrystalModel& Model() const { return model_; }  // TEMPORARY until the model holder is merged
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

  // First activation: caption, working directory, then the one file named on the
  // command line, or `exampleModel` when there is none.
  void FormActivate(const std::vector<std::string>& arguments, const std::string& exampleModel);

  // Opens a model or scene file and has the viewer load its scene.
  void OpenFile(const std::string& path);

  // ---- Calculation and history ----
  void CAClick();  // TEMPORARY until the calculation driver is merged

  // ---- Viewer ----

  // The viewer finished loading the scene.
  void Cortona1SceneLoaded(const SceneLoadResult& result);

  // ---- View menu, regions and viewer controls ----

  // ---- Display settings ----

  // ---- Point groups, cell and face tables ----
  // Handlers with arguments are the window's events; they report their changes
  // themselves.

  // "Point Groups" box and the symmetry strip.
  void SpeedButton15Click();                  // open the box
  void PointGroupRadioClick(int group);       // RadioButton1..33: the pending choice
  void SpeedButton16Click();                  // accept the checked group
  void PGCANCELClick();
  void SetRadiobutton();
  void ApplyPointgroupClick(bool checked);    // "Apply Symmetry"
  void ApplyPointgroupMouseDown();            // its right button: "Redraw Model now?"
  void RedrawModel1Click();
  void hkil1Click();
  void ApplyAllFacesClick();                  // "to All"
  void Checkboxclick();                       // expand the current face

  // The cell boxes a, b, c, alpha, beta, gamma ("Metric").
  void MetriceditClick();
  void SpeedButton17Click();                  // commit the cell ("CLOSE")
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
  void Draw1Click();                          // parse the current full-list row
  void Edit1DblClick();                       // the accept dispatcher: "ACCEPT", Return, double click
  void CANCELEDITClick();                     // "CANCEL"
  void Button2Click();                        // "Add Face"
  void Button4Click();                        // "Remove"
  // The guard of every opening command: "edit added face first" while adding.
  bool isadding();

  // "Special Face Features".
  void SpeedButton9Click();                   // "Single Face &Properties"
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
  void GroupBox3DblClick();                   // closes the box
  // Right button in a face list (grid 1 or 2): the box for the clicked row.
  void StringGridRightClick(int grid, int row);

  // ---- Tools ----

  // ---- Pictures, help and updates ----

 private:
  // Reports the changes collected since the last report to the window.
  void Changed(unsigned parts = 0);
  void MarkChanged(unsigned parts) { changes_.parts |= parts; }
  void MarkGridRows(int grid, int first, int last) { changes_.rows.push_back({grid, first, last}); }

  // ---- Point groups, cell and face tables: helpers ----
  char Separator() const { return state_.tables.decimalComma ? ',' : '.'; }
  FaceGrid& ShownGrid();
  bool UniqueListShown() const;
  void ShowChosenList();
  void HidePanels();  // the panel reset every opening command makes
  void ShowCellBoxes();
  void ApplyLatticeClass();
  void SelectRow(FaceGrid& grid, int row);
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
  // Reports the tables region's changes since `before` and the parts around it.
  void ReportTables(const TablesState& before);
  FaceEditState edit_;
  CrystalModel model_;  // TEMPORARY until the model holder is merged

  FormPorts ports_;
  FormState state_;
  FormChanges changes_;
  std::function<void(const FormChanges&)> stateChanged_;
};

}  // namespace habitopia
