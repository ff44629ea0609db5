// habitopia-cli info FILE.mor [--json]: reads a model, builds its polyhedron as the
// calculation does and prints the point group, faces, corners, surface and volume.

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/descriptor_report.h"
#include "cli/json_writer.h"
#include "cli/model_summary.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "tools/shape_descriptors.h"

namespace habitopia::cli {

namespace {

constexpr const char* kModelUnits = "model units";

// Three decimals, as the status bar shows surface and volume.
std::string Shown(Real v) { return FormatGeneral(Round3(v)); }

// Right-aligned in `width` characters; a wider text keeps one blank before it,
// so that columns never run together.
std::string PadLeft(std::string text, std::size_t width) {
  text.insert(0, text.size() < width ? width - text.size() : 1, ' ');
  return text;
}

void PrintText(const ModelSummary& s, std::ostream& out) {
  out << "Point group: " << FormatInteger(s.pointGroup);
  if (!s.pointGroupSymbol.empty()) out << " (" << s.pointGroupSymbol << ")";
  out << "\nFaces: " << FormatInteger(s.presentFaces)
      << "\nCorners: " << FormatInteger(s.sceneCorners) << "\nSurface: " << Shown(s.surface)
      << "\nVolume: " << Shown(s.volume) << "\nHull closed: " << (s.closed ? "yes" : "no") << "\n";
  if (!s.openDirection.empty()) out << s.openDirection << "\n";
  out << "\n";
  out << PadLeft("face", 5) << PadLeft("h", 9) << PadLeft("k", 9) << PadLeft("l", 9)
      << PadLeft("d", 11) << PadLeft("present", 9) << PadLeft("corners", 9) << PadLeft("area", 12)
      << "\n";
  for (const FaceSummary& f : s.faces) {
    out << PadLeft(FormatInteger(f.index), 5) << PadLeft(FormatGeneral(f.h), 9)
        << PadLeft(FormatGeneral(f.k), 9) << PadLeft(FormatGeneral(f.l), 9)
        << PadLeft(FormatGeneral(f.distance), 11) << PadLeft(f.present ? "yes" : "no", 9)
        << PadLeft(FormatInteger(f.corners), 9) << PadLeft(Shown(f.area), 12) << "\n";
  }
}

void PrintJson(const ModelSummary& s, const ShapeDescriptors* descriptors, std::ostream& out) {
  JsonWriter json;
  json.Reserve(512 + 128 * s.faces.size() + 80 * s.cornerPositions.size());
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
  if (!s.openDirection.empty()) {
    json.Key("open");
    json.String(s.openDirection);
  }
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
  if (descriptors) {
    json.Key("descriptors");
    WriteDescriptorsJson(*descriptors, kModelUnits, json);
  }
  json.EndObject();
  out << json.Text() << "\n";
}

}  // namespace

int RunInfo(const Arguments& args) {
  constexpr const char* kUsage = "usage: info FILE.mor [--json] [--descriptors [--energies]]";
  std::vector<std::string> positional, flags;
  std::string output;
  if (auto problem = SplitArguments(args, {"--json", "--descriptors", "--energies"}, positional,
                                    output, flags))
    return Fail(*problem + " (" + kUsage + ")");
  if (positional.size() != 1 || !output.empty()) return Fail(kUsage);

  ModelDocument document;
  CrystalModel model;
  if (auto problem = LoadModel(positional[0], document, model)) return Fail(*problem);
  const TablePreparation table = PrepareFaceTableReporting(model);
  if (table.tooManyFaces) std::cerr << "habitopia-cli: " << kTooManyFacesMessage << "\n";

  auto has = [&flags](const char* flag) {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
  };
  if (has("--energies") && !has("--descriptors"))
    return Fail(std::string("--energies goes with --descriptors (") + kUsage + ")");
  std::optional<ShapeDescriptors> descriptors;
  if (has("--descriptors")) descriptors = DescribeShape(model, has("--energies"));

  const ModelSummary summary = SummariseModel(model);
  if (has("--json")) {
    PrintJson(summary, descriptors ? &*descriptors : nullptr, std::cout);
  } else {
    PrintText(summary, std::cout);
    if (descriptors) {
      std::cout << "\n";
      PrintDescriptors(*descriptors, kModelUnits, std::cout);
    }
  }
  std::cout.flush();
  if (!std::cout) return Fail("cannot write the output");
  return summary.closed && table.facesCut == 0 ? 0 : 1;
}

}  // namespace habitopia::cli
