#include "app/state/viewer_description.h"

#include <filesystem>

namespace habitopia {
namespace {

std::string Counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string CrystalDescription(const CalculationFigures& figures) {
  std::string text = "The crystal";
  if (!figures.pointGroupCaption.empty()) text += ", point group " + figures.pointGroupCaption;
  return text + ": " + Counted(figures.presentFaces, "face", "faces") + ", " +
         Counted(figures.sceneCorners, "corner", "corners");
}

std::string SceneOnlyDescription(const std::string& scenePath) {
  return "A scene without a crystal model: " + std::filesystem::path(scenePath).filename().string();
}

}  // namespace habitopia
