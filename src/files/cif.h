#pragma once
// Exchange of crystal data with the crystal-face subset of CIF: cell, symmetry,
// colour, lustre and the measured faces (Miller indices and perpendicular
// distances).
//
// The importer is a line scanner, not a CIF parser: each tag is searched by plain
// substring from the first line on and its value is read at a fixed position
// after it. Import returns a value the controller applies to the model and the
// window; export formats a fixed block of lines.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cell.h"
#include "core/matrix.h"

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
// Group of a symbol derived from a full Hermann-Mauguin space-group symbol: the
// export symbols, and "121", "1m1", "12/m1", "mmm", "222" (not "22"). 0 for none.
int CifPointGroupFromDerivedSymbol(std::string_view symbol);

// ---- Space groups --------------------------------------------------------------

// Point group (1..32) of the crystal class of space group 1..230, or 0.
int PointGroupOfSpaceGroupNumber(int number);
// Standard short Hermann-Mauguin symbol of space group 1..230 ("P 63/m m c"), or empty.
std::string_view SpaceGroupShortSymbol(int number);
// The crystal-class symbol of a space-group symbol: lattice and setting letters
// and screw subscripts dropped, glide planes written as mirrors ("P 63/m m c"
// gives "6/mmm", "P 1 21/c 1" gives "12/m1"). Empty when there is no lattice letter.
std::string SpaceGroupClassSymbol(std::string_view symbol);
// Point group (1..32) of a crystal-class symbol in any setting ("2mm", "-4m2",
// "6/mmm", "m3m", "2/m2/m2/m"), or 0.
int PointGroupOfClassSymbol(std::string_view classSymbol);
// Point group of a space-group symbol as CIF files state it: short or full
// Hermann-Mauguin symbols, with or without blanks, with quotes and setting
// suffixes (":H", ":2"). 0 when the symbol is not recognised.
int PointGroupOfSpaceGroupSymbol(std::string_view symbol);

// ---- Import -----------------------------------------------------------------

// One row of the unique-face grid as the importer fills it. Rows left by lines
// that are not face lines stay empty.
struct CifFaceRow {
  std::string indexText;     // the three index tokens joined by single blanks
  std::string distanceText;  // the fourth token
  bool Empty() const { return indexText.empty() && distanceText.empty(); }
  bool operator==(const CifFaceRow&) const = default;
};

enum class CifPointGroupSource {
  None,
  SpaceGroupSymbol,  // a full symbol under "_symmetry_space_group_name_H-M"
  PointGroupTag,     // "_symmetry_point_group_name_H-M"
  ShortSymbol,       // a short or otherwise written space-group symbol
  SpaceGroupNumber,  // "_space_group_IT_number" or "_symmetry_Int_Tables_number"
};

inline constexpr int kCifCellValues = 6;
// Missing-item names of the six cell values, in the order a, b, c, alpha, beta, gamma.
extern const std::array<std::string_view, kCifCellValues> kCifCellItems;
inline constexpr const char* kCifIncomplete = "Information incomplete, please edit manually:";

struct CifImport {
  // The data block read: the one asked for, else the first that states a cell
  // length or angle, else the first. Empty when the file has no "data_" line.
  std::string blockName;
  int blockCount = 0;         // "data_" lines in the file
  bool blockMissing = false;  // the block asked for is not in the file

  std::optional<long long> fillColour;  // set when the colour word is a known name
  bool lustreFound = false;             // the lustre tag is present
  std::optional<Real> transparency;     // set when the lustre line names a lustre

  // a, b, c (as given, not normalised), alpha, beta, gamma; empty when the tag
  // is missing, its value does not convert or it makes no real cell (a length
  // not finite or not above 0, an angle not strictly between 0 and 180, or
  // three angles that enclose no volume, which leaves all three empty).
  std::array<std::optional<Real>, kCifCellValues> cell;

  bool faceListFound = false;
  std::vector<CifFaceRow> faceRows;  // faceRows[r - 1] is grid row r

  // "Shape Prediction (SG: ... )" when the space-group tag is present.
  std::optional<std::string> predictionCaption;
  std::string spaceGroupSymbol;  // the stated space-group symbol, unquoted; may be empty
  int spaceGroupNumber = 0;      // the stated number, 0 when none
  int pointGroup = 0;            // 1..33; 0 when none was found
  CifPointGroupSource pointGroupSource = CifPointGroupSource::None;

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
};

// Scans the text of a CIF file, one data block of it (see CifImport::blockName;
// `blockName` names one, compared without regard to case). Under a comma locale
// (`decimalComma`) numbers are read with a decimal comma, and a point in them is
// turned into one.
CifImport ImportCifText(std::string_view text, bool decimalComma = false,
                        std::string_view blockName = {});

struct CifReadResult {
  bool ok = false;  // the file could be read; the import itself is in `import`
  CifImport import;
  std::string error;  // one line when !ok
};
CifReadResult ReadCifFile(const std::string& path, bool decimalComma = false,
                          std::string_view blockName = {});

// Blank-separated tokens of a line as the importer splits it; `count` is the
// number of tokens, of which at most 11 are kept.
struct CifTokens {
  std::vector<std::string> tokens;
  int count = 0;
};
CifTokens SplitCifLine(std::string_view line);

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
