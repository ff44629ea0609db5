#include "prediction/morphology.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/numbers.h"
#include "prediction/form_pruning.h"
#include "symmetry/point_groups.h"

namespace habitopia {
namespace {

// The unique faces being worked on: indices and distance per row. It may hold
// more rows than the face table has slots while candidates are enumerated.
struct WorkFace {
  Vec3 hkl{};
  Real distance = 0;
};
using WorkTable = std::vector<WorkFace>;

struct Failure {};

Real Number(const std::string& text, char separator) {
  Real v = 0;
  if (!ParseGridNumber(text, v, separator)) throw Failure{};
  return v;
}

Vec3 Scaled(const Vec3& v, Real n) { return {v[0] * n, v[1] * n, v[2] * n}; }

// M (h k l) with the running sum rounded to an integer after every term.
Vec3 IntegerImage(const Matrix3& m, const Vec3& hkl) {
  Vec3 out{};
  for (int r = 0; r < 3; ++r) {
    Real sum = 0;
    for (int c = 0; c < 3; ++c) sum = static_cast<Real>(RoundToInteger(sum + m[r][c] * hkl[c]));
    out[r] = sum;
  }
  return out;
}

void EraseRow(FaceRows& rows, WorkTable& table, std::size_t j) {
  rows.erase(rows.begin() + j);
  table.erase(table.begin() + j);
}

// The distinct images of (h k l) under the point group, in table order.
std::vector<Vec3> FormMembers(const PointGroup& group, const Vec3& hkl) {
  std::vector<Vec3> members;
  for (const Matrix3& op : group.operations) {
    const Vec3 image = IntegerImage(op, hkl);
    if (std::find(members.begin(), members.end(), image) == members.end()) members.push_back(image);
  }
  return members;
}

// The distance of a form whose first order is absent: its first order n (1 to
// kHighestOrder; kHighestOrder when all are absent) allowed for every member.
Real RankedDistance(const CrystalModel& model, const PredictionSettings& settings, const Vec3& hkl,
                    const std::vector<Vec3>& members) {
  int n = 1;
  auto allowed = [&](int order) {
    for (const Vec3& m : members)
      if (OrderAbsent(settings, model.pointGroup, Scaled(m, order))) return false;
    return true;
  };
  while (n < kHighestOrder && !allowed(n)) ++n;
  const Real p = PolarityTerm(model.pointGroup, settings.polarityAmount, hkl);
  return Round3((11 - p) * d_value(model.matrices, Scaled(hkl, n)) / 11);
}

// Merging and ranking (steps 2 and 3 of rewriteindices) on a work table. Each
// row takes the later rows of its form (an orbit of the point group; the two
// ends of a polar axis are two forms) and drops them; the form keeps the
// largest distance of its rows. A form with an extinct row is ranked by its
// first allowed order, or marked extinct without higher orders, wherever it
// stands in the list.
void MergeAndRank(const CrystalModel& model, FaceRows& rows, WorkTable& table,
                  const PredictionSettings& settings, const PredictionFlags& flags,
                  RandomSource& random, char sep) {
  const PointGroup& group = GetPointGroup(model.pointGroup);
  const std::size_t count = rows.size();
  std::vector<bool> dead(count, false);
  std::unordered_map<std::string, std::vector<std::size_t>> rowsOfText;
  for (std::size_t r = 0; r < count; ++r) rowsOfText[rows[r].indices].push_back(r);

  for (std::size_t i = 0; i < count; ++i) {
    if (dead[i]) continue;
    const std::vector<Vec3> members = FormMembers(group, table[i].hkl);
    bool extinctRow = Number(rows[i].distance, sep) == kExtinctDistance;
    for (const Vec3& member : members) {
      const auto same = rowsOfText.find(IndexText(member, sep));
      if (same == rowsOfText.end()) continue;
      for (std::size_t j : same->second) {
        if (j <= i || dead[j]) continue;
        dead[j] = true;
        const Real dj = Number(rows[j].distance, sep);
        if (dj == kExtinctDistance) {
          extinctRow = true;
        } else if (!extinctRow && dj > Number(rows[i].distance, sep)) {
          rows[i].distance = rows[j].distance;
          table[i].distance = dj;
        }
      }
    }
    if (!extinctRow) continue;
    const Real e = settings.withHigherOrders
                       ? RankedDistance(model, settings, table[i].hkl, members)
                       : kExtinctDistance;
    rows[i].distance = GeneralText(e, sep);
    table[i].distance = e;
  }
  std::size_t live = 0;
  for (std::size_t r = 0; r < count; ++r) {
    if (dead[r]) continue;
    if (live != r) {
      rows[live] = std::move(rows[r]);
      table[live] = table[r];
    }
    ++live;
  }
  rows.resize(live);
  table.resize(live);

  // Final pass: extinct rows go, the others may be randomised. It stops as soon
  // as two faces are left.
  if (flags.cleanupRequested && !flags.randomizeDistances) return;
  if (rows.size() <= 1) return;
  const int r = settings.polarityAmount;
  for (std::size_t i = 0; i < rows.size();) {
    const Real d = Number(rows[i].distance, sep);
    if (d == kExtinctDistance) {
      EraseRow(rows, table, i);
    } else {
      if (flags.randomizeDistances) {
        const int b = random.Next(2 * r) - r;
        const Real changed = Round3((1 + b / 20.0L) * d);
        rows[i].distance = GeneralText(changed, sep);
        table[i].distance = changed;
      }
      ++i;
    }
    if (rows.size() == 2) break;
  }
}

// Drops the rows beyond kListedDistance whose form cannot touch the crystal of
// the nearer forms. Extinct rows left by the final pass stay for the clean-up.
void DropUnreachableForms(const CrystalModel& model, FaceRows& rows, WorkTable& table, char sep) {
  const PointGroup& group = GetPointGroup(model.pointGroup);
  std::vector<FormPlanes> forms;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    FormPlanes form;
    form.distance = Number(rows[r].distance, sep);
    form.role = form.distance == kExtinctDistance  ? FormRole::Ignored
                : form.distance <= kListedDistance ? FormRole::Kept
                                                   : FormRole::Candidate;
    for (const Vec3& image : FormMembers(group, table[r].hkl)) {
      const Vec3 normal = HklToCartesian(model.matrices, image);
      const Real length = Norm(normal);
      if (length > 0) form.normals.push_back(ScaleVec(normal, 1 / length));
    }
    forms.push_back(std::move(form));
  }
  const std::vector<bool> keep = FormsThatCanTouch(forms);
  std::size_t kept = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (!keep[r]) continue;
    if (kept != r) {
      rows[kept] = std::move(rows[r]);
      table[kept] = table[r];
    }
    ++kept;
  }
  rows.resize(kept);
  table.resize(kept);
}

// The face table's unique slots take the work table. Rows beyond the table's
// capacity cannot become faces and are dropped.
void StoreUniqueFaces(CrystalModel& model, FaceRows& rows, const WorkTable& table) {
  const int count = std::min(static_cast<int>(table.size()), kFaceSlots);
  rows.resize(count);
  for (int f = 0; f < count; ++f) {
    FaceRecord& face = model.faces[f];
    face.h = table[f].hkl[0];
    face.k = table[f].hkl[1];
    face.l = table[f].hkl[2];
    face.distance = table[f].distance;
  }
  model.lastFace = count - 1;
  model.lastUniqueFace = count - 1;
  model.geometryStale = true;
}

}  // namespace

int SeededRandom::Next(int n) {
  if (n <= 0) return 0;
  return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

bool OrderAbsent(const PredictionSettings& settings, int pointGroup, const Vec3& hkl) {
  if (settings.spaceGroup) return settings.spaceGroup->Absent(hkl);
  for (const Matrix3& op : GetPointGroup(pointGroup).operations)
    if (extinct(settings.symmetry, pointGroup, IntegerImage(op, hkl))) return true;
  return false;
}

bool IsPolarGroup(int g) {
  switch (g) {
    case 1:
    case 3:
    case 4:
    case 7:
    case 9:
    case 12:
    case 14:
    case 17:
    case 21:
    case 24: return true;
    default: return false;
  }
}

bool RandomizesDistances(int g) { return g >= 1 && g <= 27 && !IsPolarGroup(g); }

Real PolarityTerm(int g, int amount, const Vec3& hkl) {
  const Real r = amount;
  if (g == 1) return hkl[0] < 0 && hkl[1] < 0 && hkl[2] < 0 ? r : 0;
  if (!IsPolarGroup(g)) return 0;
  const Real length = std::sqrt(hkl[0] * hkl[0] + hkl[1] * hkl[1] + hkl[2] * hkl[2]);
  if (length == 0) return 0;
  const Real along = g == 3 ? hkl[1] : hkl[2];  // "2": the b axis; the others: c
  return -along * r / length;
}

Real PredictedDistance(const CrystalModel& model, int amount, const Vec3& hkl) {
  const Real p = PolarityTerm(model.pointGroup, amount, hkl);
  return Round3((11 - p) * d_value(model.matrices, hkl) / 11);
}

MorphologyPanelLayout GetMorphologyPanelLayout(int g) {
  MorphologyPanelLayout layout;
  layout.polarityLabel = "0    polarity    1";
  if (IsPolarGroup(g)) {
    layout.polarityShown = true;
  } else if (g <= 27) {
    layout.polarityShown = true;
    layout.polarityLabel = "randomization";
  }
  if (g <= 8 || g == kIcosahedralGroup) {
    layout.hklMaxLabel = "1  hkl - max   3";
    layout.hklMaxMaximum = 3;
  } else if (g <= 20) {
    layout.hklMaxLabel = "1     hkl - max    4";
    layout.hklMaxMaximum = 4;
  } else {
    layout.hklMaxLabel = "1     hkl - max    6";
    layout.hklMaxMaximum = 6;
  }
  return layout;
}

PredictionStatus PredictFaces(CrystalModel& model, FaceRows& uniqueRows,
                              const PredictionSettings& settings, PredictionFlags& flags,
                              RandomSource& random, char sep) {
  if (model.pointGroup == kIcosahedralGroup) {
    model.modelRestoring = false;
    return PredictionStatus::Refused;
  }
  uniqueRows.clear();
  WorkTable table;
  flags.randomizeDistances = false;
  const int n = settings.hklMax;
  try {
    for (int h = -n; h <= n; ++h) {
      for (int k = -n; k <= n; ++k) {
        for (int l = -n; l <= n; ++l) {
          if ((h == 0 && k == 0 && l == 0) || model.stopRequested) continue;
          const Vec3 hkl{static_cast<Real>(h), static_cast<Real>(k), static_cast<Real>(l)};
          if (RandomizesDistances(model.pointGroup)) flags.randomizeDistances = true;
          const Real distance = PredictedDistance(model, settings.polarityAmount, hkl);
          FaceRow row{std::to_string(h) + " " + std::to_string(k) + " " + std::to_string(l),
                      GeneralText(distance, sep)};
          FaceRecord parsed;
          ParseUniqueListRow(row, parsed, sep);
          WorkFace face{parsed.Indices(), parsed.distance};
          if (OrderAbsent(settings, model.pointGroup, hkl)) {
            face.distance = kExtinctDistance;
            row.distance = GeneralText(kExtinctDistance, sep);
          }
          bool merged = false;
          for (std::size_t e = 0; e < uniqueRows.size(); ++e) {
            if (uniqueRows[e].indices != row.indices) continue;
            const Real earlier = Number(uniqueRows[e].distance, sep);
            if (face.distance == kExtinctDistance) {
              uniqueRows[e].distance = GeneralText(kExtinctDistance, sep);
              table[e].distance = kExtinctDistance;
            } else if (earlier != kExtinctDistance && earlier > face.distance) {
              uniqueRows[e].distance = row.distance;
              table[e].distance = face.distance;
            }
            merged = true;
            break;
          }
          if (!merged) {
            uniqueRows.push_back(row);
            table.push_back(face);
          }
        }
      }
    }
    MergeAndRank(model, uniqueRows, table, settings, flags, random, sep);
    DropUnreachableForms(model, uniqueRows, table, sep);
  } catch (const Failure&) {
    StoreUniqueFaces(model, uniqueRows, table);
    return PredictionStatus::Failed;
  }
  StoreUniqueFaces(model, uniqueRows, table);
  return PredictionStatus::Done;
}

PredictionStatus RewriteIndices(CrystalModel& model, FaceRows& uniqueRows,
                                const PredictionSettings& settings, const PredictionFlags& flags,
                                RandomSource& random, char sep) {
  WorkTable table;
  if (flags.cleanupRequested) {
    uniqueRows.clear();
    for (const PresentFace& p : model.polyhedron.presentFaces) {
      const Vec3 hkl{p.h, p.k, p.l};
      FaceRow row{IndexText(hkl, sep), GeneralText(p.distance, sep)};
      if (row.indices == kUntypedIndexText) continue;
      uniqueRows.push_back(row);
      table.push_back({hkl, p.distance});
    }
  } else {
    const std::size_t count = std::min<std::size_t>(uniqueRows.size(), kFaceSlots);
    uniqueRows.resize(count);
    for (std::size_t f = 0; f < count; ++f)
      table.push_back({model.faces[f].Indices(), model.faces[f].distance});
  }
  PredictionStatus status = PredictionStatus::Done;
  try {
    MergeAndRank(model, uniqueRows, table, settings, flags, random, sep);
  } catch (const Failure&) {
    status = PredictionStatus::Failed;
  }
  StoreUniqueFaces(model, uniqueRows, table);
  return status;
}

bool RandomizeDistances(CrystalModel& model, FaceRows& fullRows, int percent, RandomSource& random,
                        char sep) {
  Real s = 0;
  switch (percent) {
    case 10: s = 1000; break;
    case 25: s = 400; break;
    case 50: s = 200; break;
    default: return false;
  }
  fullRows.resize(model.FaceCount());
  for (int f = 0; f < model.FaceCount(); ++f) {
    const int a = random.Next(200) - 100;
    Real d = Round2((1 + a / s) * model.faces[f].distance);
    if (d < 0) d = 0;
    model.faces[f].distance = d;
    fullRows[f].distance = GeneralText(d, sep);
  }
  model.geometryStale = true;
  return true;
}

}  // namespace habitopia
