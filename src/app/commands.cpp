#include "app/commands.h"

#include "app/main_form.h"

namespace habitopia {
namespace {

using C = CommandId;
using M = Menu;

// Rows are in menu order. A handler of nullptr leaves the command disabled.
constexpr Command kCommands[] = {
    {C::NewModel, "NewModel1", M::File, "&New Model", "New Model", false,
     &MainForm::NewModel1Click},
    {C::LoadData, "Load1", M::File, "&Load Data", "Load *.mor *.wrl  *.wrz *.cif File", false,
     &MainForm::Load2Click},
    {C::Recent1, "Recent1", M::FileRecent, "1", "", false, &MainForm::Recent1Click},
    {C::Recent2, "Recent2", M::FileRecent, "2", "", false, &MainForm::Recent2Click},
    {C::Recent3, "Recent3", M::FileRecent, "3", "", false, &MainForm::Recent3Click},
    {C::Recent4, "Recent4", M::FileRecent, "4", "", false, &MainForm::Recent4Click},
    {C::Recent5, "Recent5", M::FileRecent, "5", "", false, &MainForm::Recent5Click},
    {C::Examples, "Examples1", M::File, "Exam&ples", "", false, &MainForm::Examples1Click},
    {C::SaveData, "Save1", M::File, "&Save Data", "Save *.mor and *.wrl Files", false,
     &MainForm::SaveClick},
    {C::SaveWrz, "savewrz1", M::File, "save wr&z - file (compressed)", "", false,
     &MainForm::wrltowrz1Click},
    {C::ExportCif, "IUCrcif1", M::FileExport, "IUCr cif (*.CIF)", "", false,
     &MainForm::ExportCif1Click},
    {C::ExportBmp, "WindowsBitmap1", M::FileExport, "Windows Bitmap (*.BMP)", "", false,
     &MainForm::SaveBitmap1Click},
    {C::ExportWmf, "WindowsMetafile1", M::FileExport, "Windows Metafile (*WMF)", "", false,
     &MainForm::WindowsMetafileWMF1Click},
    {C::ExportStl, "STL1", M::FileExport, "3-D-printer (*.STL)", "", false,
     &MainForm::N3DprinterSTF1Click},
    {C::Exit, "Exit1", M::File, "&Exit", "", false, &MainForm::Exit1Click},
    {C::ExportSvgDrawing, "SVGdrawing1", M::FileExport, "SVG drawing (*.SVG)", "", false,
     &MainForm::SVGdrawing1Click},
    {C::ExportGltf, "glTF1", M::FileExport, "glTF 2.0 (*.GLB)", "", false, &MainForm::glTF1Click},
    {C::ExportObj, "OBJ1", M::FileExport, "Wavefront OBJ (*.OBJ)", "", false, &MainForm::OBJ1Click},
    {C::Export3mf, "N3MF1", M::FileExport, "3-D-printer, 3MF (*.3MF)", "", false,
     &MainForm::N3MF1Click},
    {C::ExportWebPage, "WebPage1", M::FileExport, "Web page (*.HTML)", "", false,
     &MainForm::WebPage1Click},

    {C::Undo, "Undo1", M::Edit, "Undo", "", false, &MainForm::undo1Click},
    {C::Redo, "Redu1", M::Edit, "Redu", "", false, &MainForm::Redu1Click},
    {C::CopyBitmapToClipboard, "CopyBitmaptoClipboard1", M::Edit, "Copy Bitmap to  Clipboard", "",
     false, &MainForm::Enableclipboard},

    {C::ViewSpeedbuttons, "Speedbuttons1", M::View, "Speedbuttons", "", true,
     &MainForm::Speedbuttons1Click},
    {C::ViewTables, "Tables1", M::View, "Tables", "", true, &MainForm::Tables1Click},
    {C::ViewUtilities, "Utilities1", M::View, "Utilities", "", true, &MainForm::Utilities1Click},
    {C::ViewVrmlControls, "VRMLcontrols1", M::View, "VRML-controls", "", true,
     &MainForm::VRMLcontrols1Click},

    {C::Indices, "indices1", M::Settings, "&indices", "show indices of faces", true,
     &MainForm::indices1Click},
    {C::Hkil, "hkil1", M::Settings, "{hkil}", "", true, &MainForm::hkil1Click},
    {C::Grid, "grid1", M::Settings, "&grid", "Show grid", true, &MainForm::grid1Click},
    {C::Fill, "fill1", M::Settings, "&fill", "Enable shaded faces", true, &MainForm::fill1Click},
    {C::Axes, "axes1", M::Settings, "a&xes", "Show crystallographic axes", true,
     &MainForm::axes1Click},
    {C::Animation, "animation1", M::Settings, "&animation", "", true, &MainForm::animation1Click},
    {C::Headlight, "headlight1", M::Settings, "&headlight", "", true, &MainForm::headlight1Click},
    {C::Spotlights, "spotlights1", M::Settings, "spotlights", "", true,
     &MainForm::spotlights1Click},
    {C::Solid, "solid1", M::Settings, "s&olid", "", true, &MainForm::solid1Click},
    {C::StyleStandard, "Standard1", M::SettingsStyles, "&Standard", "", false,
     &MainForm::Standard1Click},
    {C::StyleSparklingBlack, "Sparklingblack1", M::SettingsStyles, "Sparkling &black", "", false,
     &MainForm::Sparklingblack1Click},
    {C::StyleSparklingBlue, "Sparklingblue1", M::SettingsStyles, "Sparkling bl&ue", "", false,
     &MainForm::Sparklingblue1Click},
    {C::StyleCrystal, "Crystal2", M::SettingsStyles, "&Crystal", "", false,
     &MainForm::Crystal2Click},
    {C::StyleBrillant, "Brillant1", M::SettingsStyles, "&Brillant", "", false,
     &MainForm::Brillant1Click},
    {C::StyleBrilliantWhite, "Brilliantwhite1", M::SettingsStyles, "Brilliant &white", "", false,
     &MainForm::Brilliantwhite1Click},
    {C::CadStyleViewer, "CadStyleViewer1", M::Settings, "Cad Style Viewer", "", true,
     &MainForm::CadStyleViewer1Click},

    {C::SelectPointGroup, "SelectPointGroupSymmetry1", M::Crystal, "Select Point Group &Symmetry",
     "Point Group", false, &MainForm::SpeedButton15Click},
    {C::EditMetric, "EditCrystallographicAxes1", M::Crystal, "Edit Crystallographic Axes (&Metric)",
     "Edit Metric", false, &MainForm::MetriceditClick},
    {C::EditUniqueFaces, "Edituniquefaces1", M::Crystal, "Edit &Unique Faces",
     "Edit Unique Crystal Faces and Apply Symmetry", false, &MainForm::Edituniquefaces1Click},
    {C::EditFace, "EditFace1", M::Crystal, "Edit &Face", "Edit a Face of the Model, one at a time",
     false, &MainForm::EditFace1Click},
    {C::SingleFaceProperties, "SingleFaceProperties1", M::Crystal, "Single Face &Properties",
     "Single Face Properties", false, &MainForm::SpeedButton9Click},
    {C::IndicateCleavageFace, "cutface1", M::Crystal, "Indicate &Cleavage Face",
     "Simulate a cut through the crystals", false, &MainForm::cutfaceClick},
    {C::RedrawModel, "RedrawModel1", M::Crystal, "&Redraw Model", "", false,
     &MainForm::RedrawModel1Click},
    {C::NewModelCrystal, "NewModel2", M::Crystal, "&New Model", "", false,
     &MainForm::NewModel1Click},
    {C::AutomaticCleanup, "Automaticcleanup1", M::Crystal, "&Automatic clean-up", "", true,
     &MainForm::automaticcleanup1Click},

    {C::RegisterExtension, "Registermorextension1", M::Tools, "&Register *.mor extension", "",
     false, &MainForm::Registermorextension1Click},
    {C::CombinedObjectsWizard, "CombinedObjectsWizard1", M::Tools, "Combined &Objects Wizard", "",
     false, &MainForm::CombinedObjectsWizard1Click},
    {C::Calculations, "Calculations1", M::Tools, "&Calculations", "", false,
     &MainForm::Calculations1Click},
    {C::RecordMovie, "RecordMovie1", M::Tools, "Record &Movie", "", false,
     &MainForm::RecordMovie1Click},
    {C::MorphologyPrediction, "N1dmodel1", M::Tools, "Morphology &Prediction", "", false,
     &MainForm::MorphologyPrediction1Click},
    {C::Randomize10, "N10percent1", M::ToolsRandomize, "10%", "", false, &MainForm::N101Click},
    {C::Randomize25, "N25percent1", M::ToolsRandomize, "25%", "", false, &MainForm::N251Click},
    {C::Randomize50, "N50percent1", M::ToolsRandomize, "50%", "", false, &MainForm::N501Click},
    {C::TwinningTool, "winningTool1", M::Tools, "Twinning Tool", "Create a Twin", false,
     &MainForm::winningTool1Click},
    {C::StereographicProjection, "Stereographicprojection1", M::Tools, "Stereographic projection",
     "", true, &MainForm::Stereographicprojection1Click},

    {C::About, "About1", M::Help, "&About", "", false, &MainForm::About1Click},
    {C::HelpContents, "Help2", M::Help, "&Contents", "", false, &MainForm::Help2Click},
    {C::HelpExamples, "Examples2", M::Help, "&Examples", "", false, &MainForm::Examples1Click},
    {C::CheckForUpdates, "CheckforUpdates1", M::Help, "&Check for Updates", "", false,
     &MainForm::CheckforUpdates1Click},
    {C::HomePage, "HomePage1", M::Help, "Home &Page", "", false, &MainForm::HomePage1Click},
    {C::History, "History1", M::Help, "H&istory", "", false, &MainForm::History1Click},
    {C::Logo, "Logo1", M::Help, "Lo&go", "", false, &MainForm::Logo1Click},

    {C::BackgroundColor, "BackgroundColorButton", M::None, "", "Background Color", false,
     &MainForm::SetBackgroundClick},
    {C::GridColor, "GridColorButton", M::None, "", "Grid Color", false, &MainForm::gridcolor1Click},
    {C::FillColor, "FillColorButton", M::None, "", "Fill Color", false, &MainForm::fillcolor1Click},
    {C::SelectIndicesStyle, "IndicesStyleButton", M::None, "", "Select indices style", false,
     &MainForm::Button1Click, &MainForm::Button1RightClick},
    {C::SelectAxesColor, "AxesColorButton", M::None, "", "Select color of crystallographic axes",
     false, &MainForm::axescolor1RightClick},
    {C::SpotlightsOffButton, "SpotlightsOffButton", M::None, "", "switch spotlights off", false,
     &MainForm::SpotlightsOffClick},
    {C::SpotlightsOnButton, "SpotlightsOnButton", M::None, "", "switch spotlights on", false,
     &MainForm::SpotlightsOnClick},
    {C::HeadlightOffButton, "HeadlightOffButton", M::None, "", "Switch headlight off", false,
     &MainForm::HeadlightOffClick},
    {C::HeadlightOnButton, "HeadlightOnButton", M::None, "", "Switch headlight on", false,
     &MainForm::HeadlightOnClick},
    {C::CopyToClipboardButton, "CopyToClipboardButton", M::None, "", "Copy to Clipboard", false,
     &MainForm::CopyBitmaptoClipboard1Click},
    {C::ShowHideToolbar, "ShowHideToolbarButton", M::None, "", "Show / Hide Toolbar", false,
     &MainForm::ShowHideToolbarClick, &MainForm::ShowHideToolbarRightClick},
    {C::ShowHideControls, "ShowHideControlsButton", M::None, "", "Show / Hide Controls", false,
     &MainForm::ShowHideControlsClick},
    {C::HelpButton, "HelpButton", M::None, "", "HELP", false, &MainForm::Help2Click},
};

static_assert(std::size(kCommands) == kCommandCount, "one row per command");

constexpr bool RowsInIdOrder() {
  for (std::size_t i = 0; i < std::size(kCommands); ++i)
    if (CommandIndex(kCommands[i].id) != i) return false;
  return true;
}
static_assert(RowsInIdOrder(), "rows are in CommandId order");

constexpr std::optional<CommandId> kToolbar[] = {
    C::NewModel,
    C::LoadData,
    C::SaveData,
    std::nullopt,
    C::BackgroundColor,
    C::GridColor,
    C::FillColor,
    std::nullopt,
    C::SelectPointGroup,
    C::EditMetric,
    C::EditUniqueFaces,
    C::EditFace,
    C::SingleFaceProperties,
    C::IndicateCleavageFace,
    C::TwinningTool,
    std::nullopt,
    C::Indices,
    C::SelectIndicesStyle,
    C::Axes,
    C::SelectAxesColor,
    C::Grid,
    C::Fill,
    C::SpotlightsOffButton,
    C::SpotlightsOnButton,
    C::HeadlightOffButton,
    C::HeadlightOnButton,
    std::nullopt,
    C::CopyToClipboardButton,
    C::ShowHideToolbar,
    C::ShowHideControls,
    C::HelpButton,
};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command& CommandFor(CommandId id) { return kCommands[CommandIndex(id)]; }

std::optional<CommandId> CommandByName(std::string_view name) {
  for (const Command& command : kCommands)
    if (command.name == name) return command.id;
  return std::nullopt;
}

std::span<const std::optional<CommandId>> ToolbarOrder() { return kToolbar; }

std::string_view MenuCaption(Menu menu) {
  switch (menu) {
    case M::None: return "";
    case M::File: return "&File";
    case M::FileRecent: return "Load &Recent";
    case M::FileExport: return "E&xport ";
    case M::Edit: return "&Edit";
    case M::View: return "&View";
    case M::Settings: return "Settings";
    case M::SettingsStyles: return "&Styles";
    case M::Crystal: return "&Crystal";
    case M::Tools: return "&Tools";
    case M::ToolsRandomize: return "R&andomize Distances";
    case M::Help: return "&Help";
  }
  return "";
}

Menu ParentMenu(Menu menu) {
  switch (menu) {
    case M::FileRecent:
    case M::FileExport: return M::File;
    case M::SettingsStyles: return M::Settings;
    case M::ToolsRandomize: return M::Tools;
    default: return M::None;
  }
}

}  // namespace habitopia
