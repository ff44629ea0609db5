#pragma once
// Model files the controller tests open.

#include <filesystem>
#include <string>
#include <vector>

#include "files/model_document.h"

namespace habitopia::test {

// A cube: cubic cell, the six faces {100} at distance 1, point group 1.
ModelDocument CubeDocument();

// Writes the document as a model file; fails the test when it cannot.
std::string WriteModel(const std::filesystem::path& path, const ModelDocument& document);

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace habitopia::test
