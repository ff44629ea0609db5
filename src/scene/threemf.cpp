#include "scene/threemf.h"

#include <algorithm>
#include <limits>

#include "core/numbers.h"
#include "scene/export_mesh.h"
#include "scene/zip_package.h"

namespace habitopia {

namespace {

std::string Number(Real v) { return FormatFixed(v, 0, 6); }

}  // namespace

std::string ThreeMfModelXml(const ExportMesh& mesh, const std::string& title) {
  constexpr int kMaterials = 1;
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml +=
      "<model unit=\"millimeter\" xml:lang=\"en-US\" "
      "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n";
  xml += " <metadata name=\"Title\">" + XmlEscaped(title) + "</metadata>\n";
  xml += " <metadata name=\"Application\">Habitopia</metadata>\n";
  xml +=
      " <metadata name=\"Description\">Crystal scaled so that its farthest corner lies 25 mm "
      "from its centre</metadata>\n";
  xml += " <resources>\n";
  xml += "  <basematerials id=\"" + FormatInteger(kMaterials) + "\">\n";
  for (const MeshMaterial& m : mesh.materials)
    xml += "   <base name=\"" + XmlEscaped(m.name) + "\" displaycolor=\"" + HexColour(m.rgb) +
           "\"/>\n";
  xml += "  </basematerials>\n";

  Real lowest[3] = {std::numeric_limits<Real>::max(), std::numeric_limits<Real>::max(),
                    std::numeric_limits<Real>::max()};
  for (std::size_t b = 0; b < mesh.bodies.size(); ++b) {
    const MeshBody& body = mesh.bodies[b];
    const std::string id = FormatInteger(static_cast<long long>(kMaterials + 1 + b));
    xml += "  <object id=\"" + id + "\" type=\"model\" name=\"" + XmlEscaped(body.name) +
           "\" pid=\"" + FormatInteger(kMaterials) + "\" pindex=\"0\">\n";
    xml += "   <mesh>\n    <vertices>\n";
    for (const Vec3& v : body.vertices) {
      xml += "     <vertex x=\"" + Number(v[0]) + "\" y=\"" + Number(v[1]) + "\" z=\"" +
             Number(v[2]) + "\"/>\n";
      for (int c = 0; c < 3; ++c) lowest[c] = std::min(lowest[c], v[c]);
    }
    xml += "    </vertices>\n    <triangles>\n";
    for (const MeshPolygon& polygon : body.polygons)
      for (const auto& t : TriangulatePolygon(polygon))
        xml += "     <triangle v1=\"" + FormatInteger(t[0]) + "\" v2=\"" + FormatInteger(t[1]) +
               "\" v3=\"" + FormatInteger(t[2]) + "\" pid=\"" + FormatInteger(kMaterials) +
               "\" p1=\"" + FormatInteger(polygon.material) + "\"/>\n";
    xml += "    </triangles>\n   </mesh>\n  </object>\n";
  }
  xml += " </resources>\n <build>\n";
  for (std::size_t b = 0; b < mesh.bodies.size(); ++b) {
    const std::string shift =
        Number(-lowest[0]) + " " + Number(-lowest[1]) + " " + Number(-lowest[2]);
    xml += "  <item objectid=\"" + FormatInteger(static_cast<long long>(kMaterials + 1 + b)) +
           "\" transform=\"1 0 0 0 1 0 0 0 1 " + shift + "\"/>\n";
  }
  xml += " </build>\n</model>\n";
  return xml;
}

std::string ThreeMfPackage(const ExportMesh& mesh, const std::string& title) {
  const std::string types =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">\n"
      " <Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>\n"
      " <Default Extension=\"model\" "
      "ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/>\n"
      "</Types>\n";
  const std::string relationships =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">\n"
      " <Relationship Target=\"/" +
      std::string(kThreeMfModelPath) +
      "\" Id=\"rel0\" "
      "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/>\n"
      "</Relationships>\n";
  return ZipArchive({{"[Content_Types].xml", types},
                     {"_rels/.rels", relationships},
                     {kThreeMfModelPath, ThreeMfModelXml(mesh, title)}});
}

}  // namespace habitopia
