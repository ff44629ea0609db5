// The shipped example examples/Quartz.mor is exactly what the writer makes of the
// quartz model below. HABITOPIA_WRITE_EXAMPLES=1 rewrites the file.

#include <gtest/gtest.h>

#include <cstdlib>

#include "files/model_reader.h"
#include "files/model_samples.h"
#include "files/model_writer.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

const std::string kQuartzPath = std::string(HABITOPIA_SOURCE_DIR) + "/examples/Quartz.mor";

// Hexagonal prism {1 0 0} with the rhombohedra r {1 0 1} and z {0 1 1}, point group 32.
CrystalModel QuartzModel() {
  CrystalModel model;
  model.pointGroup = model.acceptedGroup = model.builtForGroup = 10;
  SetCell(model, UnitCell{4.913L, 4.913L, 5.405L, 90, 90, 120});
  struct Face {
    Real h, k, l, d;
  };
  const Face faces[] = {
      // unique faces: prism m, rhombohedra r and z
      {1, 0, 0, 1},
      {1, 0, 1, 1.55L},
      {0, 1, 1, 1.7L},
      // images under the operations of 32: (k,-h-k,l) (-h-k,h,l) (h,-h-k,-l) (-h-k,k,-l) (k,h,-l)
      {0, -1, 0, 1},
      {-1, 1, 0, 1},
      {1, -1, 0, 1},
      {-1, 0, 0, 1},
      {0, 1, 0, 1},
      {0, -1, 1, 1.55L},
      {-1, 1, 1, 1.55L},
      {1, -1, -1, 1.55L},
      {-1, 0, -1, 1.55L},
      {0, 1, -1, 1.55L},
      {1, -1, 1, 1.7L},
      {-1, 0, 1, 1.7L},
      {0, -1, -1, 1.7L},
      {-1, 1, -1, 1.7L},
      {1, 0, -1, 1.7L},
  };
  int f = 0;
  for (const Face& face : faces) {
    FaceRecord& record = model.faces[f++];
    record.h = face.h;
    record.k = face.k;
    record.l = face.l;
    record.distance = face.d;
  }
  model.lastFace = f - 1;
  model.lastUniqueFace = 2;
  return model;
}

FormValues QuartzForm() {
  FormValues form = test::PlainForm();
  form.panels.uniqueFaceGridShown = true;
  return form;
}

TEST(QuartzExample, FileIsTheWritersOutput) {
  const ModelDocument doc = MakeDocument(QuartzModel(), QuartzForm());
  const char* rewrite = std::getenv("HABITOPIA_WRITE_EXAMPLES");
  if (rewrite && std::string(rewrite) == "1") {
    const ModelWriteResult written = WriteModelFile(kQuartzPath, doc);
    ASSERT_TRUE(written.ok) << written.error;
  }
  EXPECT_EQ(test::ReadText(kQuartzPath), FormatModelText(doc));

  const ModelReadResult read = ReadModelFile(kQuartzPath);
  ASSERT_TRUE(read.ok) << read.error;
  EXPECT_EQ(read.document.pointGroup, 10);
  EXPECT_EQ(read.document.faces.size(), 18u);
  EXPECT_EQ(read.document.LastUniqueFace(), 2);
}

}  // namespace
}  // namespace habitopia
