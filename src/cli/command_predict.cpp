// habitopia-cli predict: predicts a morphology from a cell, a point group and the
// translation symmetry (a space group, or lattice centring, glides and screws)
// and writes the model: the predicted unique faces and the full list completed
// by the point group. The cell and the symmetry come from options or from a CIF
// file.

#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "cli/face_lists.h"
#include "cli/predicted_model.h"
#include "core/cell_check.h"
#include "core/face_table.h"
#include "core/numbers.h"
#include "core/polyhedron.h"
#include "files/cif.h"
#include "files/model_document.h"
#include "files/model_writer.h"
#include "prediction/morphology.h"
#include "prediction/space_group_symmetry.h"
#include "prediction/space_groups.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage = "usage: see habitopia-cli predict --help";

struct Options {
  std::optional<UnitCell> cell;
  std::string group;
  std::string groupNumber;
  std::string spaceGroup;
  std::string cif;
  std::string block;
  std::string output;
  std::string centring, glide1, glide2, glide3, screwC;
  bool screwA = false, screwB = false;
  std::optional<long long> hklMax, polarity, seed;
  bool higherOrders = true;
  bool cleanup = true;
  bool fileAxes = false;  // faces listed on the CIF's own axes
};

std::optional<std::string> ReadNumber(const std::string& text, const std::string& option,
                                      long double& value) {
  if (!ParseReal(text, value)) return option + ": \"" + text + "\" is not a number";
  return std::nullopt;
}

std::optional<std::string> ReadInteger(const std::string& text, const std::string& option,
                                       std::optional<long long>& value) {
  long long v = 0;
  if (!ParseInteger(text, v)) return option + ": \"" + text + "\" is not an integer";
  value = v;
  return std::nullopt;
}

std::optional<std::string> ParseOptions(const Arguments& args, Options& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& target) -> std::optional<std::string> {
      if (i + 1 >= args.size()) return a + " needs a value";
      target = args[++i];
      return std::nullopt;
    };
    std::optional<std::string> problem;
    std::string text;
    if (a == "-o" || a == "--output") {
      problem = value(o.output);
    } else if (a == "--cell") {
      if (i + 6 >= args.size()) return "--cell needs six values: a b c alpha beta gamma";
      long double v[6];
      for (int j = 0; j < 6 && !problem; ++j) problem = ReadNumber(args[i + 1 + j], a, v[j]);
      if (problem) return problem;
      o.cell = UnitCell{v[0], v[1], v[2], v[3], v[4], v[5]};
      i += 6;
    } else if (a == "--group") {
      problem = value(o.group);
    } else if (a == "--group-number") {
      problem = value(o.groupNumber);
    } else if (a == "--space-group") {
      problem = value(o.spaceGroup);
    } else if (a == "--cif") {
      problem = value(o.cif);
    } else if (a == "--block") {
      problem = value(o.block);
    } else if (a == "--centring") {
      problem = value(o.centring);
    } else if (a == "--glide1") {
      problem = value(o.glide1);
    } else if (a == "--glide2") {
      problem = value(o.glide2);
    } else if (a == "--glide3") {
      problem = value(o.glide3);
    } else if (a == "--screw-c") {
      problem = value(o.screwC);
    } else if (a == "--screw-a") {
      o.screwA = true;
    } else if (a == "--screw-b") {
      o.screwB = true;
    } else if (a == "--hkl-max") {
      if (!(problem = value(text))) problem = ReadInteger(text, a, o.hklMax);
    } else if (a == "--polarity") {
      if (!(problem = value(text))) problem = ReadInteger(text, a, o.polarity);
    } else if (a == "--seed") {
      if (!(problem = value(text))) problem = ReadInteger(text, a, o.seed);
    } else if (a == "--no-higher-orders") {
      o.higherOrders = false;
    } else if (a == "--no-cleanup") {
      o.cleanup = false;
    } else if (a == "--file-axes") {
      o.fileAxes = true;
    } else {
      return "unknown argument \"" + a + "\"";
    }
    if (problem) return problem;
  }
  return std::nullopt;
}

// A symbol of the table ("4/m3", "-1", "32") or a standard full or short
// symbol ("m-3m", "222", "-6m2", "532").
int GroupFromSymbol(const std::string& text) {
  if (const int g = FindPointGroup(text)) return g;
  if (text == "532") return kIcosahedralGroup;
  return PointGroupOfClassSymbol(text);
}

// The point group of --group or --group-number; 0 when neither is given.
std::optional<std::string> ReadGroup(const Options& o, int& group) {
  group = 0;
  if (!o.group.empty() && !o.groupNumber.empty())
    return std::string("give --group or --group-number, not both");
  if (!o.group.empty()) {
    group = GroupFromSymbol(o.group);
    if (group == 0)
      return "--group: \"" + o.group +
             "\" is not a point-group symbol (numbers go with --group-number)";
  } else if (!o.groupNumber.empty()) {
    long long n = 0;
    if (!ParseInteger(o.groupNumber, n) || n < 1 || n > kPointGroupCount)
      return "--group-number: \"" + o.groupNumber + "\" is not a number from 1 to 33";
    group = static_cast<int>(n);
  }
  return std::nullopt;
}

bool HasManualChoices(const Options& o) {
  return !o.centring.empty() || !o.glide1.empty() || !o.glide2.empty() || !o.glide3.empty() ||
         !o.screwC.empty() || o.screwA || o.screwB;
}

std::string CellText(const UnitCell& c) {
  return FormatGeneral(c.a) + " " + FormatGeneral(c.b) + " " + FormatGeneral(c.c) + " " +
         FormatGeneral(c.alpha) + " " + FormatGeneral(c.beta) + " " + FormatGeneral(c.gamma);
}

std::string CentringName(Centring c) { return std::string(1, "PABCFIR"[static_cast<int>(c)]); }

std::string GlideName(Glide g) {
  return g == Glide::None ? "" : std::string(1, " abcnd"[static_cast<int>(g)]);
}

std::string Describe(const TranslationSymmetry& s, const TranslationChoices& c) {
  std::string text = CentringName(s.centring);
  if (s.glide1 != Glide::None)
    text += ", " + GlideName(s.glide1) + " glide " + std::string(c.label1);
  if (s.glide2 != Glide::None)
    text += ", " + GlideName(s.glide2) + " glide " + std::string(c.label2);
  if (s.glide3 != Glide::None)
    text += ", " + GlideName(s.glide3) + " glide " + std::string(c.label3);
  if (s.screwA) text += ", 2_1 along a";
  if (s.screwB) text += ", 2_1 along b";
  if (s.screwC) text += ", " + std::to_string(s.screwC) + "_1 along c";
  return text;
}

// The explicit choices, each checked against what the group's box offers.
std::optional<std::string> ApplyChoices(const Options& o, int group, TranslationSymmetry& s) {
  const TranslationChoices& c = GetTranslationChoices(group);
  const std::string groupText = "point group " + std::string(GetPointGroup(group).symbol);
  if (!o.centring.empty()) {
    const auto pos = std::string_view("PABCFIR").find(o.centring);
    if (o.centring.size() != 1 || pos == std::string_view::npos)
      return "--centring: \"" + o.centring + "\" is not one of P, A, B, C, F, I, R";
    const auto centring = static_cast<Centring>(pos);
    if (centring != Centring::P && !c.Offers(centring))
      return "centring " + o.centring + " is not offered for " + groupText;
    s.centring = centring;
  }
  struct GlideOption {
    const char* name;
    const std::string& value;
    const GlidePanel& panel;
    Glide& slot;
  };
  const GlideOption glides[] = {{"--glide1", o.glide1, c.glide1, s.glide1},
                                {"--glide2", o.glide2, c.glide2, s.glide2},
                                {"--glide3", o.glide3, c.glide3, s.glide3}};
  for (const GlideOption& g : glides) {
    if (g.value.empty()) continue;
    const auto pos = std::string_view("abcnd").find(g.value);
    if (g.value.size() != 1 || pos == std::string_view::npos)
      return std::string(g.name) + ": \"" + g.value + "\" is not a glide (a, b, c, n, d)";
    const auto glide = static_cast<Glide>(pos + 1);
    if (!g.panel.Offers(glide))
      return std::string(g.name) + " " + g.value + " is not offered for " + groupText;
    g.slot = glide;
  }
  if (o.screwA) {
    if (!c.screwA) return "--screw-a is not offered for " + groupText;
    s.screwA = true;
  }
  if (o.screwB) {
    if (!c.screwB) return "--screw-b is not offered for " + groupText;
    s.screwB = true;
  }
  if (!o.screwC.empty()) {
    long long n = 0;
    if (!ParseInteger(o.screwC, n) || (n != 2 && n != 3 && n != 4 && n != 6))
      return "--screw-c: \"" + o.screwC + "\" is not one of 2, 3, 4, 6";
    if (!c.OffersScrewC(static_cast<int>(n)))
      return "--screw-c " + o.screwC + " is not offered for " + groupText;
    s.screwC = static_cast<int>(n);
  }
  return std::nullopt;
}

// "h k l" on the prediction's axes written on the setting's own axes.
std::string FileAxesIndices(const SpaceGroupSymmetry& group, const std::string& indices) {
  std::istringstream in(indices);
  Vec3 hkl{};
  for (Real& v : hkl) {
    std::string token;
    in >> token;
    long double value = 0;
    if (!ParseReal(token, value)) return indices;
    v = value;
  }
  const IntVec3 h = group.IndicesOnSettingAxes(hkl);
  return FormatInteger(h[0]) + " " + FormatInteger(h[1]) + " " + FormatInteger(h[2]);
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

}  // namespace

int RunPredict(const Arguments& args) {
  Options o;
  if (auto problem = ParseOptions(args, o)) return Fail(*problem + " (" + kUsage + ")");
  if (o.output.empty()) return Fail(std::string("-o OUT.mor is missing (") + kUsage + ")");

  UnitCell cell;
  int group = 0;
  if (auto problem = ReadGroup(o, group)) return Fail(*problem);
  const bool groupGiven = group != 0;
  TranslationSymmetry symmetry;
  std::string derivedNote;
  std::optional<SpaceGroupSymmetry> spaceGroup;
  bool fromCif = false;            // the space group is the one the CIF states
  std::vector<std::string> notes;  // CIF symmetry statements not used or contradicting
  if (o.fileAxes && o.cif.empty())
    return Fail(std::string("--file-axes goes with --cif (") + kUsage + ")");
  if (!o.spaceGroup.empty()) {
    std::string problem;
    spaceGroup = FindSpaceGroup(o.spaceGroup, &problem);
    if (!spaceGroup) return Fail("--space-group: " + problem);
    if (HasManualChoices(o))
      return Fail("--space-group decides the absences; leave out --centring, --glide and --screw");
  }
  if (!o.cif.empty()) {
    if (auto problem = CheckInputFile(o.cif, ".cif", kNotACifFile)) return Fail(*problem);
    const CifReadResult read = ReadCifFile(o.cif, false, o.block);
    if (!read.ok) return Fail(read.error);
    const CifImport& cif = read.import;
    if (cif.blockMissing) return Fail(o.cif + ": no data block \"" + o.block + "\"");
    std::vector<std::string> missing;
    if (!o.cell && !cif.CellComplete())
      for (int i = 0; i < kCifCellValues; ++i)
        if (!cif.cell[i]) missing.emplace_back(kCifCellItems[i]);
    if (!spaceGroup && !groupGiven && !HasManualChoices(o)) {
      spaceGroup = cif.spaceGroup;
      fromCif = spaceGroup.has_value();
      notes = cif.symmetryNotes;
    }
    if (!groupGiven && !spaceGroup && cif.pointGroup == 0) missing.emplace_back("point group");
    if (!missing.empty()) return Fail(o.cif + ": missing " + Joined(missing));
    cell = cif.CellValues();
    if (!groupGiven) group = cif.pointGroup;
    if (!groupGiven && !spaceGroup && group <= 32 && !cif.spaceGroupSymbol.empty()) {
      const std::string& symbol = cif.spaceGroupSymbol;
      const DerivedTranslationSymmetry derived = DeriveTranslationSymmetry(symbol, group);
      symmetry = derived.symmetry;
      derivedNote = "From " + symbol + ": " +
                    (derived.derived.empty() ? std::string("nothing") : Joined(derived.derived));
      if (!derived.ignored.empty()) derivedNote += "; not used: " + Joined(derived.ignored);
    }
  } else if (!o.block.empty()) {
    return Fail(std::string("--block goes with --cif (") + kUsage + ")");
  } else if (!o.cell || (!groupGiven && !spaceGroup)) {
    return Fail(std::string("give --cell and --group or --space-group, or --cif (") + kUsage + ")");
  }
  if (o.cell) cell = *o.cell;
  if (spaceGroup) {
    if (groupGiven && group != spaceGroup->pointGroup)
      return Fail("the point group " + std::string(GetPointGroup(group).symbol) +
                  " is not the one of " + spaceGroup->symbol + " (" +
                  std::string(GetPointGroup(spaceGroup->pointGroup).symbol) + ")");
    group = spaceGroup->pointGroup;
    if (auto problem = CheckCell(cell)) return Fail(*problem);
    cell = spaceGroup->CellOnAxes(cell);
  }
  if (group == kIcosahedralGroup) return Fail(std::string(kPredictionRefused));
  if (!spaceGroup)
    if (auto problem = ApplyChoices(o, group, symmetry)) return Fail(*problem);

  PredictionRequest request;
  request.cell = cell;
  request.group = group;
  request.symmetry = symmetry;
  request.spaceGroup = spaceGroup;
  request.hklMax = o.hklMax;
  request.polarity = o.polarity;
  request.seed = o.seed;
  request.higherOrders = o.higherOrders;
  request.cleanup = o.cleanup;
  PredictedModel predicted;
  if (auto problem = PredictModel(request, predicted)) return Fail(*problem);
  const UnitCell& given = predicted.given;
  const CrystalModel& model = predicted.model;
  const FaceRows& unique = predicted.unique;
  const bool limited = predicted.limited;

  FormValues form;
  form.panels.uniqueFaceGridShown = true;
  const ModelWriteResult written = WriteModelFile(o.output, MakeDocument(model, form));
  if (!written.ok) return Fail(written.error);

  const Polyhedron shape = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneCorners corners = NumberSceneCorners(shape);
  const FaceIndexLists lists = BuildFaceIndexLists(shape, corners, false);
  const bool closed = IsHullClosed(shape, lists, model.cleavageFace);

  std::cout << "Point group " << FormatInteger(group) << " (" << GetPointGroup(group).symbol
            << "), cell " << CellText(given) << "\n";
  if (!derivedNote.empty()) std::cout << derivedNote << "\n";
  if (spaceGroup) {
    std::cout << "Space group " << spaceGroup->symbol;
    if (spaceGroup->number) std::cout << " (No. " << spaceGroup->number << ")";
    if (!spaceGroup->hall.empty()) std::cout << ", Hall " << spaceGroup->hall;
    std::cout << ": absences from its " << spaceGroup->OperationCount() << " operations\n";
    if (fromCif) std::cout << "Setting read: " << spaceGroup->SettingText() << "\n";
    for (const std::string& note : notes) std::cout << "Note: " << note << "\n";
    if (spaceGroup->AxesChanged())
      std::cout << "Axes of the point group: " << spaceGroup->AxesText() << "\n";
    const ImpliedBoxOptions box = BoxOptionsOf(*spaceGroup);
    std::cout << "Box options it implies: " << Describe(box.symmetry, GetTranslationChoices(group));
    if (!box.ignored.empty()) std::cout << "; not expressible: " << Joined(box.ignored);
    std::cout << "\nUnique faces: ";
  } else {
    std::cout << "Translation symmetry: " << Describe(symmetry, GetTranslationChoices(group))
              << "\nUnique faces: ";
  }
  std::cout << FormatInteger(static_cast<long long>(unique.size()));
  const bool onFileAxes = o.fileAxes && spaceGroup && spaceGroup->AxesChanged();
  if (o.fileAxes) std::cout << " (indices on the file's axes)";
  std::cout << "\n";
  for (const FaceRow& row : unique)
    std::cout << "  " << (onFileAxes ? FileAxesIndices(*spaceGroup, row.indices) : row.indices)
              << "  " << row.distance << "\n";
  std::cout << "Faces: " << FormatInteger(model.FaceCount())
            << ", present: " << FormatInteger(shape.PresentFaceCount())
            << ", corners: " << FormatInteger(corners.Count())
            << ", hull closed: " << (closed ? "yes" : "no") << "\n";
  return limited || !closed ? 1 : 0;
}

}  // namespace habitopia::cli
