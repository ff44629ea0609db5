#pragma once
// The window's behaviour-carrying state as plain data. The window shows it;
// handlers of MainForm change it and report what they changed (FormChanges).

#include <array>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/display_state.h"
#include "app/document_state.h"
#include "app/logo_placement.h"
#include "app/picture_state.h"
#include "app/state/viewer_description.h"
#include "app/status_bar.h"
#include "app/tables_state.h"
#include "app/tools_state.h"

namespace habitopia {

inline constexpr const char* kNoModelRendered =
    "no model rendered- try another renderer (R98/OpenGl/DirectX)";

struct CommandState {
  bool enabled = true;
  bool checked = false;
  bool visible = true;
  std::string caption;  // empty: the table's caption
};

// The tool group boxes, at most one shown at a time.
enum class ToolBox {
  None,
  PointGroups,
  CleavageFace,
  SpecialFaceFeatures,
  ShapePrediction,
  Twintool,
  CombinedObjects,
  Calculations,
};

enum class InfoPanel { None, HomePage, History, Donation };

struct Regions {
  bool toolbar = true;         // Panel4
  bool tables = true;          // Panel3
  bool utilities = true;       // panel2
  bool viewerControls = true;  // Panel11
  bool statusBar = true;       // StatusBar1
  ToolBox toolBox = ToolBox::None;
  InfoPanel infoPanel = InfoPanel::None;
  bool locked = false;  // a calculation runs: every control but CANCELEDIT is disabled
};

struct ProgressState {
  bool visible = false;
  int position = 0;
  int maximum = 100;
};

struct FormState {
  std::string caption;
  StatusPanels statusPanels = InitialStatusPanels();
  ProgressState progress;
  std::array<CommandState, kCommandCount> commands{};
  Regions regions;
  TablesState tables;
  DisplayState display;
  ToolsState tools;

  // Panel1 shows its caption wherever the viewer draws nothing.
  std::string panel1Caption = kNoModelRendered;
  bool sceneShown = false;  // the viewer's last load succeeded
  // The 3D view's accessible description: what the scene last written shows.
  std::string viewerDescription = kNoCrystalShown;

  std::string workDirectory;
  std::string modelFileName;
  std::string scenePath;  // the scene last given to the viewer
  bool sceneOnly = false;
  bool hullClosed = true;
  std::string error;                        // the last failure, one line
  std::vector<std::string> viewerMessages;  // what the viewer reported while loading

  DocumentSwitches switches;
  std::array<std::string, kRecentFileCount> recentFiles;  // "Load &Recent" items 1 to 5
  bool saveCancelled = false;                             // the last save dialog was cancelled
  bool decimalComma = false;                              // the locale writes decimal commas
  bool splashShown = false;                               // the splash (logo) window
  bool splashStays = false;                               // shown through "Lo&go": no closing timer
  bool closeRequested = false;  // "&Exit": the window is to close (and ask FormClose)
  PictureState pictures;
  LogoState logo;  // the logo at the viewer's lower right corner

  CommandState& Command(CommandId id) { return commands[CommandIndex(id)]; }
  const CommandState& Command(CommandId id) const { return commands[CommandIndex(id)]; }
};

}  // namespace habitopia
