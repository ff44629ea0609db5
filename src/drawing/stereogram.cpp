#include "drawing/stereogram.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/numbers.h"
#include "drawing/svg_text.h"
#include "symmetry/face_rows.h"
#include "tools/measurements.h"

namespace habitopia {

namespace {

constexpr Real kEquator = 1e-12L;  // directions this close to the primitive count as upper
constexpr int kCircleSamples = 360;
constexpr int kArcSamples = 90;
constexpr int kBisections = 60;
constexpr Real kNegligibleRun = 1e-9L;  // a run that only touches the primitive
constexpr Real kPi = 3.1415926535897932385L;

Vec3 Unit(const Vec3& v) {
  const Real n = Norm(v);
  return n > 0 ? ScaleVec(v, 1 / n) : v;
}

bool UpperSide(const ViewFrame& frame, const Vec3& p) { return Dot(p, frame.toward) >= -kEquator; }

Point2 Projected(const ViewFrame& frame, const Vec3& p, bool upper, StereoProjection projection) {
  const Vec3 u = Unit(p);
  const Real z = Dot(u, frame.toward);
  Real denominator = upper ? 1 + z : 1 - z;
  if (projection == StereoProjection::EqualArea) denominator = std::sqrt(denominator);
  return {Dot(u, frame.right) / denominator, Dot(u, frame.up) / denominator};
}

// Splits the curve t -> point(t), t in [t0, t1], into runs on each hemisphere.
// A run that crosses the primitive ends (and the next begins) at the crossing.
std::vector<StereoCurve> SplitRuns(const ViewFrame& frame, const std::function<Vec3(Real)>& point,
                                   Real t0, Real t1, int samples, bool closed, bool withLower,
                                   StereoProjection projection) {
  auto project = [&](const Vec3& p, bool upper) { return Projected(frame, p, upper, projection); };
  std::vector<StereoCurve> runs;
  StereoCurve run;
  bool side = UpperSide(frame, point(t0));
  run.upper = side;
  run.points.push_back(project(point(t0), side));
  for (int i = 1; i <= samples; ++i) {
    const Real t = t0 + (t1 - t0) * i / samples;
    const Vec3 p = point(t);
    const bool now = UpperSide(frame, p);
    if (now != side) {
      Real a = t0 + (t1 - t0) * (i - 1) / samples, b = t;
      for (int k = 0; k < kBisections; ++k) {
        const Real mid = (a + b) / 2;
        (UpperSide(frame, point(mid)) == side ? a : b) = mid;
      }
      Vec3 crossing = point((a + b) / 2);
      crossing = SubVec(crossing, ScaleVec(frame.toward, Dot(crossing, frame.toward)));
      run.points.push_back(project(crossing, true));
      runs.push_back(std::move(run));
      run = StereoCurve{};
      run.upper = now;
      run.points.push_back(project(crossing, true));
      side = now;
    }
    run.points.push_back(project(p, side));
  }
  runs.push_back(std::move(run));
  // A closed curve's last run continues into its first.
  if (closed && runs.size() > 1 && runs.front().upper == runs.back().upper) {
    StereoCurve& last = runs.back();
    last.points.insert(last.points.end(), runs.front().points.begin() + 1,
                       runs.front().points.end());
    runs.front() = std::move(last);
    runs.pop_back();
  }
  std::vector<StereoCurve> kept;
  for (StereoCurve& r : runs) {
    Real length = 0;
    for (std::size_t i = 1; i < r.points.size(); ++i)
      length +=
          std::hypot(r.points[i][0] - r.points[i - 1][0], r.points[i][1] - r.points[i - 1][1]);
    if ((r.upper || withLower) && length > kNegligibleRun) kept.push_back(std::move(r));
  }
  return kept;
}

void Append(std::vector<StereoCurve>& to, std::vector<StereoCurve> from) {
  for (StereoCurve& c : from) to.push_back(std::move(c));
}

}  // namespace

StereoPosition StereographicPosition(const ViewFrame& frame, const Vec3& direction,
                                     StereoProjection projection) {
  StereoPosition position;
  position.upper = UpperSide(frame, Unit(direction));
  position.point = Projected(frame, direction, position.upper, projection);
  return position;
}

std::vector<StereoCurve> SphereCircle(const ViewFrame& frame, const Vec3& axis, Real radius,
                                      bool withLower, StereoProjection projection) {
  const Vec3 a = Unit(axis);
  const Vec3 helper = std::fabs(a[0]) < 0.9L ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
  const Vec3 e1 = Unit(Cross(a, helper));
  const Vec3 e2 = Cross(a, e1);
  const Real c = std::cos(radius), s = std::sin(radius);
  auto point = [&](Real t) {
    return AddVec(ScaleVec(a, c),
                  AddVec(ScaleVec(e1, s * std::cos(t)), ScaleVec(e2, s * std::sin(t))));
  };
  return SplitRuns(frame, point, 0, 2 * kPi, kCircleSamples, true, withLower, projection);
}

Stereogram BuildStereogram(const CellMatrices& cell, std::span<const FaceRecord> faces,
                           const Polyhedron& polyhedron, const StereogramOptions& options) {
  Stereogram stereogram;
  stereogram.fourIndex = options.fourIndex;
  stereogram.projection = options.projection;
  stereogram.twin = options.twinTurn.has_value();
  const ViewFrame& frame = options.frame;
  const StereoProjection projection = options.projection;
  for (bool twin : {false, true}) {
    if (twin && !options.twinTurn) break;
    for (int f = 0; f < static_cast<int>(faces.size()); ++f) {
      const bool present = f < static_cast<int>(polyhedron.presentIndex.size()) &&
                           polyhedron.presentIndex[f] != kAbsentFace;
      if (!present && !options.allFaces) continue;
      Vec3 normal = HklToCartesian(cell, faces[f].Indices());
      if (!(Norm(normal) > 0)) continue;
      if (twin) normal = MultiplyMatVec(*options.twinTurn, normal);
      stereogram.poles.push_back(
          {f, faces[f].Indices(), StereographicPosition(frame, normal, projection), present, twin});
    }
  }

  if (options.wulffNet) {
    for (int degrees = -80; degrees <= 80; degrees += 10) {
      const Real alpha = degrees * kDegreesToRadians;
      const Vec3 axis =
          AddVec(ScaleVec(frame.right, std::cos(alpha)), ScaleVec(frame.toward, std::sin(alpha)));
      Append(stereogram.net, SphereCircle(frame, axis, kPi / 2, false, projection));
    }
    for (int degrees = 10; degrees <= 170; degrees += 10)
      Append(stereogram.net,
             SphereCircle(frame, frame.up, degrees * kDegreesToRadians, false, projection));
  }

  const int count = static_cast<int>(faces.size());
  auto valid = [&](int f) { return f >= 0 && f < count; };
  for (const auto& [first, second] : options.zones) {
    if (!valid(first) || !valid(second)) continue;
    const Vec3 axis = Cross(HklToCartesian(cell, faces[first].Indices()),
                            HklToCartesian(cell, faces[second].Indices()));
    if (!(Norm(axis) > 0)) continue;
    Append(stereogram.zones, SphereCircle(frame, axis, kPi / 2, true, projection));
  }

  if (options.angleFaces && valid(options.angleFaces->first) && valid(options.angleFaces->second)) {
    const FaceRecord& a = faces[options.angleFaces->first];
    const FaceRecord& b = faces[options.angleFaces->second];
    const std::string textA = IndexText(a.Indices());
    const std::string textB = IndexText(b.Indices());
    const AngleResult angle = InterfacialAngle(cell, a, b, textA, textB);
    stereogram.angleCaption = angle.caption;
    stereogram.angleFacesText = IndexLabelText(a.Indices(), options.fourIndex) + " / " +
                                IndexLabelText(b.Indices(), options.fourIndex);
    const Vec3 n1 = Unit(HklToCartesian(cell, a.Indices()));
    const Vec3 n2 = Unit(HklToCartesian(cell, b.Indices()));
    const Real theta = std::acos(std::clamp<Real>(Dot(n1, n2), -1, 1));
    if (theta > 1e-9L && kPi - theta > 1e-9L) {
      auto point = [&](Real s) {
        return AddVec(ScaleVec(n1, std::sin((1 - s) * theta)), ScaleVec(n2, std::sin(s * theta)));
      };
      stereogram.angleArc = SplitRuns(frame, point, 0, 1, kArcSamples, false, true, projection);
    }
  }
  return stereogram;
}

namespace {

struct StereoPage {
  Real cx = 300, cy = 300, radius = 250;
  std::string X(const Point2& p) const { return SvgNumber(cx + p[0] * radius); }
  std::string Y(const Point2& p) const { return SvgNumber(cy - p[1] * radius); }
  std::string Polyline(const StereoCurve& c, const char* cls) const {
    std::string out = "<polyline class=\"" + std::string(cls) + "\"";
    if (!c.upper) out += " stroke-dasharray=\"5 4\"";
    out += " points=\"";
    for (std::size_t i = 0; i < c.points.size(); ++i)
      out += (i ? " " : "") + X(c.points[i]) + "," + Y(c.points[i]);
    return out + "\"/>\n";
  }
};

// Upper hemisphere: a dot (filled when present, open when absent). Lower
// hemisphere: a larger ring (grey-filled when present, open when absent), so a
// dot and a ring at one place read as the two poles of a plane's normal line.
// The twin's poles are the same markers in amber.
std::string Marker(Real x, Real y, bool upper, bool present, bool twin, const char* cls) {
  const std::string centre = " cx=\"" + SvgNumber(x) + "\" cy=\"" + SvgNumber(y) + "\"";
  const std::string kind = std::string(cls) + (twin ? " twin" : "");
  const std::string stroke = twin ? " stroke=\"#a0520a\"" : "";
  if (upper)
    return "<circle class=\"" + kind + " upper\"" + centre + " r=\"4\" fill=\"" +
           (present ? (twin ? "#e08a2e" : "#000000") : "#ffffff") + "\"" + stroke + "/>\n";
  return "<circle class=\"" + kind + " lower\"" + centre + " r=\"7.5\" fill=\"" +
         (present ? (twin ? "#f0c890" : "#a0a0a0") : "none") + "\"" + stroke + "/>\n";
}

}  // namespace

std::string StereogramSvg(const Stereogram& stereogram, const std::string& title, int size) {
  const int legend = stereogram.twin ? 106 : 84;
  const bool equalArea = stereogram.projection == StereoProjection::EqualArea;
  StereoPage page;
  page.cx = size / 2.0L;
  page.cy = size / 2.0L;
  page.radius = size / 2.0L - 56;
  const std::string width = FormatInteger(size), height = FormatInteger(size + legend);

  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + width +
         "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height + "\">\n";
  svg += "<title>" + SvgEscape(title) + "</title>\n";
  svg += "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#ffffff\"/>\n";

  if (!stereogram.net.empty()) {
    svg += std::string("<g id=\"") + (equalArea ? "schmidt-net" : "wulff-net") +
           "\" fill=\"none\" stroke=\"#c4c4c4\" stroke-width=\"0.6\">\n";
    for (const StereoCurve& c : stereogram.net) svg += page.Polyline(c, "net");
    svg += "</g>\n";
  }
  svg += "<g id=\"primitive\" fill=\"none\" stroke=\"#000000\">\n";
  svg += "<circle class=\"primitive\" cx=\"" + SvgNumber(page.cx) + "\" cy=\"" +
         SvgNumber(page.cy) + "\" r=\"" + SvgNumber(page.radius) + "\" stroke-width=\"1.4\"/>\n";
  svg += "<path class=\"centre\" d=\"M" + SvgNumber(page.cx - 5) + "," + SvgNumber(page.cy) + " H" +
         SvgNumber(page.cx + 5) + " M" + SvgNumber(page.cx) + "," + SvgNumber(page.cy - 5) + " V" +
         SvgNumber(page.cy + 5) + "\" stroke-width=\"0.8\"/>\n";
  svg += "</g>\n";
  if (!stereogram.zones.empty()) {
    svg += "<g id=\"zones\" fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"1.2\">\n";
    for (const StereoCurve& c : stereogram.zones) svg += page.Polyline(c, "zone");
    svg += "</g>\n";
  }
  if (!stereogram.angleArc.empty()) {
    svg += "<g id=\"angle\" fill=\"none\" stroke=\"#c02020\" stroke-width=\"1.8\">\n";
    for (const StereoCurve& c : stereogram.angleArc) svg += page.Polyline(c, "angle-arc");
    svg += "</g>\n";
  }

  svg += "<g id=\"poles\" stroke=\"#000000\" stroke-width=\"1.2\">\n";
  for (bool upper : {false, true})
    for (const StereoPole& pole : stereogram.poles) {
      if (pole.position.upper != upper) continue;
      const Real x = std::stold(page.X(pole.position.point));
      const Real y = std::stold(page.Y(pole.position.point));
      svg += Marker(x, y, upper, pole.present, pole.twin, "pole");
    }
  svg += "</g>\n";
  svg += "<g id=\"pole-labels\" font-family=\"serif\" font-size=\"12\" fill=\"#000000\">\n";
  for (const StereoPole& pole : stereogram.poles) {
    const Real x = std::stold(page.X(pole.position.point)) + 9;
    const Real y = std::stold(page.Y(pole.position.point)) + (pole.position.upper ? -6 : 15);
    const char* colour = pole.twin
                             ? (pole.position.upper ? " fill=\"#a0520a\"" : " fill=\"#c08a50\"")
                             : (pole.position.upper ? "" : " fill=\"#555555\"");
    svg += std::string("<text class=\"") + (pole.twin ? "pole-label twin" : "pole-label") +
           "\" x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\"" + colour + ">" +
           IndexLabelSvg(pole.hkl, stereogram.fourIndex) + "</text>\n";
  }
  svg += "</g>\n";

  const Real legendY = size + 14;
  svg += "<g id=\"legend\" font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n";
  const struct {
    bool upper, present, twin;
    const char* text;
  } keys[] = {{true, true, false, "face present, upper hemisphere"},
              {true, false, false, "face absent, upper hemisphere"},
              {false, true, false, "face present, lower hemisphere"},
              {false, false, false, "face absent, lower hemisphere"},
              {true, true, true, "twin face, upper hemisphere"},
              {false, true, true, "twin face, lower hemisphere"}};
  const int keyCount = stereogram.twin ? 6 : 4;
  for (int i = 0; i < keyCount; ++i) {
    const Real x = 24 + (i % 2) * size / 2.0L;
    const Real y = legendY + (i / 2) * 22;
    svg += "<g stroke=\"#000000\" stroke-width=\"1.2\">" +
           Marker(x, y, keys[i].upper, keys[i].present, keys[i].twin, "legend-marker") + "</g>";
    svg += "<text x=\"" + SvgNumber(x + 14) + "\" y=\"" + SvgNumber(y + 4) + "\">" + keys[i].text +
           "</text>\n";
  }
  if (!stereogram.angleCaption.empty())
    svg += "<text id=\"angle-caption\" x=\"24\" y=\"" +
           SvgNumber(legendY + (stereogram.twin ? 72 : 50)) + "\" fill=\"#c02020\">" +
           SvgEscape(stereogram.angleFacesText + ": " + stereogram.angleCaption) + "</text>\n";
  svg += "</g>\n</svg>\n";
  return svg;
}

}  // namespace habitopia
