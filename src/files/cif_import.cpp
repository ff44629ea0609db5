// The CIF importer: gemmi parses the file (files/cif_document), this picks the
// block and reads the crystal-face subset and the symmetry statements from it.

#include <cctype>
#include <cmath>
#include <string>

#include "core/cell_check.h"
#include "core/numbers.h"
#include "files/cif.h"
#include "files/cif_document.h"
#include "files/file_io.h"

namespace habitopia {

const std::array<std::string_view, kCifCellValues> kCifCellItems{
    "a-axis length",      "b-axis length",     "c-axis length",
    "Metric angle alpha", "Metric angle beta", "Metric angle gamma"};

namespace {

// Each item under its CIF 1 name and its DDLm name ("_cell.length_a").
using Tags = std::initializer_list<const char*>;
const Tags kColourTags{"_exptl_crystal_colour", "_exptl_crystal.colour"};
const Tags kLustreTags{"_exptl_crystal_colour_lustre", "_exptl_crystal.colour_lustre"};
const Tags kDatabaseCodeTags{"_cod_database_code",  "_database_code_COD",
                             "_database_code_ICSD", "_database_code_amcsd",
                             "_database_code_CSD",  "_database_code_depnum_ccdc_archive"};
const Tags kFormulaTags{"_chemical_formula_sum", "_chemical_formula_structural",
                        "_chemical_formula_moiety"};
const std::array<Tags, kCifCellValues> kCellTags{{
    {"_cell_length_a", "_cell.length_a"},
    {"_cell_length_b", "_cell.length_b"},
    {"_cell_length_c", "_cell.length_c"},
    {"_cell_angle_alpha", "_cell.angle_alpha"},
    {"_cell_angle_beta", "_cell.angle_beta"},
    {"_cell_angle_gamma", "_cell.angle_gamma"},
}};
const Tags kFacePrefixes{"_exptl_crystal_face_", "_exptl_crystal_face."};
const Tags kOperationTags{"_space_group_symop_operation_xyz", "_space_group_symop.operation_xyz",
                          "_symmetry_equiv_pos_as_xyz", "_symmetry_equiv.pos_as_xyz"};
const Tags kHallTags{"_space_group_name_Hall", "_space_group.name_Hall",
                     "_symmetry_space_group_name_Hall", "_symmetry.space_group_name_Hall"};
// The setting's own symbol first; the reference setting's symbol last.
const Tags kHermannMauguinTags{"_space_group_name_H-M_alt",      "_space_group.name_H-M_alt",
                               "_symmetry_space_group_name_H-M", "_symmetry.space_group_name_H-M",
                               "_space_group_name_H-M_ref",      "_space_group.name_H-M_ref"};
const Tags kNumberTags{"_space_group_IT_number", "_space_group.IT_number",
                       "_symmetry_Int_Tables_number", "_symmetry.Int_Tables_number"};
const Tags kCaptionTags{"_symmetry_space_group_name_H-M", "_space_group_name_H-M_alt",
                        "_space_group.name_H-M_alt"};
const Tags kPointGroupTags{"_symmetry_point_group_name_H-M", "_space_group.point_group_H-M"};

constexpr std::string_view kCaptionCharacters = " 123456-/mHRPABCFIabcnd";
constexpr std::string_view kPointGroupCharacters = "123456-/m";

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The raw values of `tag` (tags compare without regard to case): the item's
// one value, or a loop's column; nothing when the tag is not there.
std::optional<std::vector<std::string>> RawValues(const CifBlockText& block, std::string_view tag,
                                                  bool itemsOnly = false) {
  for (const CifItemText& item : block.items)
    if (SameName(item.tag, tag)) return std::vector<std::string>{item.value};
  if (itemsOnly) return std::nullopt;
  for (const CifLoopText& loop : block.loops)
    for (std::size_t c = 0; c < loop.tags.size(); ++c)
      if (SameName(loop.tags[c], tag)) {
        std::vector<std::string> column;
        for (std::size_t i = c; i < loop.values.size(); i += loop.tags.size())
          column.push_back(loop.values[i]);
        return column;
      }
  return std::nullopt;
}

// The first value stated under one of `tags` (a loop's first row counts, or with
// `itemsOnly` only an item), unquoted; nothing when none is given or it is "?" or ".".
std::optional<std::string> Value(const CifBlockText& block, const Tags& tags,
                                 bool itemsOnly = false) {
  for (const char* tag : tags) {
    const auto values = RawValues(block, tag, itemsOnly);
    if (!values || values->empty() || values->front().empty()) continue;
    if (CifValueIsNull(values->front())) continue;
    return CifValueText(values->front());
  }
  return std::nullopt;
}

bool HasTag(const CifBlockText& block, const Tags& tags) {
  for (const char* tag : tags)
    if (RawValues(block, tag)) return true;
  return false;
}

std::vector<std::string> Values(const CifBlockText& block, const Tags& tags) {
  for (const char* tag : tags) {
    const auto column = RawValues(block, tag);
    if (!column) continue;
    std::vector<std::string> values;
    for (const std::string& raw : *column)
      if (!raw.empty() && !CifValueIsNull(raw)) values.push_back(CifValueText(raw));
    if (!values.empty()) return values;
  }
  return {};
}

// Under a comma locale the first point becomes a comma, otherwise the first comma a point.
std::string FixSeparator(std::string text, bool decimalComma) {
  const char from = decimalComma ? '.' : ',';
  const auto at = text.find(from);
  if (at != std::string::npos) text[at] = decimalComma ? ',' : '.';
  return text;
}

std::string Keep(std::string_view text, std::string_view allowed) {
  std::string out;
  for (char c : text)
    if (allowed.find(c) != std::string_view::npos) out += c;
  return out;
}

std::string FirstWord(const std::string& text) {
  const auto start = text.find_first_not_of(" \t'\"");
  if (start == std::string::npos) return {};
  const auto end = text.find_first_of(" \t\r\n'\"", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Line ends CR LF, LF or a lone CR all read as LF; a byte-order mark is dropped.
std::string PlainLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool HasCell(const CifBlockText& block) { return HasTag(block, kCellTags[0]); }
bool HasSymmetry(const CifBlockText& block) {
  return HasTag(block, kOperationTags) || HasTag(block, kHallTags) ||
         HasTag(block, kHermannMauguinTags) || HasTag(block, kNumberTags);
}

const CifBlockText* ChooseBlock(const CifDocumentText& doc, std::string_view wanted,
                                CifImport& result) {
  result.blockCount = static_cast<int>(doc.blocks.size());
  if (!wanted.empty()) {
    for (const CifBlockText& block : doc.blocks)
      if (SameName(block.name, wanted)) return &block;
    result.blockMissing = true;
    return nullptr;
  }
  for (const CifBlockText& block : doc.blocks)
    if (HasCell(block) && HasSymmetry(block)) return &block;
  for (const CifBlockText& block : doc.blocks)
    if (HasCell(block)) return &block;
  for (const CifBlockText& block : doc.blocks)
    if (HasTag(block, {"_exptl_crystal_face_perp_dist", "_exptl_crystal_face.perp_dist"}))
      return &block;
  return doc.blocks.empty() ? nullptr : &doc.blocks.front();
}

// A cell value that makes no real cell counts as missing; lengths too far apart
// are all missing.
void DropImpossibleCellValues(CifImport& result) {
  for (int i = 0; i < 3; ++i)
    if (result.cell[i] && !(std::isfinite(*result.cell[i]) && *result.cell[i] > 0))
      result.cell[i].reset();
  if (result.cell[0] && result.cell[1] && result.cell[2]) {
    const UnitCell lengths{*result.cell[0], *result.cell[1], *result.cell[2], 90, 90, 90};
    if (FindCellFault(lengths))
      for (int i = 0; i < 3; ++i) result.cell[i].reset();
  }
  for (int i = 3; i < kCifCellValues; ++i)
    if (result.cell[i] && !(*result.cell[i] > 0 && *result.cell[i] < 180)) result.cell[i].reset();
  if (result.cell[3] && result.cell[4] && result.cell[5]) {
    const UnitCell angles{1, 1, 1, *result.cell[3], *result.cell[4], *result.cell[5]};
    if (FindCellFault(angles))
      for (int i = 3; i < kCifCellValues; ++i) result.cell[i].reset();
  }
}

void ReadCell(const CifBlockText& block, CifImport& result) {
  for (int i = 0; i < kCifCellValues; ++i) {
    // An item given once: a loop of cell values may hold several cells, and
    // none of them is the file's.
    const auto text = Value(block, kCellTags[i], true);
    if (!text) continue;
    // The standard uncertainty in parentheses is not part of the value.
    const std::string number = FixSeparator(text->substr(0, text->find('(')), result.decimalComma);
    long double value = 0;
    if (ParseLocaleReal(number, result.decimalComma, value)) result.cell[i] = value;
  }
  DropImpossibleCellValues(result);
  for (int i = 0; i < kCifCellValues; ++i) {
    if (result.cell[i])
      ++result.completeness;
    else
      result.missingItems.emplace_back(kCifCellItems[i]);
  }
}

// The face loop's rows: h, k, l and the distance, under either dictionary's names.
std::optional<std::vector<std::array<std::string, 4>>> FaceTable(const CifBlockText& block) {
  for (const char* prefix : kFacePrefixes) {
    std::vector<std::string> columns[4];
    bool all = true;
    const char* names[] = {"index_h", "index_k", "index_l", "perp_dist"};
    for (int i = 0; i < 4 && all; ++i) {
      const auto values = RawValues(block, std::string(prefix) + names[i]);
      all = values.has_value();
      if (all) columns[i] = *values;
    }
    if (!all) continue;
    std::vector<std::array<std::string, 4>> rows;
    for (std::size_t r = 0; r < columns[3].size(); ++r) {
      std::array<std::string, 4> row;
      for (int i = 0; i < 4; ++i) row[i] = r < columns[i].size() ? columns[i][r] : "?";
      rows.push_back(row);
    }
    return rows;
  }
  return std::nullopt;
}

void ReadFaces(const CifBlockText& block, CifImport& result) {
  if (const auto rows = FaceTable(block)) {
    result.faceListFound = true;
    ++result.completeness;
    // Values are kept as written ("?" too): the face grid's parser judges them.
    for (const auto& row : *rows) {
      std::string texts[4];
      for (int i = 0; i < 4; ++i)
        texts[i] = FixSeparator(CifValueIsNull(row[i]) ? row[i] : CifValueText(row[i]),
                                result.decimalComma);
      result.faceRows.push_back({texts[0] + " " + texts[1] + " " + texts[2], texts[3]});
    }
    return;
  }
  if (HasTag(block, {"_exptl_crystal_face_perp_dist", "_exptl_crystal_face.perp_dist"})) {
    result.faceListFound = true;
    ++result.completeness;
  } else {
    result.missingItems.push_back("List of Miller Indices and Distances");
  }
}

void ReadSymmetry(const CifBlockText& block, CifImport& result) {
  SpaceGroupStatements& s = result.symmetry;
  s.operations = Values(block, kOperationTags);
  s.hall = Value(block, kHallTags).value_or("");
  // The first symbol stated that names a group, else the first stated.
  for (const char* tag : kHermannMauguinTags) {
    const auto symbol = Value(block, {tag});
    if (!symbol || symbol->empty()) continue;
    if (s.hermannMauguin.empty()) s.hermannMauguin = *symbol;
    std::string ignored;
    if (FindSpaceGroup(*symbol, &ignored)) {
      s.hermannMauguin = *symbol;
      break;
    }
  }
  for (const char* tag : kNumberTags) {
    const auto text = Value(block, {tag});
    long long number = 0;
    if (text && ParseInteger(FirstWord(*text), number) && number >= 1 && number <= 230) {
      s.number = static_cast<int>(number);
      break;
    }
  }
  if (result.cell[3]) s.alpha = *result.cell[3];
  if (result.cell[5]) s.gamma = *result.cell[5];
  result.spaceGroupSymbol = s.hermannMauguin;
  result.spaceGroupNumber = s.number;

  // Caption of the prediction box from the stated symbol, its first blank kept.
  for (const char* tag : kCaptionTags) {
    const auto values = RawValues(block, tag);
    if (!values || values->empty()) continue;
    result.predictionCaption =
        "Shape Prediction (SG: " + Keep(" " + CifValueText(values->front()), kCaptionCharacters) +
        " )";
    break;
  }

  if (!s.Empty()) {
    ResolvedSpaceGroup resolved = ResolveSpaceGroup(s);
    result.symmetryNotes = std::move(resolved.notes);
    result.spaceGroup = std::move(resolved.group);
  }
  if (result.spaceGroup) {
    result.pointGroup = result.spaceGroup->pointGroup;
    result.pointGroupSource = CifPointGroupSource::SpaceGroup;
  } else if (const auto symbol = Value(block, kPointGroupTags); symbol && symbol->size() <= 99) {
    if (const int g = CifPointGroupFromSymbol(Keep(*symbol, kPointGroupCharacters)); g != 0) {
      result.pointGroup = g;
      result.pointGroupSource = CifPointGroupSource::PointGroupTag;
    }
  }
  if (result.pointGroup != 0)
    ++result.completeness;
  else
    result.missingItems.push_back("Point Group");
}

// Index text on the model's axes: h' = h P for the columns P of the new axes.
std::string IndicesOnAxes(const std::string& text, const IntMatrix3& axes, bool decimalComma) {
  std::string tokens[3];
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    const auto end = text.find(' ', at);
    tokens[i] = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  long double h[3];
  for (int i = 0; i < 3; ++i)
    if (!ParseLocaleReal(tokens[i], decimalComma, h[i])) return text;  // left to the grid's check
  std::string out;
  for (int j = 0; j < 3; ++j) {
    long double v = 0;
    for (int i = 0; i < 3; ++i) v += h[i] * axes[i][j];
    out += (j ? " " : "") + FixSeparator(FormatGeneral(v), decimalComma);
  }
  return out;
}

}  // namespace

int CifImport::TransparencySlider(Real transparency) {
  return static_cast<int>(RoundToInteger(20 * transparency));
}

std::string CifImport::MissingItemsMessage(std::string_view lineBreak) const {
  std::string message = kCifIncomplete;
  for (const std::string& item : missingItems) {
    message += lineBreak;
    message += item;
  }
  return message;
}

bool CifImport::CellComplete() const {
  for (const auto& value : cell)
    if (!value) return false;
  return true;
}

UnitCell CifImport::CellValues() const {
  UnitCell c;
  Real* fields[kCifCellValues] = {&c.a, &c.b, &c.c, &c.alpha, &c.beta, &c.gamma};
  for (int i = 0; i < kCifCellValues; ++i)
    if (cell[i]) *fields[i] = *cell[i];
  return c;
}

UnitCell CifImport::ModelCell() const {
  if (!AxesChanged() || !CellComplete()) return CellValues();
  return spaceGroup->CellOnAxes(CellValues());
}

std::vector<CifFaceRow> CifImport::ModelFaceRows() const {
  if (!AxesChanged()) return faceRows;
  std::vector<CifFaceRow> rows = faceRows;
  for (CifFaceRow& row : rows)
    if (!row.Empty()) row.indexText = IndicesOnAxes(row.indexText, spaceGroup->axes, decimalComma);
  return rows;
}

namespace {

void ImportBlock(const CifBlockText& block, CifImport& result) {
  if (block.name != "#") result.blockName = block.name;

  if (const auto colour = Value(block, kColourTags))
    result.fillColour = CifColourValue(FirstWord(*colour));

  if (const auto lustre = Value(block, kLustreTags)) {
    result.lustreFound = true;
    if (lustre->find("metallic") != std::string::npos) result.transparency = 0.05L;
    if (lustre->find("dull") != std::string::npos) result.transparency = 0.1L;
    if (lustre->find("clear") != std::string::npos) result.transparency = 0.3L;
  } else {
    result.lustreFound = HasTag(block, kLustreTags);
    if (!result.lustreFound) result.missingItems.push_back("Transparency");
  }
  result.databaseCode = Value(block, kDatabaseCodeTags).value_or("");
  result.formula = Value(block, kFormulaTags).value_or("");

  ReadCell(block, result);
  ReadFaces(block, result);
  ReadSymmetry(block, result);
}

}  // namespace

CifImport ImportCifText(std::string_view text, bool decimalComma, std::string_view blockName) {
  CifImport result;
  result.decimalComma = decimalComma;
  const CifDocumentText doc = ParseCifDocument(PlainLines(text));
  result.syntaxError = doc.error;
  const CifBlockText* block = doc.error.empty() ? ChooseBlock(doc, blockName, result) : nullptr;
  ImportBlock(block ? *block : CifBlockText{}, result);
  return result;
}

std::vector<CifImport> ImportCifStructures(std::string_view text, std::string& syntaxError) {
  const CifDocumentText doc = ParseCifDocument(PlainLines(text));
  syntaxError = doc.error;
  std::vector<CifImport> structures;
  if (!doc.error.empty()) return structures;
  for (const CifBlockText& block : doc.blocks) {
    if (!HasCell(block) && !HasSymmetry(block)) continue;
    CifImport& result = structures.emplace_back();
    result.blockCount = static_cast<int>(doc.blocks.size());
    ImportBlock(block, result);
  }
  return structures;
}

CifReadResult ReadCifFile(const std::string& path, bool decimalComma, std::string_view blockName) {
  CifReadResult result;
  std::string text;
  if (!ReadWholeFile(path, text, result.error)) return result;
  result.import = ImportCifText(text, decimalComma, blockName);
  if (!result.import.syntaxError.empty()) {
    result.error = path + " is no CIF file: " + result.import.syntaxError;
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace habitopia
