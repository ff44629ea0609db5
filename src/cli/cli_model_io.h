#pragma once
// Argument and file handling shared by the commands that read a model or CIF
// file and write a result file.

#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/face_table.h"
#include "core/model.h"
#include "files/model_document.h"

namespace habitopia::cli {

// Prints "habitopia-cli: MESSAGE" on stderr and returns 2.
int Fail(const std::string& message);

// Splits the arguments into positional ones and the value of "-o FILE"
// (also "--output FILE"). Flags named in `flags` are collected in `setFlags`.
// Returns an error message for an unknown option or a missing value.
std::optional<std::string> SplitArguments(const Arguments& args,
                                          const std::vector<std::string>& flags,
                                          std::vector<std::string>& positional, std::string& output,
                                          std::vector<std::string>& setFlags);

// Takes "--block NAME" (the CIF data block to read) out of the arguments.
std::optional<std::string> TakeBlockOption(const Arguments& args, Arguments& rest,
                                           std::string& block);

// "INPUT -o OUTPUT [flags]": exactly one input file and an output file.
struct InputOutput {
  std::string input;
  std::string output;
  std::vector<std::string> flags;  // those of the allowed flags that were given
  bool Has(const std::string& flag) const;
};
std::optional<std::string> ParseInputOutput(const Arguments& args,
                                            const std::vector<std::string>& allowedFlags,
                                            const std::string& usage, InputOutput& out);

// Checks that `path` names an existing file ("File not Found: PATH" otherwise)
// with the extension `extension`, compared without regard to case
// (`wrongExtension` followed by the file's extension otherwise).
std::optional<std::string> CheckInputFile(const std::string& path, const std::string& extension,
                                          const std::string& wrongExtension);
inline constexpr const char* kNotAModelFile = "This is not a valid Habitopia - file (*.mor): ";
inline constexpr const char* kNotACifFile = "This is not a CIF file (*.cif): ";

// Reads a model file into `document` and `model`; the message on failure.
std::optional<std::string> LoadModel(const std::string& path, ModelDocument& document,
                                     CrystalModel& model);

// Replaces `model` by the document's definition as reading the file does.
void ApplyModelDocument(const ModelDocument& document, CrystalModel& model);

// The face table made ready as a calculation makes it (face limit, clean-up),
// saying on stderr which faces the clean-up drops and why.
TablePreparation PrepareFaceTableReporting(CrystalModel& model);

// The file name without folder and extension.
std::string FileStem(const std::string& path);

}  // namespace habitopia::cli
