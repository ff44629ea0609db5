// habitopia-cli info FILE.mor [--json]: reads a model, builds its polyhedron as the
// calculation does and prints the point group, faces, corners, surface and volume.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/face_cleanup.h"
#include "cli/json_writer.h"
#include "cli/model_summary.h"
#include "core/numbers.h"
#include "files/model_document.h"
#include "files/model_reader.h"

namespace habitopia::cli {

namespace {

constexpr const char* kProgram = "habitopia-cli: ";

int BadInput(const std::string& message) {
  std::cerr << kProgram << message << "\n";
  return 2;
}

// The extension with its leading point, as the open command compares it.
std::string Extension(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Three decimals, as the status bar shows surface and volume.
std::string Shown(Real v) { return FormatGeneral(Round3(v)); }

std::string PadLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

void PrintText(const ModelSummary& s, std::ostream& out) {
  out << "Point group: " << FormatInteger(s.pointGroup);
  if (!s.pointGroupSymbol.empty()) out << " (" << s.pointGroupSymbol << ")";
  out << "\nFaces: " << FormatInteger(s.presentFaces) << "\nCorners: "
      << FormatInteger(s.sceneCorners) << "\nSurface: " << Shown(s.surface)
      << "\nVolume: " << Shown(s.volume) << "\nHull closed: " << (s.closed ? "yes" : "no")
      << "\n\n";
  out << PadLeft("face", 5) << PadLeft("h", 9) << PadLeft("k", 9) << PadLeft("l", 9)
      << PadLeft("d", 11) << PadLeft("present", 9) << PadLeft("corners", 9)
      << PadLeft("area", 12) << "\n";
  for (const FaceSummary& f : s.faces) {
    out << PadLeft(FormatInteger(f.index), 5) << PadLeft(FormatGeneral(f.h), 9)
        << PadLeft(FormatGeneral(f.k), 9) << PadLeft(FormatGeneral(f.l), 9)
        << PadLeft(FormatGeneral(f.distance), 11) << PadLeft(f.present ? "yes" : "no", 9)
        << PadLeft(FormatInteger(f.corners), 9) << PadLeft(Shown(f.area), 12) << "\n";
  }
}

void PrintJson(const ModelSummary& s, std::ostream& out) {
  JsonWriter json;
  json.BeginObject();
  json.Key("pointGroup");
  json.BeginObject();
  json.Key("number");
  json.Integer(s.pointGroup);
  if (!s.pointGroupSymbol.empty()) {
    json.Key("symbol");
    json.String(s.pointGroupSymbol);
  }
  json.EndObject();
  json.Key("faces");
  json.Integer(s.presentFaces);
  json.Key("corners");
  json.Integer(s.sceneCorners);
  json.Key("surface");
  json.Number(s.surface);
  json.Key("volume");
  json.Number(s.volume);
  json.Key("closed");
  json.Bool(s.closed);
  json.Key("distanceScale");
  json.Number(s.distanceScale);
  json.Key("faceTable");
  json.BeginArray();
  for (const FaceSummary& f : s.faces) {
    json.BeginObject();
    json.Key("index");
    json.Integer(f.index);
    json.Key("h");
    json.Number(f.h);
    json.Key("k");
    json.Number(f.k);
    json.Key("l");
    json.Number(f.l);
    json.Key("d");
    json.Number(f.distance);
    json.Key("present");
    json.Bool(f.present);
    json.Key("corners");
    json.Integer(f.corners);
    json.Key("area");
    json.Number(f.area);
    json.EndObject();
  }
  json.EndArray();
  json.Key("sceneCorners");
  json.BeginArray();
  for (const Vec3& p : s.cornerPositions) {
    json.BeginObject();
    json.Key("x");
    json.Number(p[0]);
    json.Key("y");
    json.Number(p[1]);
    json.Key("z");
    json.Number(p[2]);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  out << json.Text() << "\n";
}

}  // namespace

int RunInfo(const Arguments& args) {
  std::string path;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json")
      json = true;
    else if (!arg.empty() && arg[0] == '-')
      return BadInput("unknown option \"" + arg + "\" (usage: info FILE.mor [--json])");
    else if (path.empty())
      path = arg;
    else
      return BadInput("info takes one file (usage: info FILE.mor [--json])");
  }
  if (path.empty()) return BadInput("no file given (usage: info FILE.mor [--json])");

  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored) || std::filesystem::is_directory(path, ignored))
    return BadInput("File not Found: " + path);
  const std::string extension = Extension(path);
  if (Lower(extension) != ".mor")
    return BadInput("This is not a valid Habitopia - file (*.mor): " + extension);

  const ModelReadResult read = ReadModelFile(path);
  if (!read.ok) return BadInput(path + ": " + read.error);

  CrystalModel model;
  ApplyDocument(read.document, model);
  bool incomplete = false;
  if (FaceCountWarning(model)) {
    std::cerr << kProgram << kTooManyFacesMessage << "\n";
    incomplete = LimitFaceCount(model) > 0;
  }
  CleanFaceTable(model);

  const ModelSummary summary = SummariseModel(model);
  if (json)
    PrintJson(summary, std::cout);
  else
    PrintText(summary, std::cout);
  std::cout.flush();
  if (!std::cout) return BadInput("cannot write the output");
  return summary.closed && !incomplete ? 0 : 1;
}

}  // namespace habitopia::cli
