#include "cli/cli_model_io.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

#include "core/numbers.h"
#include "files/file_io.h"
#include "files/model_reader.h"
#include "symmetry/point_groups.h"

namespace habitopia::cli {

int Fail(const std::string& message) {
  std::cerr << "habitopia-cli: " << message << "\n";
  return 2;
}

std::optional<std::string> SplitArguments(const Arguments& args,
                                          const std::vector<std::string>& flags,
                                          std::vector<std::string>& positional, std::string& output,
                                          std::vector<std::string>& setFlags) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-o" || arg == "--output") {
      if (i + 1 >= args.size()) return arg + " needs a file name";
      output = args[++i];
    } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
      setFlags.push_back(arg);
    } else if (arg.size() > 1 && arg[0] == '-' &&
               !std::isdigit(static_cast<unsigned char>(arg[1]))) {
      return "unknown option \"" + arg + "\"";
    } else {
      positional.push_back(arg);
    }
  }
  return std::nullopt;
}

std::optional<std::string> TakeBlockOption(const Arguments& args, Arguments& rest,
                                           std::string& block) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--block") {
      rest.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) return "--block needs a data block name";
    block = args[++i];
  }
  return std::nullopt;
}

bool InputOutput::Has(const std::string& flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::optional<std::string> ParseInputOutput(const Arguments& args,
                                            const std::vector<std::string>& allowedFlags,
                                            const std::string& usage, InputOutput& out) {
  std::vector<std::string> positional;
  if (auto problem = SplitArguments(args, allowedFlags, positional, out.output, out.flags))
    return *problem + " (" + usage + ")";
  if (positional.size() != 1 || out.output.empty()) return usage;
  out.input = positional[0];
  return std::nullopt;
}

std::optional<std::string> CheckInputFile(const std::string& path, const std::string& extension,
                                          const std::string& wrongExtension) {
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored) || std::filesystem::is_directory(path, ignored))
    return "File not Found: " + path;
  if (LowerExtension(path) != extension)
    return wrongExtension + std::filesystem::path(path).extension().string();
  return std::nullopt;
}

std::optional<std::string> LoadModel(const std::string& path, ModelDocument& document,
                                     CrystalModel& model) {
  if (auto problem = CheckInputFile(path, ".mor", kNotAModelFile)) return problem;
  ModelReadResult read = ReadModelFile(path);
  if (!read.ok) return path + ": " + read.error;
  document = std::move(read.document);
  ApplyModelDocument(document, model);
  return std::nullopt;
}

void ApplyModelDocument(const ModelDocument& document, CrystalModel& model) {
  ApplyDocument(document, model);
  if (model.pointGroup >= 1 && model.pointGroup <= kPointGroupCount)
    model.operationCount = GetPointGroup(model.pointGroup).order;
}

TablePreparation PrepareFaceTableReporting(CrystalModel& model) {
  TablePreparation result;
  result.tooManyFaces = FaceCountWarning(model);
  result.facesCut = LimitFaceCount(model);
  for (int f : FacesToDrop(model)) {
    const FaceRecord& face = model.faces[f];
    const std::string indices =
        FormatGeneral(face.h) + " " + FormatGeneral(face.k) + " " + FormatGeneral(face.l);
    std::cerr << "habitopia-cli: face " << f << " (" << indices << ", distance "
              << FormatGeneral(face.distance) << ") dropped: "
              << (face.distance > 0 ? "its indices are 0 0 0" : "its distance is not above 0")
              << "\n";
  }
  result.facesDropped = CleanFaceTable(model);
  return result;
}

std::string FileStem(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

}  // namespace habitopia::cli
