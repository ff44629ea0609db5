#include "files/model_writer.h"

#include "core/numbers.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

constexpr const char* kLineEnd = "\r\n";

class LineWriter {
 public:
  void Line(const std::string& text) { out_ += text + kLineEnd; }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

std::string Fixed53(Real v) { return FormatFixed(v, 5, 3); }

// Fields after the first are separated by one blank.
std::string Join(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& field : fields) {
    if (!line.empty()) line += ' ';
    line += field;
  }
  return line;
}

std::string Colour(const Rgb& c) { return FormatInteger(ColourValue(c)); }

std::string SettingsLine(const ModelDocument& d) {
  std::string line =
      Join({FormatFixed(d.transparency, 5, 2), Colour(d.backgroundColour), Colour(d.edgeColour),
            Colour(d.fillColour), Colour(d.labelColour), Colour(d.light1Colour),
            Colour(d.light2Colour), FormatInteger(d.perspectivePosition, 5),
            FormatInteger(d.speedPosition, 5), Colour(d.axesColour), FormatExponent(d.axesLength)});
  if (d.hasSectorTransparency) line += " " + FormatFixed(d.sectorTransparency, 5, 2);
  return line;
}

std::string SwitchesLine(const SwitchValues& switches) {
  std::string line;
  for (int i = 0; i < kSwitchCount; ++i) {
    if (i > 0) line += ' ';
    line += FormatInteger(switches[i]);
  }
  return line;
}

std::string FaceLine(const ModelDocument& d, int index) {
  const FaceRecord& f = d.faces[index];
  SectorMark mark;
  mark.growthSector = f.growthSector;
  if (index == d.cleavageFace) {
    mark.cleavageFace = true;
    mark.showModel = d.showModel;
    mark.projectSectors = d.projectSectors;
  }
  return Join({FormatFixed(f.faceColour[0], 3, 0), FormatFixed(f.faceColour[1], 3, 0),
               FormatFixed(f.faceColour[2], 3, 0), FormatFixed(f.colourShown, 2, 0),
               FormatInteger(EncodeSectorMark(mark), 2), FormatInteger(f.labelSelected ? 1 : 0, 2),
               Fixed53(f.h), Fixed53(f.k), Fixed53(f.l), Fixed53(f.distance)}) +
         " " + f.textureFile;
}

}  // namespace

std::string FormatModelText(const ModelDocument& d, const ModelWriteOptions& options) {
  LineWriter out;
  out.Line(std::string(kReleaseMarker15));
  out.Line(FormatInteger(d.LastUniqueFace()));
  out.Line(FormatInteger(d.pointGroup));
  out.Line(Join(
      {FormatFixed(d.cell.a, 9, 5), FormatFixed(d.cell.b, 9, 5), FormatFixed(d.cell.c, 9, 5)}));
  out.Line(Join({FormatFixed(d.cell.alpha, 9, 5), FormatFixed(d.cell.beta, 9, 5),
                 FormatFixed(d.cell.gamma, 9, 5)}));
  for (const UniqueFaceLine& u : d.uniqueFaces)
    out.Line(Join({Fixed53(u.h), Fixed53(u.k), Fixed53(u.l), Fixed53(u.distance)}));
  out.Line(SettingsLine(d));
  out.Line(SwitchesLine(d.switches));
  out.Line(d.fontName);
  out.Line(d.fontStyle);
  out.Line(FontSizeText(d.labelFontPoints, options.decimalSeparator));
  out.Line(FormatInteger(d.twinType));
  for (const std::string& text : d.twinTexts) out.Line(text);
  for (int i = 0; i <= d.LastFace(); ++i) out.Line(FaceLine(d, i));
  return out.Take();
}

ModelWriteResult WriteModelFile(const std::string& path, const ModelDocument& document,
                                const ModelWriteOptions& options) {
  ModelWriteResult result;
  result.ok = WriteFileAtomically(path, FormatModelText(document, options), result.error);
  return result;
}

}  // namespace habitopia
