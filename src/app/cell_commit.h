#pragma once
// Committing the six cell boxes a, b, c, alpha, beta, gamma into the model.

#include "core/model.h"
#include "symmetry/point_groups.h"

namespace habitopia {

inline constexpr const char* kIncorrectCellMessage = "Incorrect Data, old value restored";
// A length counts as changed when its new normalised value differs by more.
inline constexpr Real kCellLengthTolerance = 0.0005L;

// The cell the user last accepted, with the mean its lengths were divided by.
struct AcceptedCell {
  UnitCell cell;
  Real lengthMean = 1;
};

struct CellCommit {
  bool ok = false;       // false: the texts were refused and the accepted cell put back
  bool changed = false;  // model.cellChanged as left by the commit
};

// Reads the six texts (blanks around the numbers allowed, the user's separator)
// and stores them: the lengths divided by their mean, the mean in
// model.cellLengthMean, the matrices rebuilt. A text that is not a number, a
// length that is not positive, or angles that span no cell refuse the whole
// commit; then the accepted cell comes back (model and `texts`) and nothing of
// the refused input is kept.
CellCommit CommitCell(CrystalModel& model, CellTexts& texts, const AcceptedCell& accepted,
                      bool decimalComma);

// The six box texts of the model's cell: lengths as given (stored × mean),
// angles as stored, in shortest general form.
CellTexts CellBoxTexts(const UnitCell& cell, Real lengthMean, bool decimalComma);

}  // namespace habitopia
