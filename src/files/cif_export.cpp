// CIF export: a fixed block of tag lines whose values end in column 43, then the
// face loop.

#include <cctype>
#include <string>

#include "core/numbers.h"
#include "files/cif.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

constexpr const char* kLineEnd = "\r\n";

std::string RightAligned(std::string_view text, std::size_t width) {
  std::string out;
  if (text.size() < width) out.assign(width - text.size(), ' ');
  out += text;
  return out;
}

}  // namespace

std::string CifBlockName(std::string_view text) {
  std::string name;
  for (char c : text) {
    const bool allowed =
        std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
    name += allowed ? c : '_';
  }
  return name.empty() ? "habitopia" : name;
}

std::string FormatCifText(const CifExport& d) {
  std::string out;
  const auto line = [&out](const std::string& text) { out += text + kLineEnd; };
  // Without a data block header no CIF reader accepts the file; the importer
  // passes over this line.
  line("data_" + CifBlockName(d.blockName));
  line("_exptl_crystal_colour " +
       RightAligned(d.colourWord.empty() ? kUnnamedColourWord : d.colourWord, 21));
  line("_exptl_crystal_colour_lustre" + RightAligned(CifLustreWord(d.transparency), 15));
  line("_cell_length_a" + FormatFixed(d.cell.a, 29, 5));
  line("_cell_length_b" + FormatFixed(d.cell.b, 29, 5));
  line("_cell_length_c" + FormatFixed(d.cell.c, 29, 5));
  line("_cell_angle_alpha" + FormatFixed(d.cell.alpha, 26, 5));
  line("_cell_angle_beta" + FormatFixed(d.cell.beta, 27, 5));
  line("_cell_angle_gamma" + FormatFixed(d.cell.gamma, 26, 5));
  line("_symmetry_point_group_name_H-M " + RightAligned(CifPointGroupSymbol(d.pointGroup), 12));
  line("loop_");
  line(" _exptl_crystal_face_index_h");
  line(" _exptl_crystal_face_index_k");
  line(" _exptl_crystal_face_index_l");
  line(" _exptl_crystal_face_perp_dist");
  // A row without indices (left empty by an import) would break the loop.
  for (const CifExportFace& face : d.faces)
    if (!face.indexText.empty())
      line(RightAligned(face.indexText, 10) + " " + FormatFixed(face.distance, 10, 4));
  line(" ");
  return out;
}

CifWriteResult WriteCifFile(const std::string& path, const CifExport& data) {
  CifWriteResult result;
  result.ok = WriteFileAtomically(path, FormatCifText(data), result.error);
  return result;
}

}  // namespace habitopia
