#include "scene/scene_writer.h"

#include <cmath>
#include <filesystem>
#include <sstream>

#include "core/cell.h"
#include "core/numbers.h"
#include "tools/growth_sectors.h"
#include "tools/twin.h"

namespace habitopia {

TwinChoice TwinChoiceOf(TwinType type) {
  switch (type) {
    case TwinType::Contact: return TwinChoice::Contact;
    case TwinType::RotationReal:
    case TwinType::RotationReciprocal: return TwinChoice::Rotation;
    case TwinType::Inversion: return TwinChoice::Inversion;
    case TwinType::None: break;
  }
  return TwinChoice::None;
}

std::string VrmlStringText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string TexturePath(const std::string& textureFile, const std::string& modelFileName) {
  const auto nameStart = textureFile.find_last_of("/\\");
  std::string name =
      nameStart == std::string::npos ? textureFile : textureFile.substr(nameStart + 1);
  std::size_t blanks = 0;
  while (blanks < name.size() && blanks < 100 && name[blanks] == ' ') ++blanks;
  name.erase(0, blanks);
  const auto folderEnd = modelFileName.find_last_of("/\\");
  const std::string folder =
      folderEnd == std::string::npos ? std::string() : modelFileName.substr(0, folderEnd + 1);
  const std::string candidate = folder + name;
  std::error_code error;
  if (!name.empty() && std::filesystem::is_regular_file(candidate, error)) return candidate;
  return textureFile;
}

SceneGeometry BuildSceneGeometry(const CrystalModel& model, const Polyhedron& polyhedron,
                                 const SceneSwitches& switches) {
  SceneGeometry g;
  const int presentCount = polyhedron.PresentFaceCount();
  const bool hasCleavage =
      model.cleavageFace >= 0 && model.cleavageFace < static_cast<int>(polyhedron.planes.size());
  if (hasCleavage && model.cleavageFace < static_cast<int>(polyhedron.presentIndex.size()) &&
      polyhedron.presentIndex[model.cleavageFace] != kAbsentFace)
    g.cleavagePresent = polyhedron.presentIndex[model.cleavageFace];

  FlatCorners flat = FlattenPolygons(polyhedron);
  if (hasCleavage && switches.projectsectors)
    ProjectGrowthSectors(flat, polyhedron, model.cleavageFace, model.cleavageDistance);
  g.corners = NumberSceneCorners(polyhedron, flat);
  g.lists = BuildFaceIndexLists(polyhedron, g.corners, switches.indiceson, model.cleavageFace);

  for (int p = 0; p < presentCount; ++p) {
    if (polyhedron.presentFaces[p].colourShown == 1) g.withCentre = true;
    if (polyhedron.presentFaces[p].labelSelected) g.labelsLimited = true;
  }
  if (g.withCentre) g.centreNumber = g.corners.Count();

  if (switches.twin != TwinChoice::None) {
    const TwinKind kind = switches.twin == TwinChoice::Contact    ? TwinKind::Contact
                          : switches.twin == TwinChoice::Rotation ? TwinKind::Rotation
                                                                  : TwinKind::Inversion;
    g.twinCorners = TwinCornerPositions(kind, model.twin, g.corners.positions, g.lists.lists,
                                        polyhedron, switches.twinFace);
    if (switches.twin == TwinChoice::Contact)
      g.contactFace = FindContactFace(polyhedron, switches.twinFace);
  }
  return g;
}

namespace {

class SceneText {
 public:
  void Line(const std::string& text) {
    out_ += text;
    out_ += '\n';
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

std::string Colour(const Rgb& c) {
  return FormatFixed(c.red / 255.0L, 6, 3) + " " + FormatFixed(c.green / 255.0L, 6, 3) + " " +
         FormatFixed(c.blue / 255.0L, 6, 3);
}

std::string FaceColour(const std::array<Real, 3>& c) {
  return FormatFixed(c[0] / 255, 6, 3) + " " + FormatFixed(c[1] / 255, 6, 3) + " " +
         FormatFixed(c[2] / 255, 6, 3);
}

std::string ScenePoint(const Vec3& p, int width, int decimals) {
  const Vec3 s = ToSceneAxes(p);
  return FormatFixed(s[0], width, decimals) + " " + FormatFixed(s[1], width, decimals) + " " +
         FormatFixed(s[2], width, decimals);
}

// "0 4 5 1 0 -1": the corners each followed by a blank, the first again and " -1".
std::string IndexLine(const std::vector<int>& list) {
  std::string line;
  for (int n : list) {
    if (n == -1) break;
    if (!line.empty()) line += ' ';
    line += std::to_string(n);
  }
  return line + " -1";
}

// "0 4 5 1 0 -1 ": every entry followed by a blank, the -1 included.
std::string PolygonLine(const std::vector<int>& list) {
  std::string line;
  for (int n : list) {
    line += std::to_string(n) + " ";
    if (n == -1) break;
  }
  return line;
}

class Writer {
 public:
  Writer(const CrystalModel& model, const Polyhedron& polyhedron, const DisplaySettings& display,
         const SceneSwitches& switches, const SceneGeometry& geometry)
      : model_(model), poly_(polyhedron), d_(display), sw_(switches), g_(geometry) {}

  std::string Write();

 private:
  bool Labels() const { return sw_.indiceson || sw_.Caxes; }
  bool TwinShown() const { return g_.twinCorners.has_value(); }
  bool Labelled(int p) const { return !g_.labelsLimited || poly_.presentFaces[p].labelSelected; }
  int PresentCount() const { return poly_.PresentFaceCount(); }

  void Header();
  void FontAndAppearance();
  void Spotlights();
  void Body();
  void Axes();
  void Edges();
  void SpecialFaces();
  void TexturedFaces();
  void IndexLabels();
  void Animation();
  void Routes();

  void CornerLines();
  void TwinCornerLines();
  void FaceIndexLines(bool twin);
  void PolygonLines(int p);
  std::string IndexText(Real v, bool bar) const;

  const CrystalModel& model_;
  const Polyhedron& poly_;
  const DisplaySettings& d_;
  const SceneSwitches& sw_;
  const SceneGeometry& g_;
  SceneText out_;
};

std::string Writer::Write() {
  Header();
  if (Labels()) FontAndAppearance();
  if (sw_.lights || Labels())
    out_.Line("DEF ps ProximitySensor { center 0 0 0 size 9000 9000 9000}");
  if (sw_.lights) Spotlights();
  out_.Line("Transform{rotation 1 0 0 0.0 children[");
  if (sw_.animation && sw_.tumble) out_.Line("DEF tr0 Transform {children[");
  if (sw_.animation) out_.Line("DEF tr Transform { children [");
  if (sw_.fill) Body();
  if (sw_.Caxes) Axes();
  if (sw_.grid) Edges();
  SpecialFaces();
  TexturedFaces();
  if (sw_.indiceson) IndexLabels();
  if (sw_.animation) Animation();
  out_.Line("]}");
  Routes();
  return out_.Take();
}

void Writer::Header() {
  out_.Line("#VRML V2.0 utf8");
  out_.Line("");
  out_.Line(d_.headlight ? "NavigationInfo {headlight TRUE type \"EXAMINE\"}"
                         : "NavigationInfo {headlight FALSE type \"EXAMINE\"}");
  out_.Line("Viewpoint { position 0 0 " + FormatFixed(d_.viewDistance, 6, 3) + " fieldOfView " +
            FormatFixed(d_.fieldOfView, 6, 3) + "}");
  out_.Line("Background {skyColor [");
  out_.Line(Colour(d_.backgroundColour) + "]}");
}

void Writer::FontAndAppearance() {
  std::string size = d_.fontSizeText;
  if (sw_.decimalComma)
    for (char& c : size)
      if (c == ',') c = '.';
  out_.Line("DEF fo FontStyle { family \"" + VrmlStringText(d_.fontFamily) + "\"");
  out_.Line("style \"" + VrmlStringText(d_.fontStyle) + "\"");
  out_.Line(
      "horizontal TRUE leftToRight TRUE topToBottom TRUE justify [\"MIDDLE\" \"MIDDLE\"] "
      "language \"\"");
  out_.Line("size " + size);
  out_.Line("spacing " + d_.fontSpacingText);
  out_.Line("}");
  out_.Line("DEF ap Appearance{ material Material { ambientIntensity 1");
  out_.Line("diffuseColor " + Colour(d_.labelColour));
  out_.Line("emissiveColor " + Colour(d_.labelColour));
  out_.Line("}}");
}

void Writer::Spotlights() {
  const Real D = d_.viewDistance;
  auto light = [&](const Rgb& colour, Real x, Real y, Real z) {
    out_.Line("PointLight {on TRUE intensity 1");
    out_.Line("ambientIntensity 0 color");
    out_.Line(Colour(colour));
    out_.Line("location " + FormatFixed(x, 8, 3) + " " + FormatFixed(y, 8, 3) + " " +
              FormatFixed(z, 8, 3) + "  radius 1000}");
  };
  out_.Line("DEF tr2 Transform {children[");
  light(d_.light1Colour, 3 * D, -D, D);
  light(d_.light2Colour, -D, 1.5L * D, D);
  if (d_.brilliant) {
    static const char* const kBrilliant[] = {
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 1 0 0 location  400.000  -0.000  "
        " 0.000  radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0 1 0 location  200  200   0.000 "
        " radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0 0 1 location  0 400   0.000  "
        "radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0 0.7 0.7 location  -400.000  "
        "-0.000   0.000  radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0.7 0 0.7 location  200  -200   "
        "0.000  radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0.7 0.7 0 location  0 -400   "
        "0.000  radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 1 1 1 location  0 0   400  "
        "radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 1 1 1 location  10 10   -100  "
        "radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0 0 1 location  10 -10 -100  "
        "radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 0 1 0 location  -10 10 -100  "
        "radius 1000}",
        "PointLight {on TRUE intensity 1 ambientIntensity 0 color 1 0 0 location  -10 -10   -100  "
        "radius 1000}",
    };
    for (const char* line : kBrilliant) out_.Line(line);
  }
  out_.Line("]}");
}

void Writer::CornerLines() {
  for (const Vec3& p : g_.corners.positions) out_.Line(ScenePoint(p, 7, 3));
  if (g_.withCentre) out_.Line("0 0 0");
}

void Writer::TwinCornerLines() {
  for (const Vec3& p : *g_.twinCorners) out_.Line(ScenePoint(p, 7, 4));
}

// With a cleavage face only its section is listed, unless the model is shown with
// it; otherwise every face not drawn in its own colour (those get shapes of their
// own). The twin lists every face.
void Writer::FaceIndexLines(bool twin) {
  for (int p = 0; p < PresentCount(); ++p) {
    bool written;
    if (model_.cleavageFace >= 0)
      written = sw_.showmodel || p == g_.cleavagePresent;
    else
      written = twin || poly_.presentFaces[p].colourShown != 1;
    if (written) out_.Line(IndexLine(g_.lists.lists[p]));
  }
}

void Writer::Body() {
  auto bodyStart = [&]() {
    out_.Line("Shape { appearance Appearance { material Material { specularColor 1.0 1.0 1.0");
    out_.Line("diffuseColor " + Colour(d_.fillColour));
    out_.Line("shininess 1 transparency " + FormatFixed(d_.transparency, 6, 3) + " }}");
  };
  bodyStart();
  out_.Line("geometry IndexedFaceSet { creaseAngle 0.0 coord DEF C_s Coordinate {");
  out_.Line("point [");
  CornerLines();
  out_.Line("]}");
  out_.Line("coordIndex [");
  FaceIndexLines(false);
  out_.Line("]");
  out_.Line(sw_.solid ? "solid TRUE ccw FALSE }}" : "solid FALSE ccw FALSE }}");
  if (!TwinShown()) return;
  bodyStart();
  out_.Line("geometry IndexedFaceSet { creaseAngle 0.0 coord DEF C_t Coordinate {");
  out_.Line("point [");
  TwinCornerLines();
  out_.Line("]}");
  out_.Line("coordIndex [");
  FaceIndexLines(true);
  out_.Line("]");
  // A mirror or an inversion turns the faces' winding round.
  const bool mirrored = sw_.twin == TwinChoice::Contact || sw_.twin == TwinChoice::Inversion;
  if (mirrored)
    out_.Line(sw_.solid ? "solid TRUE ccw TRUE }}" : "solid FALSE ccw TRUE }}");
  else
    out_.Line(sw_.solid ? "solid TRUE ccw FALSE }}" : "solid FALSE ccw FALSE }}");
}

void Writer::Axes() {
  const Real H = d_.axesLength;
  out_.Line("DEF AXIS Shape{ appearance Appearance{ material Material {");
  out_.Line("diffuseColor " + Colour(d_.axesColour) + " }}");
  out_.Line("geometry Cylinder { height " + FormatFixed(H, 5, 2) + " radius 0.01}}");
  for (int k = 0; k < 2; ++k) {
    Vec3 unit{0, 0, 0};
    unit[k] = 1;
    const auto r = DirectionToOrientation(UvwToCartesian(model_.matrices, unit));
    out_.Line("Transform { rotation " + FormatFixed(r[0], 6, 3) + " " + FormatFixed(r[1], 6, 3) +
              " " + FormatFixed(r[2], 6, 3) + " " + FormatFixed(r[3], 6, 3) +
              " children [ USE AXIS] }");
  }
  for (int k = 0; k < 3; ++k) {
    Vec3 unit{0, 0, 0};
    unit[k] = 1;
    const Vec3 v = UvwToCartesian(model_.matrices, unit);
    const Real s = H / (1.8L * Norm(v));
    const std::string n = std::to_string(k + 1);
    out_.Line("DEF TA" + n + " Transform{ translation " + ScenePoint(ScaleVec(v, s), 6, 3) +
              " children[");
    out_.Line("DEF TTA" + n + " Transform{ children[");
    out_.Line("DEF TIA" + n + " Transform{ children[");
    if (k == 0)
      out_.Line(
          "Shape { geometry Text { string [ \"a\" ] fontStyle USE fo } appearance USE ap }]}]}]}");
    else if (k == 1)
      out_.Line(
          "Shape {geometry Text { string [ \"b\" ] fontStyle USE fo } appearance USE ap }]}]}]}");
    else {
      out_.Line("Shape { geometry Text { string [ \"c\" ] fontStyle USE fo }");
      out_.Line("appearance USE ap }]}]}]}");
    }
  }
}

void Writer::Edges() {
  auto edgeShape = [&](bool twin) {
    out_.Line("Shape { appearance Appearance { material Material {");
    out_.Line("emissiveColor " + Colour(d_.edgeColour));
    out_.Line("}}");
    out_.Line("geometry IndexedLineSet {");
    const char* name = twin ? "C_t" : "C_s";
    if (sw_.fill) {
      out_.Line(std::string("coord USE ") + name);
    } else {
      out_.Line(std::string("coord DEF ") + name + " Coordinate {");
      out_.Line("point [");
      if (twin)
        TwinCornerLines();
      else
        CornerLines();
      out_.Line("]}");
    }
    out_.Line("coordIndex [");
    FaceIndexLines(twin);
    out_.Line("]}}");
  };
  edgeShape(false);
  if (TwinShown()) edgeShape(true);
}

void Writer::PolygonLines(int p) {
  const PresentFace& face = poly_.presentFaces[p];
  const std::vector<int>& list = g_.lists.lists[p];
  const bool fan = face.growthSector && !sw_.projectsectors &&
                   (model_.cleavageFace < 0 || sw_.showmodel) && g_.centreNumber >= 0;
  if (!fan) {
    out_.Line(PolygonLine(list));
    return;
  }
  const std::string c = std::to_string(g_.centreNumber);
  std::vector<int> corners;
  for (int n : list) {
    if (n == -1) break;
    corners.push_back(n);
  }
  if (!corners.empty()) corners.pop_back();  // the repeated first corner
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const int a = corners[i];
    const int b = corners[(i + 1) % corners.size()];
    out_.Line(c + " " + std::to_string(a) + " " + std::to_string(b) + " " + c + " -1");
  }
}

void Writer::SpecialFaces() {
  for (int p = 0; p < PresentCount(); ++p) {
    const PresentFace& face = poly_.presentFaces[p];
    if (face.colourShown == 0) continue;
    out_.Line("Shape {appearance Appearance {material Material { diffuseColor " +
              FaceColour(face.faceColour));
    if (sw_.singlefacegloss) out_.Line("shininess 1 specularColor 1.0 1.0 1.0");
    out_.Line("transparency " + FormatFixed(d_.specialTransparency, 6, 3) +
              " }} geometry IndexedFaceSet {coord USE C_s coordIndex [");
    PolygonLines(p);
    out_.Line("] solid FALSE ccw FALSE } }");
    if (sw_.grid) {
      out_.Line("Shape { appearance Appearance { material Material { emissiveColor " +
                Colour(d_.edgeColour) + " }}");
      out_.Line("geometry IndexedLineSet { coord USE C_s coordIndex [");
      PolygonLines(p);
      out_.Line("]}}");
    }
  }
}

void Writer::TexturedFaces() {
  for (int p = 0; p < PresentCount(); ++p) {
    const PresentFace& face = poly_.presentFaces[p];
    if (face.textureFile.empty()) continue;
    const std::string path = TexturePath(face.textureFile, model_.modelFileName);
    out_.Line("Shape { appearance Appearance { texture ImageTexture { url \"" +
              VrmlStringText(path) + "\" repeatS FALSE repeatT FALSE }}");
    out_.Line("geometry IndexedFaceSet {coord USE C_s coordIndex [");
    out_.Line(PolygonLine(g_.lists.lists[p]));
    out_.Line("] solid TRUE ccw FALSE }}");
  }
}

std::string Writer::IndexText(Real v, bool bar) const {
  std::string text = FormatGeneral(bar ? std::fabs(v) : v);
  if (sw_.decimalComma)
    for (char& c : text)
      if (c == '.') c = ',';
  return text;
}

void Writer::IndexLabels() {
  const bool italic = d_.fontStyle == "ITALIC" || d_.fontStyle == "BOLDITALIC";
  const Real raise = d_.labelFontPoints * 0.18L / 12;
  const Real shift = italic ? d_.labelFontPoints * 0.035L / 12 : 0;
  for (int p = 0; p < PresentCount(); ++p) {
    if (!Labelled(p)) continue;
    const PresentFace& face = poly_.presentFaces[p];
    std::vector<Real> indices{Round3(face.h), Round3(face.k), Round3(face.l)};
    if (sw_.hkil) indices.insert(indices.begin() + 2, -(indices[0] + indices[1]));
    bool whole = true, negative = false;
    for (Real v : indices) {
      if (v != std::trunc(v)) whole = false;
      if (v < 0) negative = true;
    }
    const bool bar = whole && negative;
    std::string label = "(";
    std::string barText = " ";
    for (std::size_t i = 0; i < indices.size(); ++i) {
      if (i > 0) label += " ";
      label += IndexText(indices[i], bar);
      barText += indices[i] < 0 ? "_ " : "   ";
    }
    label += ")";
    const std::string i = std::to_string(p + 1);
    const auto& anchor = g_.lists.labelAnchors[p];
    const Vec3 a{static_cast<Real>(anchor[0]), static_cast<Real>(anchor[1]),
                 static_cast<Real>(anchor[2])};
    out_.Line("DEF TI" + i + " Transform{ translation " + ScenePoint(a, 7, 4) +
              " children[ DEF TT" + i + " Transform{ children[ DEF TI" + i +
              "o Transform{ children[");
    out_.Line("Shape { geometry Text { string [ \"" + label +
              "\" ] fontStyle USE fo } appearance USE ap }");
    if (bar)
      out_.Line("Transform{ translation " + FormatFixed(shift, 4, 2) + " +" +
                FormatFixed(raise, 4, 2) + " 0 children [ Shape { geometry Text { string [ \"" +
                barText + "\" ] fontStyle USE fo } appearance USE ap }]}");
    out_.Line("]}]}]}");
  }
}

void Writer::Animation() {
  const bool forward = d_.cycleInterval > 0;
  out_.Line("]}");
  out_.Line("DEF ts TimeSensor {cycleInterval " + FormatFixed(std::fabs(d_.cycleInterval), 6, 0));
  out_.Line("loop TRUE }");
  out_.Line("DEF oi OrientationInterpolator { key [0.0 0.5 1.0] keyValue [0.0 1 0 0.0,");
  out_.Line(forward ? "0.0 1 0 3.14, 0.0 1 0 6.28" : "0.0 1 0 -3.14, 0.0 1 0 -6.28");
  out_.Line("]}");
  if (Labels()) {
    out_.Line("DEF oii OrientationInterpolator { key [0.0 0.5 1.0] keyValue [0.0 1 0 0.0,");
    out_.Line(forward ? "0.0 1 0 -3.14, 0.0 1 0 -6.28" : "0.0 1 0 3.14, 0.0 1 0 6.28");
    out_.Line("]}");
  }
  if (sw_.tumble) {
    out_.Line("DEF oi2 OrientationInterpolator { key [0.0 0.5 1.0] keyValue [0.0 1 0 0.0,");
    out_.Line("1 0 0 3.14, 1 0 0 6.28");
    out_.Line("]}");
    out_.Line("]}");
    out_.Line("DEF ts2 TimeSensor {cycleInterval 27 loop TRUE }");
    out_.Line("DEF oi2i OrientationInterpolator { key [0.0 0.5 1.0] keyValue [0.0 1 0 0.0,");
    out_.Line("1 0 0 -3.14, 1 0 0 -6.28");
    out_.Line("]}");
  }
}

void Writer::Routes() {
  const bool tumble = sw_.animation && sw_.tumble;
  if (sw_.animation) {
    out_.Line("ROUTE ts.fraction_changed TO oi.set_fraction");
    out_.Line("ROUTE oi.value_changed TO tr.set_rotation");
    if (Labels()) out_.Line("ROUTE ts.fraction_changed TO oii.set_fraction");
  }
  if (tumble) {
    out_.Line("ROUTE ts2.fraction_changed TO oi2.set_fraction");
    out_.Line("ROUTE oi2.value_changed TO tr0.set_rotation");
    out_.Line("ROUTE ts2.fraction_changed TO oi2i.set_fraction");
  }
  if (sw_.lights) {
    out_.Line("ROUTE ps.orientation_changed TO tr2.set_rotation");
    out_.Line("ROUTE ps.position_changed TO tr2.set_translation");
  }
  if (sw_.indiceson) {
    for (int p = 0; p < PresentCount(); ++p) {
      if (!Labelled(p)) continue;
      const std::string i = std::to_string(p + 1);
      if (!sw_.animation) {
        out_.Line("ROUTE ps.orientation_changed TO TI" + i + ".set_rotation");
        continue;
      }
      out_.Line("ROUTE oii.value_changed TO TI" + i + ".set_rotation");
      if (tumble) out_.Line("ROUTE oi2i.value_changed TO TT" + i + ".set_rotation");
      out_.Line("ROUTE ps.orientation_changed TO TI" + i + "o.set_rotation");
    }
  }
  if (sw_.Caxes) {
    if (sw_.animation) {
      for (const char* n : {"1", "2", "3"})
        out_.Line(std::string("ROUTE oii.value_changed TO TA") + n + ".set_rotation");
      if (tumble)
        for (const char* n : {"3", "2", "1"})
          out_.Line(std::string("ROUTE oi2i.value_changed TO TTA") + n + ".set_rotation");
      for (const char* n : {"1", "2", "3"})
        out_.Line(std::string("ROUTE ps.orientation_changed TO TIA") + n + ".set_rotation");
    } else {
      for (const char* n : {"1", "2", "3"})
        out_.Line(std::string("ROUTE ps.orientation_changed TO TA") + n + ".set_rotation");
    }
  }
}

}  // namespace

SceneOutput WriteScene(const CrystalModel& model, const Polyhedron& polyhedron,
                       const DisplaySettings& display, const SceneSwitches& switches) {
  SceneOutput output;
  output.geometry = BuildSceneGeometry(model, polyhedron, switches);
  output.text = Writer(model, polyhedron, display, switches, output.geometry).Write();
  return output;
}

}  // namespace habitopia
