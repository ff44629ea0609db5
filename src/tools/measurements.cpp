#include "tools/measurements.h"

#include <cmath>

#include "core/numbers.h"
#include "symmetry/face_rows.h"

namespace habitopia {

namespace {

constexpr Real kPi = 3.1415926535897932385L;

std::string JoinGeneral(const Vec3& v) {
  return FormatGeneral(v[0]) + " " + FormatGeneral(v[1]) + " " + FormatGeneral(v[2]);
}

// Present number of a face, or -1 when the face has no polygon.
int PresentNumber(const Polyhedron& polyhedron, int face) {
  if (face < 0 || face >= static_cast<int>(polyhedron.presentIndex.size())) return -1;
  const int p = polyhedron.presentIndex[face];
  if (p < 0 || p >= polyhedron.PresentFaceCount()) return -1;
  return p;
}

}  // namespace

AngleResult InterfacialAngle(const CellMatrices& cell, const FaceRecord& first,
                             const FaceRecord& second, const std::string& firstIndexText,
                             const std::string& secondIndexText) {
  const Vec3 a = HklToCartesian(cell, first.Indices());
  const Vec3 b = HklToCartesian(cell, second.Indices());
  const Real cosine = Dot(a, b) / Norm(a) / Norm(b);
  const Real arccos = std::atan2(std::sqrt(1 - cosine * cosine), cosine);
  AngleResult result;
  result.degrees = arccos * 180 / kPi;
  result.caption = FormatGeneral(result.degrees) + " Degrees";
  if (result.caption != "NAN Degrees")
    result.caption = FormatGeneral(Round3(result.degrees)) + " Degrees";
  else
    result.caption = firstIndexText != secondIndexText ? "180 Degrees" : "0 Degrees";
  return result;
}

CommonEdgeResult CommonEdge(const BuiltCrystal& crystal, int first, int second) {
  CommonEdgeResult result;
  result.caption = "No Common Edge";
  const int pa = PresentNumber(*crystal.polyhedron, first);
  const int pb = PresentNumber(*crystal.polyhedron, second);
  if (pa < 0 || pb < 0) return result;
  const auto& lists = crystal.lists->lists;
  if (pa >= static_cast<int>(lists.size()) || pb >= static_cast<int>(lists.size())) return result;

  // Each list runs c0 .. c(n-1), c0, -1: from its second element through the
  // repeated first one every corner is met once.
  const std::vector<int>& la = lists[pa];
  const std::vector<int>& lb = lists[pb];
  int cornerA = -1, cornerB = -1;
  for (std::size_t i = 1; i < la.size() && la[i] != -1; ++i)
    for (std::size_t j = 1; j < lb.size() && lb[j] != -1; ++j)
      if (la[i] == lb[j] && la[i] >= 0) {
        if (cornerA < 0)
          cornerA = la[i];
        else
          cornerB = la[i];
      }
  const auto& positions = crystal.corners->positions;
  if (cornerA < 0 || cornerB < 0 || cornerA >= static_cast<int>(positions.size()) ||
      cornerB >= static_cast<int>(positions.size()))
    return result;
  const Real length = Norm(SubVec(positions[cornerA], positions[cornerB]));
  result.length = length;
  result.caption = "Common Edge length = " + FormatGeneral(Round3(length));
  return result;
}

std::string PhysicalNormalText(const CellMatrices& cell, std::span<const FaceRecord> faces,
                               int face) {
  if (face < 0 || face >= static_cast<int>(faces.size())) return kCalculationFailed;
  Vec3 n = HklToCartesian(cell, faces[face].Indices());
  const Real length = Norm(n);
  if (length != 0)
    for (Real& component : n) component = component / length;
  for (Real& component : n) component = Round3(component);
  return JoinGeneral(n);
}

std::string IndicesFromDirectionText(const CellMatrices& cell, const std::string& text,
                                     bool decimalComma) {
  // Tokens run up to and including the next blank; a lone blank is no number.
  Vec3 direction{0, 0, 0};
  int read = 0;
  std::size_t start = 0;
  while (read < 3 && start < text.size()) {
    std::size_t end = text.find(' ', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string token = text.substr(start, end - start);
    start = end;
    if (token == " ") continue;
    if (!ParseLocaleReal(token, decimalComma, direction[read])) return kWrongInputOfIndices;
    ++read;
  }

  Vec3 hkl = CartesianToHkl(cell, direction);
  for (Real& v : hkl) v = Round2(v);
  const Real h = std::fabs(hkl[0]), k = std::fabs(hkl[1]), l = std::fabs(hkl[2]);
  // The smallest non-zero absolute component, or 0 when all are 0.
  Real divisor = h;
  if ((hkl[0] == 0 || h >= k) && hkl[1] != 0) divisor = k;
  if (divisor == 0 || (divisor > l && hkl[2] != 0)) divisor = l;
  if (divisor != 0)
    for (Real& v : hkl) v = RoundHalfEven(v * 1000 / divisor) / 1000;
  return IndexText(hkl, decimalComma ? ',' : '.');
}

std::string SelectedFaceSurfaceText(const BuiltCrystal& crystal, int face) {
  const std::string prefix = "Selected face surface = ";
  const auto& presentIndex = crystal.polyhedron->presentIndex;
  if (face < 0 || face >= static_cast<int>(presentIndex.size())) return prefix + "0";
  const int p = presentIndex[face];
  if (p < 0 || p >= 300 || p >= static_cast<int>(crystal.lists->faceArea.size()))
    return prefix + "0";
  return prefix + FormatGeneral(Round3(crystal.lists->faceArea[p]));
}

bool HullAllowsCalculations(Real volumeTotal) { return !(volumeTotal == 0 || volumeTotal > 10000); }

}  // namespace habitopia
