// glTF, OBJ and 3MF export: the mesh (closed, outward, the STL's scale, colours,
// twins) and the layout of each file.

#include "scene/export_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "core/model.h"
#include "core/numbers.h"
#include "scene/gltf.h"
#include "scene/obj.h"
#include "scene/threemf.h"
#include "scene/zip_package.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

// The cube's half edge in millimetres: its corners lie 25 mm from the centre.
const Real kHalf = 25 / std::sqrt(3.0L);

ExportMesh CubeMesh(TwinChoice twin = TwinChoice::None, const std::string& twinFace = "",
                    const TwinSettings& settings = {}) {
  CrystalModel model;
  test::SetCubeFaces(model);
  model.faces[4].faceColour = {255, 0, 0};
  model.faces[4].colourShown = 1;
  model.twin = settings;
  const Polyhedron cube = BuildPolyhedron(MakePolyhedronInput(model));
  SceneSwitches switches;
  switches.twin = twin;
  switches.twinFace = twinFace;
  return BuildExportMesh(cube, BuildSceneGeometry(model, cube, switches), model.display, twin);
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

TEST(ExportMesh, CubeIsClosedOutwardAndScaledAsTheStl) {
  const ExportMesh mesh = CubeMesh();
  ASSERT_EQ(mesh.bodies.size(), 1u);
  const MeshBody& body = mesh.bodies[0];
  EXPECT_EQ(body.name, "crystal");
  EXPECT_EQ(body.vertices.size(), 8u);
  ASSERT_EQ(body.polygons.size(), 6u);
  for (const Vec3& v : body.vertices)
    for (Real c : v) EXPECT_NEAR(std::fabs(c), kHalf, 1e-4);
  for (const MeshPolygon& p : body.polygons) {
    EXPECT_EQ(p.corners.size(), 4u);
    Vec3 centre{0, 0, 0};
    for (int n : p.corners) centre = AddVec(centre, body.vertices[n]);
    EXPECT_NEAR(Dot(p.normal, centre) / Norm(centre), 1, 1e-6);  // outward, unit
    EXPECT_EQ(TriangulatePolygon(p).size(), 2u);
  }
  EXPECT_TRUE(MeshIsClosed(body));
  EXPECT_NEAR(MeshVolume(body), std::pow(2 * kHalf, 3), 0.1L);
  // The red face keeps its colour, the others take the fill colour.
  ASSERT_EQ(mesh.materials.size(), 2u);
  EXPECT_EQ(mesh.materials[0].name, "fill");
  EXPECT_EQ(mesh.materials[0].rgb, (std::array<int, 3>{192, 192, 192}));
  EXPECT_EQ(mesh.materials[1].name, "face_FF0000");
}

TEST(ExportMesh, ContactTwinFusesIntoOneClosedBody) {
  const ExportMesh mesh = CubeMesh(TwinChoice::Contact, "0 0 1");
  ASSERT_EQ(mesh.bodies.size(), 1u);
  const MeshBody& body = mesh.bodies[0];
  EXPECT_EQ(body.name, "crystal_and_twin");
  EXPECT_EQ(body.vertices.size(), 12u);  // the contact square is shared
  EXPECT_EQ(body.polygons.size(), 10u);  // both contact faces lie inside
  EXPECT_TRUE(MeshIsClosed(body));
  const Real scale = mesh.scale;
  EXPECT_NEAR(MeshVolume(body), 2 * 8 * scale * scale * scale, 1);
}

TEST(ExportMesh, RotationAndInversionTwinsAreSecondClosedBodies) {
  TwinSettings rotation;
  rotation.type = TwinType::RotationReal;
  rotation.twinAxis = {0, 0, 1};
  rotation.twinAngle = 45;
  rotation.twinThrough = {0, 0, 0};
  for (const auto& [choice, settings] :
       {std::pair{TwinChoice::Rotation, rotation},
        std::pair{TwinChoice::Inversion,
                  TwinSettings{TwinType::Inversion, {0, 0, 1}, {0, 0, 0}, {3, 0, 0}, 0}}}) {
    const ExportMesh mesh = CubeMesh(choice, "", settings);
    ASSERT_EQ(mesh.bodies.size(), 2u);
    EXPECT_EQ(mesh.bodies[1].name, "twin");
    for (const MeshBody& body : mesh.bodies) {
      EXPECT_TRUE(MeshIsClosed(body)) << body.name;
      EXPECT_NEAR(MeshVolume(body), std::pow(2 * kHalf, 3), 1) << body.name;  // outward
    }
  }
}

TEST(Glb, HeaderChunksAndAccessorsAgree) {
  const std::string glb = GlbBytes(CubeMesh(), "cube");
  ASSERT_GE(glb.size(), 28u);
  EXPECT_EQ(glb.substr(0, 4), "glTF");
  EXPECT_EQ(U32(glb, 4), 2u);
  EXPECT_EQ(U32(glb, 8), glb.size());
  const std::uint32_t jsonLength = U32(glb, 12);
  EXPECT_EQ(glb.substr(16, 4), "JSON");
  EXPECT_EQ(jsonLength % 4, 0u);
  const nlohmann::json json = nlohmann::json::parse(glb.substr(20, jsonLength));
  const std::size_t bin = 20 + jsonLength;
  EXPECT_EQ(glb.substr(bin + 4, 4), std::string("BIN\0", 4));
  EXPECT_EQ(U32(glb, bin), glb.size() - bin - 8);
  EXPECT_EQ(json["buffers"][0]["byteLength"], U32(glb, bin));
  EXPECT_EQ(json["asset"]["version"], "2.0");
  ASSERT_EQ(json["meshes"].size(), 1u);
  ASSERT_EQ(json["meshes"][0]["primitives"].size(), 2u);  // fill and red
  std::size_t triangles = 0;
  for (const auto& primitive : json["meshes"][0]["primitives"]) {
    const auto& position = json["accessors"][primitive["attributes"]["POSITION"].get<int>()];
    // Metres, the farthest corner 25 mm from the centre.
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR(position["max"][c].get<double>(), 0.001 * static_cast<double>(kHalf), 1e-6);
    triangles += json["accessors"][primitive["indices"].get<int>()]["count"].get<std::size_t>() / 3;
  }
  EXPECT_EQ(triangles, 12u);
  EXPECT_EQ(json["materials"][1]["pbrMetallicRoughness"]["baseColorFactor"],
            nlohmann::json::parse("[1,0,0,1]"));
}

TEST(Obj, PolygonsNormalsAndMaterials) {
  const ObjFiles files = ObjText(CubeMesh(), "cube", "cube.mtl");
  EXPECT_EQ(files.obj.find("# cube (Habitopia)\n"), 0u);
  EXPECT_NE(files.obj.find("\nmtllib cube.mtl\no crystal\n"), std::string::npos);
  EXPECT_EQ(Count(files.obj, "\nv "), 8);
  EXPECT_EQ(Count(files.obj, "\nvn "), 6);
  EXPECT_EQ(Count(files.obj, "\nf "), 6);
  EXPECT_EQ(Count(files.obj, "\nusemtl "), 3);  // fill, red, fill again
  EXPECT_NE(files.obj.find("f 1//1 "), std::string::npos);
  EXPECT_NE(
      files.mtl.find("newmtl face_FF0000\nKa 0.2000 0.0000 0.0000\nKd 1.0000 0.0000 0.0000\n"),
      std::string::npos);
  EXPECT_NE(files.mtl.find("newmtl fill\n"), std::string::npos);
}

TEST(ThreeMf, ModelPartAndPackage) {
  const ExportMesh mesh = CubeMesh();
  const std::string xml = ThreeMfModelXml(mesh, "cube & co");
  EXPECT_NE(xml.find("<model unit=\"millimeter\""), std::string::npos);
  EXPECT_NE(xml.find("<metadata name=\"Title\">cube &amp; co</metadata>"), std::string::npos);
  EXPECT_NE(xml.find("<base name=\"face_FF0000\" displaycolor=\"#FF0000\"/>"), std::string::npos);
  EXPECT_EQ(Count(xml, "<vertex "), 8);
  EXPECT_EQ(Count(xml, "<triangle "), 12);
  EXPECT_EQ(Count(xml, "p1=\"1\""), 2);  // the red face's two triangles
  // The build item lifts the crystal onto the plate.
  const std::string lift = FormatFixed(kHalf, 0, 6);
  EXPECT_NE(xml.find("transform=\"1 0 0 0 1 0 0 0 1 "), std::string::npos);
  EXPECT_NE(xml.find(" " + lift.substr(0, 7)), std::string::npos);

  const std::string package = ThreeMfPackage(mesh, "cube");
  EXPECT_EQ(package.substr(0, 4), std::string("PK\3\4", 4));
  EXPECT_NE(package.find("[Content_Types].xml"), std::string::npos);
  EXPECT_NE(package.find("_rels/.rels"), std::string::npos);
  EXPECT_NE(package.find(ThreeMfModelXml(mesh, "cube")),
            std::string::npos);  // stored, not compressed
  EXPECT_EQ(package.substr(package.size() - 22, 4), std::string("PK\5\6", 4));
}

TEST(ZipPackage, EntriesCarryTheirCrcAndDirectory) {
  const std::string zip = ZipArchive({{"a.txt", "hello"}, {"b/c.txt", ""}});
  EXPECT_EQ(U32(zip, 14), 0x3610a686u);  // CRC-32 of "hello"
  EXPECT_EQ(U32(zip, 18), 5u);
  const std::size_t end = zip.size() - 22;
  EXPECT_EQ(zip[end + 10], 2);  // two entries
  const std::uint32_t directory = U32(zip, end + 16);
  EXPECT_EQ(zip.substr(directory, 4), std::string("PK\1\2", 4));
}

}  // namespace
}  // namespace habitopia
