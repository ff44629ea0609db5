#pragma once
// The small codes a model file packs into single numbers: the release marker,
// the sixteen display switches, the panel code and the growth-sector mark that
// doubles as the cleavage-face code.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace habitopia {

enum class ModelRelease { Release11, Release12, Release15 };

inline constexpr std::string_view kReleaseMarker11 = "Habitopia data Release 1.1";
inline constexpr std::string_view kReleaseMarker12 = "Habitopia data Release 1.2";
inline constexpr std::string_view kReleaseMarker15 = "Habitopia data Release 1.5";

std::string_view ReleaseMarker(ModelRelease release);
// The release of an exact, whole-line marker; nothing for any other text.
std::optional<ModelRelease> ReleaseFromMarker(std::string_view line);

// ---- Switches line -------------------------------------------------------

inline constexpr int kSwitchCount = 16;
using SwitchValues = std::array<long long, kSwitchCount>;

enum SwitchIndex : int {
  kSwitchHeadlight = 0,
  kSwitchSpotlights,
  kSwitchSelectedFaceLabels,
  kSwitchIndexLabels,
  kSwitchAnimation,
  kSwitchShowFaceColour,
  kSwitchShowIndices,
  kSwitchDrawGrowthSector,
  kSwitchGrid,
  kSwitchFill,
  kSwitchGlossAllFaces,
  kSwitchCrystalAxes,
  kSwitchBrilliant,
  kSwitchSolid,
  kSwitchRenderer,
  kSwitchPanel,
};

// The window's check boxes and renderer as the switches line records them.
struct DisplaySwitches {
  bool headlight = false;
  bool spotlights = true;
  bool selectedFaceLabels = false;  // index labels limited to marked faces
  bool indexLabels = false;
  bool animation = false;
  bool showFaceColour = false;
  bool showIndices = false;
  bool drawGrowthSector = false;
  bool grid = true;
  bool fill = true;
  bool glossAllFaces = false;
  bool crystalAxes = false;
  bool brilliant = false;
  bool solid = true;
  int rendererCode = 1;
  bool operator==(const DisplaySwitches&) const = default;
};

inline constexpr std::string_view kRendererDirectX = "DirectX Renderer";
inline constexpr std::string_view kRendererOpenGL = "OpenGL Renderer";
inline constexpr std::string_view kRendererR98 = "R98 Renderer";

// 1, 2 or 3 for the three renderer names; any other name counts as 1.
int RendererCode(std::string_view rendererName);

SwitchValues EncodeSwitches(const DisplaySwitches& switches, long long panelCode);
// A switch is on only when its value is exactly 1; the renderer code is taken as it is.
DisplaySwitches DecodeSwitches(const SwitchValues& values);

// ---- Panel code ----------------------------------------------------------

struct PanelState {
  bool tumble = false;
  bool uniqueFaceGridShown = false;  // StringGrid2
  bool pointGroupBoxShown = false;   // "Point Groups"
  bool metricBoxShown = false;       // "Metric"
  bool specialFaceBoxShown = false;  // "Special Face Features"
};

enum class PanelCommand {
  None,
  EditFace,              // "Edit &Face"
  EditUniqueFaces,       // "Edit &Unique Faces"
  SelectPointGroup,      // "Select Point Group &Symmetry"
  EditMetric,            // "Edit Crystallographic Axes (&Metric)"
  SingleFaceProperties,  // "Single Face &Properties"
};

// +-1 for tumble, times 2, 3, 4 for the shown boxes, and times 5 for the
// special-face box in undo snapshots only (a save closes that box first).
long long EncodePanelCode(const PanelState& panels, bool forSnapshot);
bool PanelCodeTumble(long long code);
PanelCommand PanelCodeCommand(long long code);

// ---- Growth-sector mark and cleavage code (face line field 5) ------------

struct SectorMark {
  bool growthSector = false;
  bool cleavageFace = false;
  bool showModel = false;  // cleavage panel check boxes, cleavage face only
  bool projectSectors = false;
  bool operator==(const SectorMark&) const = default;
};

// 1 or 0 for an ordinary face; -1 to -8 for the cleavage face.
long long EncodeSectorMark(const SectorMark& mark);
// 1 sets the growth sector, -1..-8 mark the cleavage face, anything else is a plain face.
SectorMark DecodeSectorMark(long long code);

}  // namespace habitopia
