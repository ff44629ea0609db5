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
#include "app/display_switches.h"
#include "app/form_changes.h"
#include "app/form_state.h"
#include "app/shell.h"
#include "app/status_bar.h"
#include "app/style_table.h"
#include "app/timers.h"
#include "app/viewer.h"

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
  void hkil1Click();
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

  // ---- Tools ----

  // ---- Pictures, help and updates ----

 private:
  // Reports the changes collected since the last report to the window.
  void Changed(unsigned parts = 0);
  void MarkChanged(unsigned parts) { changes_.parts |= parts; }
  void MarkGridRows(int grid, int first, int last) { changes_.rows.push_back({grid, first, last}); }

  FormPorts ports_;
  FormState state_;
  FormChanges changes_;
  std::function<void(const FormChanges&)> stateChanged_;

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
