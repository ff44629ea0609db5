#pragma once
// Exchange of crystal data with the crystal-face subset of CIF: cell, symmetry,
// colour, lustre and the measured faces (Miller indices and perpendicular
// distances).
//
// Import reads the file with gemmi's CIF parser (tags in any case, any
// whitespace, quoted values and text fields, several data blocks) and names the
// space group from the block's symmetry statements; it returns a value the
// controller applies to the model and the window. Export formats a fixed block
// of lines.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell.h"
#include "core/matrix.h"
#include "prediction/space_groups.h"

namespace habitopia {

// ---- Names and symbols -------------------------------------------------------

struct NamedColour {
  std::string_view name;
  long long value;  // red + 256 * green + 65536 * blue
};

// The twenty standard colour names (the colour word with "cl" in front).
extern const std::array<NamedColour, 20> kStandardColours;
// The crystal-colour words, in table order; some words appear twice.
extern const std::array<NamedColour, 34> kCrystalColours;

// Colour value of a colour word: a standard colour name (any case) first, then
// the crystal-colour table (exact case, the last matching entry wins).
std::optional<long long> CifColourValue(std::string_view word);
// The word export writes for a colour value: the standard colour name, else the
// last crystal-colour entry 1..33 with that value; nothing when it has no name.
std::optional<std::string> CifColourWord(long long value);
inline constexpr const char* kColourHasNoName = "The selected color has no name";
inline constexpr const char* kSelectClosestColour =
    "Select a color that is closest from the color grid";
// The word written when the user declines to pick a named colour.
inline constexpr const char* kUnnamedColourWord = "clear";

// "metallic" when t <= 0.05, "dull" when 0.05 < t < 0.1, "clear" when t >= 0.1.
std::string CifLustreWord(Real transparency);

// Point-group symbol that export writes for group 1..33 ("22" for group 6);
// empty for any other number.
std::string_view CifPointGroupSymbol(int pointGroup);
// Group of a point-group tag's symbol (exact match with the export symbols), or 0.
int CifPointGroupFromSymbol(std::string_view symbol);

// Point group (1..32) of a crystal-class symbol in any setting ("2mm", "-4m2",
// "6/mmm", "m3m", "2/m2/m2/m"), or 0.
int PointGroupOfClassSymbol(std::string_view classSymbol);

// ---- Import -----------------------------------------------------------------

// One row of the unique-face grid as the importer fills it: one row of the
// file's face loop, its values as written.
struct CifFaceRow {
  std::string indexText;     // the three index tokens joined by single blanks
  std::string distanceText;  // the fourth token
  bool Empty() const { return indexText.empty() && distanceText.empty(); }
  bool operator==(const CifFaceRow&) const = default;
};

enum class CifPointGroupSource {
  None,
  SpaceGroup,     // the space group of the symmetry statements (see CifImport::spaceGroup)
  PointGroupTag,  // "_symmetry_point_group_name_H-M"
};

inline constexpr int kCifCellValues = 6;
// Missing-item names of the six cell values, in the order a, b, c, alpha, beta, gamma.
extern const std::array<std::string_view, kCifCellValues> kCifCellItems;
inline constexpr const char* kCifIncomplete = "Information incomplete, please edit manually:";

struct CifImport {
  // The data block read: the one asked for, else the first that states a cell
  // and a symmetry, else the first that states a cell, else the first. Empty
  // when the file has no "data_" line.
  std::string blockName;
  int blockCount = 0;         // data blocks in the file
  bool blockMissing = false;  // the block asked for is not in the file
  // The parser's message ("line 31, column 53: unterminated 'string'") when the
  // text is no CIF; nothing else is read then.
  std::string syntaxError;
  bool decimalComma = false;  // numbers were read with a decimal comma

  std::optional<long long> fillColour;  // set when the colour word is a known name
  bool lustreFound = false;             // the lustre tag is present
  std::optional<Real> transparency;     // set when the lustre names a lustre

  // a, b, c (as given, not normalised), alpha, beta, gamma on the file's axes;
  // empty when the tag is missing, its value does not convert or it makes no
  // real cell (a length not finite or not above 0, an angle not strictly
  // between 0 and 180, or three angles that enclose no volume, which leaves all
  // three empty).
  std::array<std::optional<Real>, kCifCellValues> cell;

  bool faceListFound = false;
  std::vector<CifFaceRow> faceRows;  // faceRows[r - 1] is grid row r; on the file's axes

  // "Shape Prediction (SG: ... )" when a Hermann-Mauguin tag is present.
  std::optional<std::string> predictionCaption;
  SpaceGroupStatements symmetry;  // what the block states
  std::string spaceGroupSymbol;   // the stated Hermann-Mauguin symbol, unquoted; may be empty
  int spaceGroupNumber = 0;       // the stated number, 0 when none
  // The group of the statements, with the axes the point-group table needs.
  std::optional<SpaceGroupSymmetry> spaceGroup;
  std::vector<std::string> symmetryNotes;  // statements not used, or contradicting
  int pointGroup = 0;                      // 1..33, on the model's axes; 0 when none was found
  CifPointGroupSource pointGroupSource = CifPointGroupSource::None;

  std::string databaseCode;  // the block's database code (COD, ICSD, ...), empty when none
  std::string formula;       // its sum formula as written, empty when none

  std::vector<std::string> missingItems;  // in the order the steps found them
  int completeness = 0;                   // of 8: six cell values, the face list, the point group

  bool Complete() const { return completeness == 8; }
  // Transparency slider position: 20 times the transparency, rounded.
  static int TransparencySlider(Real transparency);
  // "Information incomplete, please edit manually:" and the missing items, each
  // on its own line.
  std::string MissingItemsMessage(std::string_view lineBreak = "\r") const;
  bool CellComplete() const;
  UnitCell CellValues() const;  // the values found; missing ones as in a new cell
  bool AxesChanged() const { return spaceGroup && spaceGroup->AxesChanged(); }
  // The cell and the face rows on the model's axes, those of the point-group
  // table (the file's own when the space group needs no change of axes).
  UnitCell ModelCell() const;
  std::vector<CifFaceRow> ModelFaceRows() const;
};

// Scans the text of a CIF file, one data block of it (see CifImport::blockName;
// `blockName` names one, compared without regard to case). Under a comma locale
// (`decimalComma`) numbers are read with a decimal comma, and a point in them is
// turned into one.
CifImport ImportCifText(std::string_view text, bool decimalComma = false,
                        std::string_view blockName = {});

// Every data block of the text that states a cell or a symmetry, each read as
// ImportCifText reads one; `syntaxError` is the parser's message when the text
// is no CIF (and nothing is read).
std::vector<CifImport> ImportCifStructures(std::string_view text, std::string& syntaxError);

struct CifReadResult {
  bool ok = false;  // the file could be read; the import itself is in `import`
  CifImport import;
  std::string error;  // one line when !ok
};
CifReadResult ReadCifFile(const std::string& path, bool decimalComma = false,
                          std::string_view blockName = {});

// ---- Export -----------------------------------------------------------------

struct CifExportFace {
  std::string indexText;  // the face's index text as the face grid shows it
  Real distance = 0;      // central distance, model units
};

struct CifExport {
  std::string blockName = "habitopia";  // the "data_" block the lines belong to
  std::string colourWord;
  Real transparency = 0.2L;
  UnitCell cell;  // lengths as given (stored length times the mean length)
  int pointGroup = 1;
  std::vector<CifExportFace> faces;
};

// The file text, lines ending in CR LF.
std::string FormatCifText(const CifExport& data);

struct CifWriteResult {
  bool ok = false;
  std::string error;  // one line when !ok
};
// Replaces `path` only once the whole text is written.
CifWriteResult WriteCifFile(const std::string& path, const CifExport& data);

// A block name made of the characters CIF allows in one: letters, digits and
// "-_." from `text` (a file name without its folder and extension), others
// replaced by "_"; "habitopia" when nothing is left.
std::string CifBlockName(std::string_view text);

}  // namespace habitopia
