#include "app_test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>

#include "files/model_writer.h"

namespace habitopia::test {

ModelDocument CubeDocument() {
  ModelDocument document;
  document.pointGroup = 1;
  document.cell = UnitCell{};
  const Real signs[] = {1, -1};
  for (int axis = 0; axis < 3; ++axis)
    for (Real sign : signs) {
      FaceRecord face;
      face.h = axis == 0 ? sign : 0;
      face.k = axis == 1 ? sign : 0;
      face.l = axis == 2 ? sign : 0;
      face.distance = 1;
      document.faces.push_back(face);
      document.uniqueFaces.push_back({face.h, face.k, face.l, face.distance});
    }
  return document;
}

std::string WriteModel(const std::filesystem::path& path, const ModelDocument& document) {
  const ModelWriteResult written = WriteModelFile(path.string(), document);
  EXPECT_TRUE(written.ok) << written.error;
  return path.string();
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("habitopia_app_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() { std::filesystem::remove_all(path_); }

}  // namespace habitopia::test
