#include "files/model_reader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "core/cell_check.h"
#include "core/numbers.h"
#include "files/file_io.h"
#include "files/text_cursor.h"

namespace habitopia {

namespace {

struct ReadError {
  std::string message;
  int line = 0;
};

[[noreturn]] void Fail(int line, const std::string& message) {
  throw ReadError{"line " + std::to_string(line) + ": " + message, line};
}

std::string Quoted(std::string_view text) { return QuotedExcerpt(text); }

// Numbers of the model file. Before the face lines a missing number is an error;
// in the face lines the end of the file reads as zero.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : cursor_(text) {}

  TextCursor& cursor() { return cursor_; }
  void SetEndReadsZero(bool on) { endReadsZero_ = on; }

  // The fields of one line: the first may follow blank lines, the others must
  // stand on the same line. A line that ends early is an error naming it.
  void BeginLine() {
    lineBound_ = true;
    lineStarted_ = false;
    recordAtEnd_ = false;
  }
  void EndLine() {
    lineBound_ = false;
    cursor_.SkipLine();
  }

  Real ReadReal(const char* what) {
    int line = 0;
    const std::string_view token = NextField(line, what);
    if (token.empty()) return AtEnd(line, what);
    long double value = 0;
    if (!ParseReal(token, value)) Fail(line, Quoted(token) + " is not a number (" + what + ")");
    lastLine_ = line;
    return value;
  }

  // A number kept to three decimals, as indices and distances are.
  Real ReadRounded(const char* what) {
    const Real value = Round3(ReadReal(what));
    if (!std::isfinite(value)) Fail(lastLine_, std::string("the ") + what + " is out of range");
    return value;
  }

  long long ReadInteger(const char* what, long long low = std::numeric_limits<int>::min(),
                        long long high = std::numeric_limits<int>::max()) {
    int line = 0;
    const std::string_view token = NextField(line, what);
    if (token.empty()) return static_cast<long long>(AtEnd(line, what));
    long long value = 0;
    if (!ParseInteger(token, value))
      Fail(line, Quoted(token) + " is not an integer (" + what + ")");
    if (value < low || value > high) Fail(line, Quoted(token) + " is out of range (" + what + ")");
    lastLine_ = line;
    return value;
  }

  // The whole current line as text.
  std::string ReadText(const char* what) {
    if (cursor_.AtEnd() && !endReadsZero_)
      Fail(cursor_.Line(), std::string("the file ends before the ") + what);
    return cursor_.ReadLine();
  }

  int LastLine() const { return lastLine_; }

 private:
  std::string_view NextField(int& line, const char* what) {
    if (!lineBound_) return cursor_.NextToken(line);
    if (!lineStarted_) {
      const std::string_view token = cursor_.NextToken(line);
      lineStarted_ = true;
      fieldLine_ = line;
      recordAtEnd_ = token.empty();
      return token;
    }
    if (recordAtEnd_) {
      line = cursor_.Line();
      return {};
    }
    if (cursor_.SeekLineEnd()) Fail(fieldLine_, std::string("the line ends before the ") + what);
    return cursor_.NextToken(line);
  }

  Real AtEnd(int line, const char* what) {
    if (!endReadsZero_) Fail(line, std::string("the file ends before the ") + what);
    return 0;
  }

  TextCursor cursor_;
  bool endReadsZero_ = false;
  bool lineBound_ = false;    // between BeginLine and EndLine
  bool lineStarted_ = false;  // a field of the current record was read
  bool recordAtEnd_ = false;  // the record started at the end of the text
  int fieldLine_ = 0;
  int lastLine_ = 0;
};

Rgb ReadColour(FieldReader& in, const char* what) {
  return ColourFromValue(in.ReadInteger(what, std::numeric_limits<long long>::min(),
                                        std::numeric_limits<long long>::max()));
}

bool HasDirectoryPart(const std::string& name) {
  return name.find_first_of("/\\") != std::string::npos;
}

std::string TrimLeadingBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

void ReadHeader(FieldReader& in, ModelDocument& doc) {
  const long long u = in.ReadInteger("index of the last unique face", -1);
  if (u + 1 > kFaceSlots)
    Fail(in.LastLine(), std::to_string(u + 1) +
                            " unique faces do not fit the face table (at most " +
                            std::to_string(kFaceSlots) + ")");
  in.cursor().SkipLine();

  doc.pointGroup = static_cast<int>(in.ReadInteger("point group"));
  if (doc.pointGroup < 1 || doc.pointGroup > 33)
    Fail(in.LastLine(),
         "point group " + std::to_string(doc.pointGroup) + " is not between 1 and 33");
  in.cursor().SkipLine();

  in.BeginLine();
  doc.cell.a = in.ReadReal("cell length a");
  doc.cell.b = in.ReadReal("cell length b");
  doc.cell.c = in.ReadReal("cell length c");
  const int lengthLine = in.LastLine();
  in.EndLine();
  in.BeginLine();
  doc.cell.alpha = in.ReadReal("cell angle alpha");
  doc.cell.beta = in.ReadReal("cell angle beta");
  doc.cell.gamma = in.ReadReal("cell angle gamma");
  const int angleLine = in.LastLine();
  in.EndLine();
  if (const auto fault = FindCellFault(doc.cell))
    Fail(*fault == CellFault::Lengths || *fault == CellFault::LengthRatio ? lengthLine : angleLine,
         CellFaultText(*fault));

  doc.uniqueFaces.clear();
  doc.uniqueFaces.reserve(static_cast<std::size_t>(u + 1));
  for (long long i = 0; i <= u; ++i) {
    UniqueFaceLine face;
    in.BeginLine();
    face.h = in.ReadRounded("unique face h");
    face.k = in.ReadRounded("unique face k");
    face.l = in.ReadRounded("unique face l");
    face.distance = in.ReadRounded("unique face distance");
    in.EndLine();
    doc.uniqueFaces.push_back(face);
  }
}

// The display values set sliders; a value beyond a slider's range is taken as
// the slider shows it, at the nearer end.
void ClampToControls(ModelDocument& doc) {
  doc.transparency = std::clamp(doc.transparency, Real{0}, Real{1});
  doc.sectorTransparency = std::clamp(doc.sectorTransparency, Real{0}, Real{1});
  doc.perspectivePosition =
      std::clamp(doc.perspectivePosition, kPerspectiveSliderMin, kPerspectiveSliderMax);
  doc.speedPosition = std::clamp(doc.speedPosition, kSpeedSliderMin, kSpeedSliderMax);
  doc.axesLength = std::clamp(doc.axesLength, Real{0}, kAxesLengthMax);
}

void ReadDisplaySettings(FieldReader& in, ModelDocument& doc) {
  doc.transparency = in.ReadReal("transparency");
  doc.backgroundColour = ReadColour(in, "background colour");
  doc.edgeColour = ReadColour(in, "edge colour");
  doc.fillColour = ReadColour(in, "fill colour");
  doc.labelColour = ReadColour(in, "label colour");
  doc.light1Colour = ReadColour(in, "spotlight 1 colour");
  doc.light2Colour = ReadColour(in, "spotlight 2 colour");
  doc.perspectivePosition = static_cast<int>(in.ReadInteger("focal angle"));
  doc.speedPosition = static_cast<int>(in.ReadInteger("animation speed"));
  doc.axesColour = ReadColour(in, "axes colour");
  doc.axesLength = in.ReadReal("axes length");
  doc.hasSectorTransparency = !in.cursor().SeekLineEnd();
  if (doc.hasSectorTransparency) doc.sectorTransparency = in.ReadReal("sector transparency");
  ClampToControls(doc);

  for (int i = 0; i < kSwitchCount; ++i)
    doc.switches[i] = in.ReadInteger("display switch", std::numeric_limits<long long>::min(),
                                     std::numeric_limits<long long>::max());
  in.cursor().SkipLine();
}

void ReadFont(FieldReader& in, ModelDocument& doc) {
  doc.fontName = in.ReadText("font name");
  doc.fontStyle = in.ReadText("font style");
  const int line = in.cursor().Line();
  std::string size = in.ReadText("font size");
  std::replace(size.begin(), size.end(), ',', '.');
  // With the commas made points the text converts as a point locale reads it,
  // blanks around the number included.
  long double value = 0;
  if (!ParseLocaleReal(size, false, value))
    Fail(line, Quoted(size) + " is not a number (label font size)");
  doc.fontSizeText = size;
  const long long points = RoundToInteger(value * 12 / 0.2L);
  if (points < 0 || points > std::numeric_limits<int>::max())
    Fail(line, Quoted(size) + " is out of range (label font size)");
  doc.labelFontPoints = static_cast<int>(points);
}

void ReadTwin(FieldReader& in, ModelDocument& doc) {
  doc.twinTexts = kInitialTwinTexts;
  if (doc.release != ModelRelease::Release15) {
    doc.twinType = 0;
    return;
  }
  doc.twinType = static_cast<int>(in.ReadInteger("twin type"));
  in.cursor().SkipLine();
  static const char* const kTwinTextNames[kTwinTextCount] = {"twin face", "twin axis", "twin point",
                                                             "twin angle", "twin position"};
  for (int i = 0; i < kTwinTextCount; ++i) doc.twinTexts[i] = in.ReadText(kTwinTextNames[i]);
}

void ReadFaces(FieldReader& in, ModelDocument& doc, std::string_view fileName,
               const ModelReadOptions& options) {
  in.SetEndReadsZero(true);
  const bool snapshot = fileName.find(".tmp.") != std::string_view::npos;
  const std::filesystem::path previousDirectory =
      std::filesystem::path(options.previousModelFile).parent_path();

  doc.faces.clear();
  doc.faces.reserve(doc.uniqueFaces.size());
  doc.cleavageFace = -1;
  doc.showModel = doc.projectSectors = false;
  doc.anyLabelMark = false;
  do {
    const int line = in.cursor().Line();
    if (static_cast<int>(doc.faces.size()) == kFaceSlots)
      Fail(line, "more than " + std::to_string(kFaceSlots) +
                     " face lines; the face table holds at most " + std::to_string(kFaceSlots) +
                     " faces");
    FaceRecord face;
    in.BeginLine();
    face.faceColour[0] = in.ReadReal("face red");
    face.faceColour[1] = in.ReadReal("face green");
    face.faceColour[2] = in.ReadReal("face blue");
    face.colourShown = in.ReadReal("face colour shown");
    const long long sectorCode = in.ReadInteger("growth-sector mark");
    const long long labelMark = in.ReadInteger("label mark");
    face.h = in.ReadRounded("face h");
    face.k = in.ReadRounded("face k");
    face.l = in.ReadRounded("face l");
    face.distance = in.ReadRounded("face distance");
    if (doc.release != ModelRelease::Release11) {
      face.textureFile = TrimLeadingBlanks(in.cursor().RestOfLine());
      if (snapshot && !face.textureFile.empty() && !HasDirectoryPart(face.textureFile) &&
          !previousDirectory.empty())
        face.textureFile = (previousDirectory / face.textureFile).string();
    }
    in.EndLine();

    const SectorMark mark = DecodeSectorMark(sectorCode);
    face.growthSector = mark.growthSector;
    if (mark.cleavageFace) {
      doc.cleavageFace = static_cast<int>(doc.faces.size());
      doc.showModel = mark.showModel;
      doc.projectSectors = mark.projectSectors;
    }
    face.labelSelected = labelMark != 0;
    doc.anyLabelMark = doc.anyLabelMark || face.labelSelected;
    doc.faces.push_back(face);
  } while (!in.cursor().OnlyBlankLeft());
}

}  // namespace

ModelReadResult ParseModelText(std::string_view text, std::string_view fileName,
                               const ModelReadOptions& options) {
  ModelReadResult result;
  FieldReader in(text);
  try {
    const std::string marker = in.cursor().ReadLine();
    const auto release = ReleaseFromMarker(marker);
    if (!release)
      Fail(1,
           "not a Habitopia model file: the first line is not \"Habitopia data Release 1.1\", "
           "\"Habitopia data Release 1.2\" or \"Habitopia data Release 1.5\"");
    ModelDocument& doc = result.document;
    doc.release = *release;
    ReadHeader(in, doc);
    ReadDisplaySettings(in, doc);
    ReadFont(in, doc);
    ReadTwin(in, doc);
    ReadFaces(in, doc, fileName, options);
    result.ok = true;
  } catch (const ReadError& error) {
    result.ok = false;
    result.error = error.message;
    result.errorLine = error.line;
  }
  return result;
}

ModelReadResult ReadModelFile(const std::string& path, const ModelReadOptions& options) {
  std::string text;
  std::string error;
  if (!ReadWholeFile(path, text, error)) {
    ModelReadResult result;
    result.error = error;
    return result;
  }
  return ParseModelText(text, path, options);
}

}  // namespace habitopia
