// habitopia-cli wulff: a crystal whose central distances follow a table of
// surface energies (the Wulff shape), growth rates (the kinetic Wulff shape) or
// attachment energies, one value per form, completed by the point group.

#include <iostream>
#include <optional>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/descriptor_report.h"
#include "cli/json_writer.h"
#include "cli/option_values.h"
#include "cli/wulff_model.h"
#include "core/numbers.h"
#include "files/file_io.h"
#include "files/model_writer.h"
#include "prediction/wulff_table.h"
#include "symmetry/point_groups.h"
#include "tools/shape_descriptors.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage =
    "usage: wulff (--cell A B C ALPHA BETA GAMMA (--group G | --group-number N | --space-group S) "
    "| --cif FILE [--block NAME]) "
    "--table FILE [--kind energy|growth|attachment] [--units U] -o OUT.mor [--descriptors] "
    "[--json]";

struct Options {
  WulffSymmetry symmetry;
  std::string table, kind = "energy", units, output;
  bool descriptors = false, json = false;
};

std::optional<std::string> ParseOptions(Arguments args, Options& o) {
  std::vector<std::vector<std::string>> cells;
  if (auto problem = TakeOption(args, "--cell", 6, cells)) return problem;
  if (cells.size() > 1) return std::string("--cell is given twice");
  if (cells.size() == 1) {
    long double v[6];
    for (int i = 0; i < 6; ++i)
      if (!ParseReal(cells[0][i], v[i])) return "--cell: \"" + cells[0][i] + "\" is not a number";
    o.symmetry.cell = UnitCell{v[0], v[1], v[2], v[3], v[4], v[5]};
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* target = nullptr;
    if (a == "-o" || a == "--output")
      target = &o.output;
    else if (a == "--group")
      target = &o.symmetry.group;
    else if (a == "--group-number")
      target = &o.symmetry.groupNumber;
    else if (a == "--space-group")
      target = &o.symmetry.spaceGroup;
    else if (a == "--cif")
      target = &o.symmetry.cif;
    else if (a == "--block")
      target = &o.symmetry.block;
    else if (a == "--table")
      target = &o.table;
    else if (a == "--kind")
      target = &o.kind;
    else if (a == "--units")
      target = &o.units;
    else if (a == "--descriptors")
      o.descriptors = true;
    else if (a == "--json")
      o.json = true;
    else
      return "unknown argument \"" + a + "\"";
    if (target) {
      if (i + 1 >= args.size()) return a + " needs a value";
      *target = args[++i];
    }
  }
  return std::nullopt;
}

}  // namespace

int RunWulff(const Arguments& args) {
  Options o;
  if (auto problem = ParseOptions(args, o)) return Fail(*problem + " (" + kUsage + ")");
  if (o.output.empty() || o.table.empty()) return Fail(kUsage);
  const std::optional<WulffKind> kind = ParseWulffKind(o.kind);
  if (!kind) return Fail("--kind: \"" + o.kind + "\" is not one of energy, growth, attachment");

  UnitCell cell;
  int group = 0;
  if (auto problem = ResolveWulffSymmetry(o.symmetry, cell, group)) return Fail(*problem);

  std::string text, error;
  if (!ReadWholeFile(o.table, text, error)) return Fail(o.table + ": " + error);
  WulffModel wulff;
  if (auto problem = BuildWulffModel(cell, group, text, *kind, wulff))
    return Fail(o.table + ": " + *problem);
  const CrystalModel& model = wulff.model;
  const std::string unit = o.units.empty() ? wulff.table.unit : o.units;
  const ShapeDescriptors& descriptors = wulff.descriptors;

  ModelDocument document;
  FormValues form;
  form.panels.uniqueFaceGridShown = true;
  document = MakeDocument(model, form);
  const ModelWriteResult written = WriteModelFile(o.output, document);
  if (!written.ok) return Fail(written.error);

  if (o.json) {
    JsonWriter json;
    WriteDescriptorsJson(descriptors, WulffLengthUnit(*kind, unit), json);
    std::cout << json.Text() << "\n";
  } else {
    std::cout << "Point group " << FormatInteger(group) << " (" << GetPointGroup(group).symbol
              << "), " << FormatInteger(static_cast<long long>(wulff.table.rows.size()))
              << " forms, faces: " << FormatInteger(model.FaceCount()) << "\n";
    if (o.descriptors) PrintDescriptors(descriptors, WulffLengthUnit(*kind, unit), std::cout);
  }
  std::cout.flush();
  if (!std::cout) return Fail("cannot write the output");
  return wulff.limited ? 1 : 0;
}

}  // namespace habitopia::cli
