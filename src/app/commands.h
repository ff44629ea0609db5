#pragma once
// The window's command vocabulary: every menu item and toolbar button, with its
// caption (an ampersand marks the access key), its toolbar hint and the handler
// of MainForm it runs. The window makes one action per row and builds its menus
// and toolbar from this table; enabled, checked and visible states live in
// FormState.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace habitopia {

class MainForm;

enum class Menu {
  None,  // toolbar only
  File,
  FileRecent,
  FileExport,
  Edit,
  View,
  Settings,
  SettingsStyles,
  Crystal,
  Tools,
  ToolsRandomize,
  Help,
};

enum class CommandId : int {
  // "&File"
  NewModel,
  LoadData,
  Recent1,
  Recent2,
  Recent3,
  Recent4,
  Recent5,
  Examples,
  SaveData,
  SaveWrz,
  ExportCif,
  ExportBmp,
  ExportWmf,
  ExportStl,
  Exit,
  ExportSvgDrawing,
  ExportGltf,
  ExportObj,
  Export3mf,
  ExportWebPage,
  // "&Edit"
  Undo,
  Redo,
  CopyBitmapToClipboard,
  // "&View"
  ViewSpeedbuttons,
  ViewTables,
  ViewUtilities,
  ViewVrmlControls,
  // "Settings"
  Indices,
  Hkil,
  Grid,
  Fill,
  Axes,
  Animation,
  Headlight,
  Spotlights,
  Solid,
  StyleStandard,
  StyleSparklingBlack,
  StyleSparklingBlue,
  StyleCrystal,
  StyleBrillant,
  StyleBrilliantWhite,
  CadStyleViewer,
  // "&Crystal"
  SelectPointGroup,
  EditMetric,
  EditUniqueFaces,
  EditFace,
  SingleFaceProperties,
  IndicateCleavageFace,
  RedrawModel,
  NewModelCrystal,
  AutomaticCleanup,
  // "&Tools"
  RegisterExtension,
  CombinedObjectsWizard,
  Calculations,
  RecordMovie,
  MorphologyPrediction,
  Randomize10,
  Randomize25,
  Randomize50,
  TwinningTool,
  StereographicProjection,
  // "&Help"
  About,
  HelpContents,
  HelpExamples,
  CheckForUpdates,
  HomePage,
  History,
  Logo,
  // Toolbar buttons that are not menu items
  BackgroundColor,
  GridColor,
  FillColor,
  SelectIndicesStyle,
  SelectAxesColor,
  SpotlightsOffButton,
  SpotlightsOnButton,
  HeadlightOffButton,
  HeadlightOnButton,
  CopyToClipboardButton,
  ShowHideToolbar,
  ShowHideControls,
  HelpButton,
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::HelpButton) + 1;

constexpr std::size_t CommandIndex(CommandId id) { return static_cast<std::size_t>(id); }

using CommandHandler = void (MainForm::*)();

struct Command {
  CommandId id;
  std::string_view name;     // the control's name, also the action's object name
  Menu menu;                 // Menu::None: toolbar only
  std::string_view caption;  // menu caption; for toolbar-only buttons empty
  std::string_view hint;     // toolbar hint; empty when the command has no button
  bool checkable;
  CommandHandler handler;  // nullptr: not available yet, shown disabled
  // Toolbar buttons only: what a right click runs (nullptr: nothing).
  CommandHandler rightClickHandler = nullptr;
};

// Every command, in menu order; toolbar buttons in toolbar order follow
// ToolbarOrder().
std::span<const Command> Commands();
const Command& CommandFor(CommandId id);
std::optional<CommandId> CommandByName(std::string_view name);

// The toolbar's buttons from left to right; CommandId values, with separators
// as std::nullopt.
std::span<const std::optional<CommandId>> ToolbarOrder();

// The captions of the menu bar's menus and sub-menus.
std::string_view MenuCaption(Menu menu);
// The menu a sub-menu hangs in (Menu::None for the menu bar's own menus).
Menu ParentMenu(Menu menu);

}  // namespace habitopia
