#include "files/model_document.h"

#include <algorithm>

#include "core/numbers.h"

namespace habitopia {

namespace {

bool IsFontStyleWord(const std::string& style) {
  return style == "BOLD" || style == "ITALIC" || style == "NORMAL" || style == "BOLDITALIC";
}

// Mean central distance of the faces other than the cleavage face, or `fallback`
// when there are none or they average to zero.
Real DistanceScaleWithoutFace(const std::vector<FaceRecord>& faces, int lastFace, int skipped,
                              Real fallback) {
  Real sum = 0;
  int count = 0;
  for (int f = 0; f <= lastFace; ++f) {
    if (f == skipped) continue;
    sum += faces[f].distance;
    ++count;
  }
  if (count == 0 || sum == 0) return fallback;
  return sum / count;
}

}  // namespace

Real ViewDistanceForPerspective(int p) { return static_cast<Real>(p) * p; }

Real FieldOfViewFor(int p, int zoom) { return 5 / (static_cast<Real>(p) * p) * zoom / 50; }

Real CycleIntervalForSpeed(int speed) {
  if (speed == 50) return 1000;
  return static_cast<Real>(50) / (speed - 50);
}

std::string FontSizeText(int points, char decimalSeparator) {
  std::string text = FormatGeneral(points * 0.2L / 12);
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

ModelDocument MakeDocument(const CrystalModel& model, const FormValues& form, SaveKind kind) {
  ModelDocument doc;
  doc.release = ModelRelease::Release15;
  doc.pointGroup = model.pointGroup;
  doc.cell = CellAsGiven(model);
  for (int i = 0; i <= model.lastUniqueFace && i < kFaceSlots; ++i) {
    const FaceRecord& f = model.faces[i];
    doc.uniqueFaces.push_back({f.h, f.k, f.l, f.distance});
  }

  const DisplaySettings& d = model.display;
  doc.transparency = d.transparency;
  doc.backgroundColour = d.backgroundColour;
  doc.edgeColour = d.edgeColour;
  doc.fillColour = d.fillColour;
  doc.labelColour = d.labelColour;
  doc.light1Colour = d.light1Colour;
  doc.light2Colour = d.light2Colour;
  doc.perspectivePosition = form.perspectivePosition;
  doc.speedPosition = form.speedPosition;
  doc.axesColour = d.axesColour;
  doc.axesLength = d.axesLength;
  doc.hasSectorTransparency = true;
  doc.sectorTransparency = d.specialTransparency;

  doc.switches =
      EncodeSwitches(form.switches, EncodePanelCode(form.panels, kind == SaveKind::UndoSnapshot));

  doc.fontName = d.fontFamily;
  doc.fontStyle = d.fontStyle;
  doc.labelFontPoints = d.labelFontPoints;
  doc.fontSizeText = FontSizeText(d.labelFontPoints);

  doc.twinType = static_cast<int>(model.twin.type);
  doc.twinTexts = form.twinTexts;

  const int lastFace = std::min(model.lastFace, kFaceSlots - 1);
  doc.faces.assign(model.faces.begin(), model.faces.begin() + (lastFace + 1));
  doc.cleavageFace =
      model.cleavageFace >= 0 && model.cleavageFace <= lastFace ? model.cleavageFace : -1;
  doc.showModel = form.showModel;
  doc.projectSectors = form.projectSectors;
  doc.anyLabelMark = std::any_of(doc.faces.begin(), doc.faces.end(),
                                 [](const FaceRecord& f) { return f.labelSelected; });
  return doc;
}

void ApplyDocument(const ModelDocument& doc, CrystalModel& model, int zoomPosition) {
  if (static_cast<int>(model.faces.size()) < kFaceSlots) model.faces.resize(kFaceSlots);

  // Loading starts without a cleavage face and with the single-face marks cleared.
  model.cleavageFace = -1;
  model.cleavageReversed = false;
  for (FaceRecord& f : model.faces) {
    f.growthSector = false;
    f.labelSelected = false;
    f.colourShown = 0;
    f.textureFile.clear();
  }

  model.pointGroup = model.acceptedGroup = model.builtForGroup = doc.pointGroup;
  SetCell(model, doc.cell);
  model.acceptedCell = model.cell;

  const int uniqueCount = std::min<int>(static_cast<int>(doc.uniqueFaces.size()), kFaceSlots);
  for (int i = 0; i < uniqueCount; ++i) {
    FaceRecord& f = model.faces[i];
    const UniqueFaceLine& u = doc.uniqueFaces[i];
    f.h = u.h;
    f.k = u.k;
    f.l = u.l;
    f.distance = u.distance;
  }
  model.lastUniqueFace = uniqueCount - 1;

  DisplaySettings& d = model.display;
  d.transparency = doc.transparency;
  d.backgroundColour = doc.backgroundColour;
  d.edgeColour = doc.edgeColour;
  d.fillColour = doc.fillColour;
  d.labelColour = doc.labelColour;
  d.light1Colour = doc.light1Colour;
  d.light2Colour = doc.light2Colour;
  d.axesColour = doc.axesColour;
  d.axesLength = doc.axesLength;
  if (doc.hasSectorTransparency) d.specialTransparency = doc.sectorTransparency;
  d.viewDistance = ViewDistanceForPerspective(doc.perspectivePosition);
  d.fieldOfView = FieldOfViewFor(doc.perspectivePosition, zoomPosition);
  d.cycleInterval = CycleIntervalForSpeed(doc.speedPosition);
  d.headlight = doc.switches[kSwitchHeadlight] == 1;
  d.brilliant = doc.switches[kSwitchBrilliant] == 1;
  d.fontFamily = doc.fontName;
  if (IsFontStyleWord(doc.fontStyle)) d.fontStyle = doc.fontStyle;
  d.fontSizeText = doc.fontSizeText;
  d.labelFontPoints = doc.labelFontPoints;

  model.twin.type =
      doc.twinType >= 0 && doc.twinType <= 4 ? static_cast<TwinType>(doc.twinType) : TwinType::None;

  const int faceCount = std::min<int>(static_cast<int>(doc.faces.size()), kFaceSlots);
  std::copy(doc.faces.begin(), doc.faces.begin() + faceCount, model.faces.begin());
  model.lastFace = faceCount - 1;

  if (doc.cleavageFace >= 0 && doc.cleavageFace <= model.lastFace) {
    const Real scale = DistanceScaleWithoutFace(model.faces, model.lastFace, doc.cleavageFace,
                                                model.polyhedron.distanceScale);
    model.cleavageFace = doc.cleavageFace;
    model.polyhedron.distanceScale = scale;
    model.cleavageDistance = model.faces[doc.cleavageFace].distance / scale;
  }
  model.geometryStale = true;
}

}  // namespace habitopia
