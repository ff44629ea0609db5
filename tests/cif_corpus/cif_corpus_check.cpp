// Reads every file of a CIF collection described by its MANIFEST.tsv (what gemmi
// read from each: block, cell, space group) and checks, for each file the
// manifest marks as read with a cell and a space group, that the importer takes
// the same block, the same cell (also back from the model's axes) and the same
// space-group number, and that no file, good or broken, takes a second or more.
//   cif_corpus_check CORPUS_DIR

#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/numbers.h"
#include "files/cif.h"
#include "files/file_io.h"

namespace habitopia {
namespace {

using Row = std::map<std::string, std::string>;

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

std::vector<Row> ReadManifest(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  const std::vector<std::string> names = Split(line);
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = Split(line);
    Row row;
    for (std::size_t i = 0; i < names.size(); ++i)
      row[names[i]] = i < fields.size() ? fields[i] : "";
    rows.push_back(row);
  }
  return rows;
}

std::string Unquoted(const std::string& s) {
  if (s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0])
    return s.substr(1, s.size() - 2);
  return s;
}

bool Lower(const std::string& quotedA, const std::string& quotedB) {
  const std::string a = Unquoted(quotedA), b = Unquoted(quotedB);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The manifest's value for the file, or nothing for "nan".
std::optional<Real> Number(const std::string& text) {
  long double v = 0;
  if (text == "nan" || !ParseReal(text, v)) return std::nullopt;
  return v;
}

bool Near(Real a, Real b) { return std::fabs(a - b) <= 1e-6L * std::max<Real>(1, std::fabs(b)); }

// What is wrong with the import of a file the manifest read; empty when nothing.
std::string Compare(const Row& row, const CifImport& cif) {
  if (!Lower(cif.blockName, row.at("block")) && !(cif.blockName.empty() && row.at("block") == "#"))
    return "block " + cif.blockName + ", manifest " + row.at("block");
  static const char* kCell[] = {"a", "b", "c", "alpha", "beta", "gamma"};
  for (int i = 0; i < kCifCellValues; ++i) {
    const auto expected = Number(row.at(kCell[i]));
    if (expected.has_value() != cif.cell[i].has_value())
      return std::string(kCell[i]) + (expected ? " missing" : " read, manifest has none");
    if (expected && !Near(*cif.cell[i], *expected))
      return std::string(kCell[i]) + " " + FormatGeneral(*cif.cell[i]) + ", manifest " +
             row.at(kCell[i]);
    if (!expected) {
      bool named = false;
      for (const std::string& item : cif.missingItems) named = named || item == kCifCellItems[i];
      if (!named) return std::string(kCell[i]) + " missing but not named";
    }
  }
  if (!cif.spaceGroup) return "no space group";
  // The number the manifest gives, unless the file's own operator list names another.
  int expected = std::stoi(row.at("sg_number"));
  if (const std::string& byOps = row.at("sg_by_ops"); !byOps.empty())
    if (const auto group = FindSpaceGroup(byOps); group && group->number != expected) {
      std::cout << "  " << row.at("file") << ": the operator list names No. " << group->number
                << ", the manifest No. " << expected << " (from its name)\n";
      expected = group->number;
    }
  if (cif.spaceGroup->number != expected)
    return "space group " + cif.spaceGroup->SettingText() + ", manifest No. " + row.at("sg_number");
  if (cif.pointGroup != cif.spaceGroup->pointGroup) return "point group not the space group's";
  if (cif.CellComplete()) {
    // Back from the model's axes to the file's.
    const UnitCell back = cif.spaceGroup->CellOnSettingAxes(cif.ModelCell());
    const UnitCell given = cif.CellValues();
    const Real a[] = {back.a, back.b, back.c, back.alpha, back.beta, back.gamma};
    const Real b[] = {given.a, given.b, given.c, given.alpha, given.beta, given.gamma};
    for (int i = 0; i < kCifCellValues; ++i)
      if (!(std::fabs(a[i] - b[i]) <= 1e-9L * std::max<Real>(1, std::fabs(b[i]))))
        return "cell back from the axes " + cif.spaceGroup->AxesText() + " differs in " + kCell[i];
  }
  return {};
}

}  // namespace
}  // namespace habitopia

int main(int argc, char** argv) {
  using namespace habitopia;
  if (argc != 2) {
    std::cerr << "usage: cif_corpus_check CORPUS_DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  const std::vector<Row> rows = ReadManifest(dir + "/MANIFEST.tsv");
  if (rows.empty()) {
    std::cerr << "no manifest in " << dir << "\n";
    return 2;
  }
  int checked = 0, agreed = 0, slow = 0, refused = 0;
  double slowest = 0;
  std::string slowestFile;
  for (const Row& row : rows) {
    const std::string path = dir + "/" + row.at("folder") + "/" + row.at("file");
    std::string text, error;
    if (!ReadWholeFile(path, text, error)) {
      std::cout << path << ": " << error << "\n";
      ++slow;
      continue;
    }
    const auto start = std::chrono::steady_clock::now();
    const CifImport cif = ImportCifText(text);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds > slowest) {
      slowest = seconds;
      slowestFile = row.at("file");
    }
    if (seconds >= 1) {
      std::cout << row.at("file") << ": " << seconds << " s\n";
      ++slow;
    }
    if (!cif.syntaxError.empty()) ++refused;
    if (row.at("folder") != "files" || row.at("gemmi_read") != "ok" || row.at("sg_status") != "ok")
      continue;
    ++checked;
    const std::string problem = cif.syntaxError.empty() ? Compare(row, cif) : cif.syntaxError;
    if (problem.empty())
      ++agreed;
    else
      std::cout << row.at("file") << ": " << problem << "\n";
  }
  std::cout << rows.size() << " files read, " << refused << " refused as no CIF; " << agreed
            << " of " << checked << " agree with the manifest; slowest " << slowest << " s ("
            << slowestFile << ")\n";
  return agreed == checked && slow == 0 ? 0 : 1;
}
