#pragma once
// Morphology prediction by the Bravais-Friedel-Donnay-Harker rule: every face
// (h k l) within the index range gets a central distance proportional to 1/d(hkl);
// a face whose first order is systematically absent is ranked by its first
// allowed higher order, or dropped. The same merging also cleans up any model.
//
// The functions work on the unique-face rows (texts) together with the face
// table, whose slots 0..U-1 describe the unique faces.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "core/model.h"
#include "prediction/reflection_conditions.h"
#include "prediction/space_groups.h"
#include "symmetry/face_rows.h"

namespace habitopia {

// Source of random integers; injectable so that tests are repeatable.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A random integer 0 <= r < n; 0 when n <= 0.
  virtual int Next(int n) = 0;
};

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  int Next(int n) override;

 private:
  std::mt19937_64 engine_;
};

inline constexpr Real kExtinctDistance = 1000;  // marks an extinct face
// Forms up to this distance stay in the predicted list even when they cannot
// touch the crystal (the clean-up removes them); farther ones only when they can.
inline constexpr Real kListedDistance = 4;
inline constexpr int kHighestOrder = 6;
inline constexpr std::string_view kPredictionRefused =
    "Sorry, but this symmetry is not implemented for morphology prediction";

struct PredictionSettings {
  int hklMax = 3;                // largest absolute index enumerated
  int polarityAmount = 0;        // R, 0..10
  bool withHigherOrders = true;  // rank extinct faces by their first allowed order
  TranslationSymmetry symmetry;  // the box's choices, used when no space group is given
  // A full space group on the model's axes; its operations decide the absences.
  std::shared_ptr<const SpaceGroupSymmetry> spaceGroup;
};

// True when the order (h k l) of its form is systematically absent: from the
// space group's operations, or, with the box's choices, when it is absent for
// any member of the form under the point group (absences are invariant under
// the point group, so the choices mean this).
bool OrderAbsent(const PredictionSettings& settings, int pointGroup, const Vec3& hkl);

struct PredictionFlags {
  bool cleanupRequested = false;    // the table is the built polyhedron's present faces
  bool randomizeDistances = false;  // the final pass perturbs distances
};

// The polar groups: 1, 3, 4, 7, 9, 12, 14, 17, 21, 24.
bool IsPolarGroup(int pointGroup);
// The non-polar groups up to 27 ask for randomised distances instead.
bool RandomizesDistances(int pointGroup);
// P(h, k, l) of the group with amplitude R.
Real PolarityTerm(int pointGroup, int amount, const Vec3& hkl);
// D(h, k, l) = round((11 - P) d_value(h, k, l) / 11 to 0.001) on the model's cell.
Real PredictedDistance(const CrystalModel& model, int amount, const Vec3& hkl);

// How the box looks for a group: the polarity slider and the hkl-max slider.
struct MorphologyPanelLayout {
  bool polarityShown = false;
  std::string_view polarityLabel;  // "0    polarity    1" or "randomization"
  std::string_view hklMaxLabel;
  int hklMaxMaximum = 3;
};
MorphologyPanelLayout GetMorphologyPanelLayout(int pointGroup);

enum class PredictionStatus {
  Done,
  Refused,  // "-5-32": kPredictionRefused, the lists unchanged
  Failed,   // a distance text that is not a number; the lists keep what was written
};

// `list`: enumerates h, k, l from -N to N (h outermost), merges each candidate
// into the unique rows and runs RewriteIndices; then drops the forms beyond
// kListedDistance that cannot touch the crystal (FormsThatCanTouch). Afterwards model faces
// 0..lastUniqueFace (= lastFace) hold the unique faces; the full list is stale
// and is rebuilt by the caller. Candidates are skipped while model.stopRequested.
PredictionStatus PredictFaces(CrystalModel& model, FaceRows& uniqueRows,
                              const PredictionSettings& settings, PredictionFlags& flags,
                              RandomSource& random, char separator = '.');

// `rewriteindices`: with flags.cleanupRequested the unique rows are first
// rewritten from the present faces of model.polyhedron (which must be built
// from the model's face table); then rows are merged by symmetry, extinct
// faces ranked (or dropped) and, unless a clean-up was asked for without
// randomisation, the final pass removes extinct rows and randomises distances.
// The face table's slots 0..rows-1 take the rows' indices and distances (rows
// beyond the table's 302 slots are dropped).
// After a clean-up the caller rebuilds the full list (the clean-up timer's job).
PredictionStatus RewriteIndices(CrystalModel& model, FaceRows& uniqueRows,
                                const PredictionSettings& settings, const PredictionFlags& flags,
                                RandomSource& random, char separator = '.');

// "R&andomize Distances": every face of the full list gets
// round((1 + a / s) d to 0.01) with -100 <= a < 100, s = 1000, 400 or 200 for
// 10, 25 or 50 per cent; negative results become 0. Returns false for another
// percentage.
bool RandomizeDistances(CrystalModel& model, FaceRows& fullRows, int percent, RandomSource& random,
                        char separator = '.');

}  // namespace habitopia
