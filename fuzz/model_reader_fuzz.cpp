// The model reader on arbitrary bytes. A model it accepts must build (small face
// tables only, to keep each input quick) and must read back from what the writer
// makes of it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/face_table.h"
#include "core/model.h"
#include "core/polyhedron.h"
#include "files/model_document.h"
#include "files/model_reader.h"
#include "files/model_writer.h"

namespace {

constexpr int kMaxBuiltFaces = 24;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace habitopia;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ModelReadResult read = ParseModelText(text, "fuzz.mor");
  if (!read.ok) return 0;

  const ModelReadResult again = ParseModelText(FormatModelText(read.document), "fuzz.mor");
  if (!again.ok) std::abort();

  CrystalModel model;
  ApplyDocument(read.document, model);
  PrepareFaceTable(model);
  if (model.FaceCount() == 0 || model.FaceCount() > kMaxBuiltFaces) return 0;
  const Polyhedron polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  const SceneCorners corners = NumberSceneCorners(polyhedron);
  const FaceIndexLists lists = BuildFaceIndexLists(polyhedron, corners, true, model.cleavageFace);
  IsHullClosed(polyhedron, lists, model.cleavageFace);
  return 0;
}
