#include "tools/twin.h"

#include <cmath>

#include "core/numbers.h"

namespace habitopia {

TwinAngle NormaliseTwinAngle(Real angle) {
  TwinAngle result;
  if (angle > 0) {
    while (angle >= 360) angle -= 360;
    result.shown = angle;
    if (angle > 180) angle -= 360;
  } else {
    while (angle <= -360) angle += 360;
    result.shown = angle;
    if (angle < -180) angle += 360;
  }
  result.used = angle;
  return result;
}

namespace {

// Divides the triple by its smallest non-zero absolute component when every
// component then is a whole number; 0 0 0 becomes 0 0 1.
Vec3 ReduceAxis(Vec3 v) {
  Real smallest = 0;
  for (Real c : v)
    if (c != 0 && (smallest == 0 || std::fabs(c) < smallest)) smallest = std::fabs(c);
  if (smallest != 0) {
    bool whole = true;
    for (Real c : v) {
      const Real q = c / smallest;
      if (q != std::trunc(q)) whole = false;
    }
    if (whole)
      for (Real& c : v) c /= smallest;
  } else {
    v[2] = 1;
  }
  return v;
}

// Sine and cosine of an angle in degrees, exact at multiples of 90 degrees.
Real SinDegrees(Real degrees) {
  const Real reduced = std::fmod(degrees, 360.0L);
  if (reduced == 0 || reduced == 180 || reduced == -180) return 0;
  if (reduced == 90 || reduced == -270) return 1;
  if (reduced == -90 || reduced == 270) return -1;
  return std::sin(degrees * kDegreesToRadians);
}
Real CosDegrees(Real degrees) { return SinDegrees(degrees + 90); }

std::string TripleText(const Vec3& v) {
  return FormatGeneral(v[0]) + " " + FormatGeneral(v[1]) + " " + FormatGeneral(v[2]);
}

Vec3 ToCartesian(const CellMatrices& cell, const Vec3& v, bool reciprocal) {
  return reciprocal ? HklToCartesian(cell, v) : UvwToCartesian(cell, v);
}

}  // namespace

std::optional<TwinTriple> ReadTwinTriple(const std::string& text, const Vec3& start,
                                         bool reduceAsAxis) {
  if (text.empty()) return std::nullopt;
  TwinTriple triple;
  triple.values = start;
  int read = 0;
  std::size_t pos = 0;
  while (pos < text.size() && read < 3) {
    // A token runs up to and including the next blank.
    std::size_t end = text.find(' ', pos);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string token = text.substr(pos, end - pos);
    pos = end;
    if (token == " ") continue;
    if (!token.empty() && token.back() == ' ') token.pop_back();
    long double value = 0;
    if (!ParseReal(token, value)) value = 0;
    triple.values[read++] = Round3(value);
  }
  if (reduceAsAxis) triple.values = ReduceAxis(triple.values);
  triple.text = TripleText(triple.values);
  return triple;
}

TwinSettings TwinSettingsFromTexts(TwinType type, const TwinToolTexts& texts,
                                   const CellMatrices& cell) {
  TwinSettings twin;
  twin.type = type;
  const bool reciprocal = type == TwinType::RotationReciprocal;
  if (auto axis = ReadTwinTriple(texts.axis, {0, 0, 1}, true))
    twin.twinAxis = ToCartesian(cell, axis->values, reciprocal);
  else
    twin.twinAxis = ToCartesian(cell, {0, 0, 1}, reciprocal);
  long double angle = 0;
  if (ParseReal(texts.angle, angle)) twin.twinAngle = angle;
  if (type == TwinType::RotationReal || type == TwinType::RotationReciprocal)
    twin.twinAngle = NormaliseTwinAngle(twin.twinAngle).used;
  if (auto through = ReadTwinTriple(texts.through, {0, 0, 0}, false))
    twin.twinThrough = ToCartesian(cell, through->values, reciprocal);
  if (auto centre = ReadTwinTriple(texts.centre, {0, 0, 0}, false))
    twin.twinCentre = ToCartesian(cell, centre->values, reciprocal);
  return twin;
}

std::string RoundedIndexText(Real h, Real k, Real l) {
  return std::to_string(RoundToInteger(h)) + " " + std::to_string(RoundToInteger(k)) + " " +
         std::to_string(RoundToInteger(l));
}

int FindContactFace(const Polyhedron& polyhedron, const std::string& faceText) {
  for (int p = 0; p < polyhedron.PresentFaceCount(); ++p) {
    const PresentFace& face = polyhedron.presentFaces[p];
    if (RoundedIndexText(face.h, face.k, face.l) == faceText) return p;
  }
  return -1;
}

std::optional<MirrorPlane> MirrorPlaneOf(const std::vector<int>& indexList,
                                         const std::vector<Vec3>& corners) {
  if (indexList.size() < 3) return std::nullopt;
  for (int i = 0; i < 3; ++i)
    if (indexList[i] < 0 || indexList[i] >= static_cast<int>(corners.size())) return std::nullopt;
  const Vec3& a = corners[indexList[0]];
  const Vec3& b = corners[indexList[1]];
  const Vec3& c = corners[indexList[2]];
  Vec3 n = Cross(SubVec(c, a), SubVec(b, a));
  const Real length = Norm(n);
  if (length != 0) n = ScaleVec(n, 1 / length);
  return MirrorPlane{a, n};
}

Vec3 InvertThrough(const Vec3& q, const Vec3& centre) { return SubVec(ScaleVec(centre, 2), q); }

Vec3 MirrorIn(const Vec3& q, const MirrorPlane& plane) {
  const Real distance = Dot(SubVec(q, plane.point), plane.normal);
  return SubVec(q, ScaleVec(plane.normal, 2 * distance));
}

Vec3 RotateAboutTwinAxis(const Vec3& q, const TwinSettings& twin) {
  const Real axisLength = Norm(twin.twinAxis);
  const Vec3 u = ScaleVec(twin.twinAxis, 1 / (axisLength == 0 ? 1 : axisLength));
  const Vec3 d = SubVec(q, twin.twinThrough);
  const Real c = Dot(u, d);
  const Vec3 p = SubVec(d, ScaleVec(u, c));
  const Vec3 w = Cross(u, p);
  // The rotated direction p + tan(x) w (|x| <= 90), w - tan(x - 90) p (x > 90) or
  // -w - tan(-90 - x) p (x < -90) is in each range a positive multiple of
  // cos(x) p + sin(x) w; that form is used so that quarter and half turns, where the
  // tangent of 90 degrees takes an arbitrary sign in extended precision, come out
  // exact.
  const Real x = twin.twinAngle;
  Vec3 s = AddVec(ScaleVec(p, CosDegrees(x)), ScaleVec(w, SinDegrees(x)));
  const Real sLength = Norm(s);
  s = ScaleVec(s, (sLength == 0 ? 1 : 1 / sLength) * Norm(p));
  Vec3 result = AddVec(twin.twinThrough, ScaleVec(u, c));
  result = AddVec(result, s);
  return AddVec(result, ScaleVec(u, Dot(twin.twinThrough, u)));
}

std::optional<std::vector<Vec3>> TwinCornerPositions(
    TwinKind kind, const TwinSettings& twin, const std::vector<Vec3>& sceneCorners,
    const std::vector<std::vector<int>>& faceIndexLists, const Polyhedron& polyhedron,
    const std::string& contactFaceText) {
  std::vector<Vec3> result;
  result.reserve(sceneCorners.size());
  switch (kind) {
    case TwinKind::Inversion:
      for (const Vec3& q : sceneCorners) result.push_back(InvertThrough(q, twin.twinCentre));
      break;
    case TwinKind::Rotation:
      for (const Vec3& q : sceneCorners) result.push_back(RotateAboutTwinAxis(q, twin));
      break;
    case TwinKind::Contact: {
      const int face = FindContactFace(polyhedron, contactFaceText);
      if (face < 0 || face >= static_cast<int>(faceIndexLists.size())) return std::nullopt;
      const auto plane = MirrorPlaneOf(faceIndexLists[face], sceneCorners);
      if (!plane) return std::nullopt;
      for (const Vec3& q : sceneCorners) result.push_back(MirrorIn(q, *plane));
      break;
    }
  }
  return result;
}

}  // namespace habitopia
