// habitopia-cli predict and expand: runs the program and checks the models it
// writes by building them with the engine.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_test.h"
#include "core/model.h"
#include "core/polyhedron.h"
#include "files/model_document.h"
#include "files/model_reader.h"
#include "files/model_writer.h"
#include "support/exact_volume.h"
#include "symmetry/face_rows.h"

namespace habitopia {
namespace {

using test::CliRun;

// What a written model builds to.
struct Shape {
  std::vector<std::string> faces;     // index texts of the face table
  std::vector<std::string> unique;    // index texts of the unique faces
  std::vector<std::string> withArea;  // faces with an area above 1e-3
  int corners = 0;                    // scene corners
  Real volume = 0;
};

class PredictExpandTest : public test::CliTest {
 protected:
  PredictExpandTest() : CliTest("habitopia-cli-predict") {}

  Shape Build(const std::string& path) const {
    Shape shape;
    const ModelReadResult read = ReadModelFile(path);
    EXPECT_TRUE(read.ok) << read.error;
    if (!read.ok) return shape;
    CrystalModel model;
    ApplyDocument(read.document, model);
    for (const UniqueFaceLine& u : read.document.uniqueFaces)
      shape.unique.push_back(IndexText({u.h, u.k, u.l}));
    for (const FaceRecord& f : model.FaceTable()) shape.faces.push_back(IndexText(f.Indices()));
    const Polyhedron p = BuildPolyhedron(MakePolyhedronInput(model));
    const SceneCorners corners = NumberSceneCorners(p);
    const FaceIndexLists lists = BuildFaceIndexLists(p, corners, false);
    for (int i = 0; i < p.PresentFaceCount(); ++i)
      if (lists.faceArea[i] > 1e-3L)
        shape.withArea.push_back(
            IndexText({p.presentFaces[i].h, p.presentFaces[i].k, p.presentFaces[i].l}));
    shape.corners = corners.Count();
    shape.volume = lists.volumeTotal;
    return shape;
  }
};

int IndexSum(const std::string& text) {
  Vec3 hkl{};
  ParseIndexText(text, hkl, BadIndexToken::Stop);
  return static_cast<int>(std::fabs(hkl[0]) + std::fabs(hkl[1]) + std::fabs(hkl[2]));
}

TEST_F(PredictExpandTest, PrimitiveCubicGivesACube) {
  const CliRun run = Run("predict", {"--cell", "1", "1", "1", "90", "90", "90", "--group", "4/m3",
                                     "--hkl-max", "1", "-o", Path("cube.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Point group 32 (4/m3)"), std::string::npos) << run.out;
  const Shape shape = Build(Path("cube.mor"));
  // The {110} planes at 1.414, inside the edges at the square root of 2, bevel
  // them by a narrow strip (the {111} at 1.732 then lie beyond the corners):
  // each cube corner becomes four corners, and only the cube's faces have an
  // area above 1e-3.
  EXPECT_EQ(shape.corners, 32);
  ASSERT_EQ(shape.withArea.size(), 6u);
  for (const std::string& face : shape.withArea) EXPECT_EQ(IndexSum(face), 1) << face;
  EXPECT_NEAR(static_cast<double>(shape.volume), 8.0, 0.01);
  // The unique faces come first in the face table.
  ASSERT_FALSE(shape.unique.empty());
  for (std::size_t i = 0; i < shape.unique.size(); ++i) EXPECT_EQ(shape.faces[i], shape.unique[i]);
}

TEST_F(PredictExpandTest, FaceCentredCubicGivesAnOctahedron) {
  const CliRun run =
      Run("predict", {"--cell", "1", "1", "1", "90", "90", "90", "--group", "4/m3", "--hkl-max",
                      "1", "--centring", "F", "--no-higher-orders", "-o", Path("octahedron.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  const Shape shape = Build(Path("octahedron.mor"));
  EXPECT_EQ(shape.unique, (std::vector<std::string>{"-1 -1 -1"}));
  EXPECT_EQ(shape.faces.size(), 8u);
  EXPECT_EQ(shape.withArea.size(), 8u);
  EXPECT_EQ(shape.corners, 6);
  // Faces at 1.732 from the centre: corners at 3 on the axes, volume 4/3 * 27.
  EXPECT_NEAR(static_cast<double>(shape.volume), 36.0, 0.01);
}

TEST_F(PredictExpandTest, ThinPlateKeepsItsSides) {
  // b twenty times a and c: a plate {010} with the {100} and {001} sides; the
  // {110} and {011} planes pass through its edges.
  const CliRun run = Run("predict", {"--cell", "1", "20", "1", "90", "90", "90", "--group-number",
                                     "8", "-o", Path("plate.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  const ModelReadResult read = ReadModelFile(Path("plate.mor"));
  ASSERT_TRUE(read.ok) << read.error;
  CrystalModel model;
  ApplyDocument(read.document, model);
  const Polyhedron p = BuildPolyhedron(MakePolyhedronInput(model));
  const FaceIndexLists lists = BuildFaceIndexLists(p, NumberSceneCorners(p), false);
  const std::vector<FaceRecord> faces(model.FaceTable().begin(), model.FaceTable().end());
  const Real exact = test::ExactHalfSpaceVolume(faces, model.cell);
  ASSERT_GT(exact, 0);
  EXPECT_NEAR(static_cast<double>(lists.volumeTotal / exact), 1.0, 0.01);
  // The faces of one form have one area.
  std::map<std::array<int, 3>, std::vector<Real>> forms;
  for (int i = 0; i < p.PresentFaceCount(); ++i) {
    const auto& face = p.presentFaces[i];
    forms[{static_cast<int>(std::fabs(face.h)), static_cast<int>(std::fabs(face.k)),
           static_cast<int>(std::fabs(face.l))}]
        .push_back(lists.faceArea[i]);
  }
  ASSERT_TRUE(forms.count({0, 1, 0}));
  // The broad faces of a form agree closely; the {110} and {011} strips, a few
  // ten-thousandths wide, differ by the index offsets of their planes.
  for (const auto& [form, areas] : forms) {
    const auto [least, most] = std::minmax_element(areas.begin(), areas.end());
    const double spread = *most > 1 ? 0.002 : 0.25;
    EXPECT_LE(static_cast<double>(*most - *least), spread * static_cast<double>(*most) + 1e-6)
        << form[0] << form[1] << form[2];
  }
}

TEST_F(PredictExpandTest, TranslationSymmetryFromACif) {
  Write("spinel.cif",
        "data_spinel\n_cell_length_a 8.08(1)\n_cell_length_b 8.08\n"
        "_cell_length_c 8.08\n_cell_angle_alpha 90\n"
        "_cell_angle_beta 90\n_cell_angle_gamma 90\n"
        "_symmetry_space_group_name_H-M 'Fd-3m'\n");
  const CliRun run = Run("predict", {"--cif", Path("spinel.cif"), "-o", Path("spinel.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Space group F d -3 m:1 (No. 227)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Box options it implies: F, d glide [001]"), std::string::npos) << run.out;
  const Shape shape = Build(Path("spinel.mor"));
  EXPECT_EQ(shape.unique, (std::vector<std::string>{"-1 -1 -1"}));
  EXPECT_EQ(shape.corners, 6);

  // A Hall symbol in the file comes first; here it states P 21/c on a cell with
  // the H-M symbol of another group.
  Write("hall.cif",
        "data_hall\n_cell_length_a 5\n_cell_length_b 6\n_cell_length_c 7\n"
        "_cell_angle_alpha 90\n_cell_angle_beta 100\n_cell_angle_gamma 90\n"
        "_symmetry_space_group_name_H-M 'P 1 2/m 1'\n"
        "_space_group_name_Hall '-P 2ybc'\n");
  const CliRun hall = Run("predict", {"--cif", Path("hall.cif"), "-o", Path("hall.mor")});
  ASSERT_EQ(hall.status, 0) << hall.err;
  EXPECT_NE(hall.out.find("Space group P 1 21/c 1 (No. 14), Hall -P 2ybc"), std::string::npos)
      << hall.out;

  // A CIF without a cell is refused with the missing items.
  Write("bare.cif", "data_bare\n_symmetry_space_group_name_H-M 'P 1'\n");
  const CliRun bare = Run("predict", {"--cif", Path("bare.cif"), "-o", Path("bare.mor")});
  EXPECT_EQ(bare.status, 2);
  EXPECT_NE(bare.err.find("missing"), std::string::npos) << bare.err;
  EXPECT_FALSE(std::filesystem::exists(Path("bare.mor")));
}

TEST_F(PredictExpandTest, RandomisationIsRepeatableWithASeed) {
  const std::vector<std::string> base{"--cell", "1",          "1",  "1.5",
                                      "90",     "90",         "90", "--group",
                                      "4/mm",   "--polarity", "10", "--no-cleanup"};
  auto with = [&](const std::string& seed, const std::string& out) {
    std::vector<std::string> args = base;
    args.insert(args.end(), {"--seed", seed, "-o", Path(out)});
    return Run("predict", args);
  };
  ASSERT_EQ(with("7", "a.mor").status, 0);
  ASSERT_EQ(with("7", "b.mor").status, 0);
  ASSERT_EQ(with("8", "c.mor").status, 0);
  EXPECT_EQ(ReadText(Path("a.mor")), ReadText(Path("b.mor")));
  EXPECT_NE(ReadText(Path("a.mor")), ReadText(Path("c.mor")));
}

TEST_F(PredictExpandTest, BadPredictInput) {
  const std::vector<std::string> cubic{"--cell", "1", "1", "1", "90", "90", "90"};
  auto run = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = cubic;
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), {"-o", Path("bad.mor")});
    return Run("predict", args);
  };
  const CliRun ico = run({"--group", "-5-32"});
  EXPECT_EQ(ico.status, 2);
  EXPECT_EQ(
      ico.err,
      "habitopia-cli: Sorry, but this symmetry is not implemented for morphology prediction\n");
  const CliRun notOffered = run({"--group", "6/m", "--centring", "I"});
  EXPECT_EQ(notOffered.status, 2);
  EXPECT_EQ(notOffered.err, "habitopia-cli: centring I is not offered for point group 6/m\n");
  EXPECT_EQ(run({"--group", "4/m3", "--glide1", "d"}).status, 2);
  EXPECT_EQ(run({"--group", "4/m3", "--hkl-max", "7"}).status, 2);
  EXPECT_EQ(run({"--group", "4/m3", "--polarity", "11"}).status, 2);
  EXPECT_EQ(run({"--group", "nonsense"}).status, 2);
  EXPECT_EQ(run({"--group", "5"}).status, 2);  // numbers go with --group-number
  EXPECT_EQ(run({"--group-number", "34"}).status, 2);
  EXPECT_EQ(run({"--group", "23", "--group-number", "28"}).status, 2);
  EXPECT_EQ(run({"--space-group", "231"}).status, 2);
  EXPECT_EQ(run({"--space-group", "P m -3 m", "--centring", "F"}).status, 2);
  const CliRun mismatch = run({"--space-group", "P m -3 m", "--group", "23"});
  EXPECT_EQ(mismatch.status, 2);
  EXPECT_EQ(mismatch.err, "habitopia-cli: the point group 23 is not the one of P m -3 m (4/m3)\n");
  EXPECT_EQ(run({}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("bad.mor")));
  // A write failure is bad input too, with one line on stderr.
  const CliRun unwritable = Run("predict", {"--cell", "1", "1", "1", "90", "90", "90", "--group",
                                            "23", "-o", Path("missing/out.mor")});
  EXPECT_EQ(unwritable.status, 2);
  EXPECT_EQ(std::count(unwritable.err.begin(), unwritable.err.end(), '\n'), 1);
}

// A model whose face table holds only its unique faces.
std::string WriteUniqueOnly(const std::string& path, int group,
                            const std::vector<UniqueFaceLine>& unique) {
  ModelDocument document;
  document.pointGroup = group;
  document.uniqueFaces = unique;
  for (const UniqueFaceLine& u : unique) {
    FaceRecord f;
    f.h = u.h, f.k = u.k, f.l = u.l, f.distance = u.distance;
    document.faces.push_back(f);
  }
  EXPECT_TRUE(WriteModelFile(path, document).ok);
  return path;
}

TEST_F(PredictExpandTest, ExpandRebuildsTheFullList) {
  const std::string in =
      WriteUniqueOnly(Path("in.mor"), 32, {{1, 0, 0, 1}, {1, 1, 1, 1.5L}, {2, 2, 0, 1.3L}});
  const CliRun run = Run("expand", {in, "-o", Path("out.mor")});
  ASSERT_EQ(run.status, 0) << run.err;
  const Shape shape = Build(Path("out.mor"));
  ASSERT_EQ(shape.faces.size(), 6u + 8u + 12u);
  EXPECT_EQ(std::vector<std::string>(shape.faces.begin(), shape.faces.begin() + 5),
            (std::vector<std::string>{"1 0 0", "1 1 1", "1 1 0", "-1 0 0", "0 0 1"}));
  // 2 2 0 is read as the grid reads it: reduced to 1 1 0.
  EXPECT_EQ(shape.unique, (std::vector<std::string>{"1 0 0", "1 1 1", "1 1 0"}));
  EXPECT_EQ(shape.withArea.size(), 26u);

  // The input stays as it was and bad input leaves no output.
  EXPECT_EQ(Build(in).faces.size(), 3u);
  EXPECT_EQ(Run("expand", {Path("none.mor"), "-o", Path("x.mor")}).status, 2);
  EXPECT_EQ(Run("expand", {in}).status, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("x.mor")));
}

TEST_F(PredictExpandTest, ExpandStopsAtTheFaceLimit) {
  std::vector<UniqueFaceLine> general;
  for (int i = 1; i <= 7; ++i)
    general.push_back({1, static_cast<Real>(i + 1), static_cast<Real>(i + 9), 1});
  const std::string in = WriteUniqueOnly(Path("many.mor"), 32, general);
  const CliRun run = Run("expand", {in, "-o", Path("limited.mor")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "habitopia-cli: More than a total of 300 faces. Command aborted\n");
  EXPECT_EQ(Build(Path("limited.mor")).faces.size(), 301u);
}

}  // namespace
}  // namespace habitopia

namespace habitopia {
namespace {

class PredictOptionsTest : public test::CliTest {
 protected:
  PredictOptionsTest() : CliTest("habitopia-cli-options") {}
};

TEST_F(PredictOptionsTest, GroupSymbolsAndNumbers) {
  struct Case {
    std::vector<std::string> option;
    std::string cell;
    std::string expected;
  };
  const Case cases[] = {
      {{"--group", "-1"}, "5 6 7 80 85 95", "Point group 2 (-1)"},
      {{"--group", "32"}, "5 5 7 90 90 120", "Point group 10 (32)"},
      {{"--group", "4/m3"}, "5 5 5 90 90 90", "Point group 32 (4/m3)"},
      {{"--group", "m-3m"}, "5 5 5 90 90 90", "Point group 32 (4/m3)"},
      {{"--group", "mmm"}, "5 6 7 90 90 90", "Point group 8 (2/mm)"},
      {{"--group", "-6m2"}, "5 5 7 90 90 120", "Point group 25 (-62)"},
      {{"--group", "-3m"}, "5 5 7 90 90 120", "Point group 13 (-3m)"},
      {{"--group-number", "32"}, "5 5 5 90 90 90", "Point group 32 (4/m3)"},
      {{"--group-number", "10"}, "5 5 7 90 90 120", "Point group 10 (32)"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"--cell"};
    std::string value;
    for (char ch : c.cell + " ") {
      if (ch != ' ') {
        value += ch;
      } else {
        args.push_back(value);
        value.clear();
      }
    }
    args.insert(args.end(), c.option.begin(), c.option.end());
    args.insert(args.end(), {"-o", Path("g.mor")});
    const CliRun run = Run("predict", args);
    EXPECT_EQ(run.status, 0) << c.option[1] << ": " << run.err;
    EXPECT_EQ(run.out.rfind(c.expected, 0), 0u) << c.option[1] << ": " << run.out;
  }
  const CliRun icosahedral = Run("predict", {"--cell", "1", "1", "1", "90", "90", "90", "--group",
                                             "532", "-o", Path("i.mor")});
  EXPECT_EQ(icosahedral.status, 2);
}

TEST_F(PredictOptionsTest, SpaceGroupDecidesAbsencesAndAxes) {
  // Rutile, P 42/m n m: 1 0 0 is absent (0 k l: k + l odd), so {1 1 0} and {1 0 1}
  // make the habit and {1 0 0} does not reach it.
  const CliRun rutile = Run("predict", {"--cell", "4.594", "4.594", "2.959", "90", "90", "90",
                                        "--space-group", "P 42/m n m", "-o", Path("r.mor")});
  ASSERT_EQ(rutile.status, 0) << rutile.err;
  EXPECT_NE(rutile.out.find("Space group P 42/m n m (No. 136), Hall -P 4n 2n: absences from its "
                            "16 operations"),
            std::string::npos)
      << rutile.out;
  EXPECT_NE(rutile.out.find("  -1 -1 0  1.246\n"), std::string::npos) << rutile.out;
  EXPECT_EQ(rutile.out.find("  -1 0 0 "), std::string::npos) << rutile.out;

  // P -4 m 2 is taken on the cell turned by 45 degrees.
  const CliRun turned = Run("predict", {"--cell", "5", "5", "7", "90", "90", "90", "--space-group",
                                        "115", "-o", Path("t.mor")});
  ASSERT_EQ(turned.status, 0) << turned.err;
  EXPECT_NE(turned.out.find("Axes of the point group: a' = a - b, b' = a + b, c' = c"),
            std::string::npos)
      << turned.out;
  EXPECT_NE(turned.out.find("hull closed: yes"), std::string::npos) << turned.out;
}

TEST_F(PredictOptionsTest, EveryCommandHasItsOwnHelp) {
  for (const char* command : {"info", "cif-import", "cif-export", "angle", "scene", "stl",
                              "extract", "expand", "predict"}) {
    for (const char* flag : {"--help", "-h"}) {
      const CliRun run = Run(command, {flag});
      EXPECT_EQ(run.status, 0) << command;
      EXPECT_EQ(run.out.rfind(std::string("Usage: habitopia-cli ") + command, 0), 0u)
          << command << ": " << run.out;
      EXPECT_TRUE(run.err.empty()) << command;
    }
  }
  EXPECT_NE(Run("predict", {"--help"}).out.find("--space-group"), std::string::npos);
}

}  // namespace
}  // namespace habitopia
