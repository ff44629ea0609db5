#include "scene/obj.h"

#include "core/numbers.h"

namespace habitopia {

namespace {

std::string Triple(const Vec3& v, int decimals) {
  return FormatFixed(v[0], 0, decimals) + " " + FormatFixed(v[1], 0, decimals) + " " +
         FormatFixed(v[2], 0, decimals);
}

}  // namespace

ObjFiles ObjText(const ExportMesh& mesh, const std::string& title, const std::string& mtlName) {
  ObjFiles files;
  std::string& obj = files.obj;
  obj = "# " + title + " (Habitopia)\n";
  obj +=
      "# lengths in millimetres: the farthest corner lies 25 mm from the centre; +z is the c "
      "axis\n";
  obj += "mtllib " + mtlName + "\n";
  int vertexBase = 1, normalBase = 1;
  for (const MeshBody& body : mesh.bodies) {
    obj += "o " + body.name + "\n";
    for (const Vec3& v : body.vertices) obj += "v " + Triple(v, 6) + "\n";
    for (const MeshPolygon& polygon : body.polygons)
      obj += "vn " + Triple(polygon.normal, 6) + "\n";
    int current = -1;
    for (std::size_t p = 0; p < body.polygons.size(); ++p) {
      const MeshPolygon& polygon = body.polygons[p];
      if (polygon.material != current) {
        current = polygon.material;
        obj += "usemtl " + mesh.materials[current].name + "\n";
      }
      obj += "f";
      const std::string normal = FormatInteger(normalBase + static_cast<long long>(p));
      for (int n : polygon.corners) obj += " " + FormatInteger(vertexBase + n) + "//" + normal;
      obj += "\n";
    }
    vertexBase += static_cast<int>(body.vertices.size());
    normalBase += static_cast<int>(body.polygons.size());
  }

  std::string& mtl = files.mtl;
  mtl = "# materials of " + title + " (Habitopia)\n";
  for (const MeshMaterial& m : mesh.materials) {
    const Vec3 rgb{m.rgb[0] / 255.0L, m.rgb[1] / 255.0L, m.rgb[2] / 255.0L};
    mtl += "newmtl " + m.name + "\n";
    mtl += "Ka " + Triple(ScaleVec(rgb, 0.2L), 4) + "\n";
    mtl += "Kd " + Triple(rgb, 4) + "\n";
    mtl += "Ks 0.2000 0.2000 0.2000\n";
    mtl += "Ns 20\n";
    mtl += "d 1\n";
    mtl += "illum 2\n";
  }
  return files;
}

}  // namespace habitopia
