#pragma once
// Face rows: the two texts a face grid shows for each face (index text and
// distance text), and the row parser that turns them into a face record.
//
// Face identity in the grids is decided on the index text, so the symmetry and
// prediction code works on rows together with the face records. A row list holds
// face rows only: element f is face f (grid row f + 1, below the header row).

#include <string>
#include <string_view>
#include <vector>

#include "core/face.h"
#include "core/matrix.h"

namespace habitopia {

struct FaceRow {
  std::string indices;   // "1 -1 0"
  std::string distance;  // "1.5"
  bool operator==(const FaceRow&) const = default;
};

using FaceRows = std::vector<FaceRow>;

inline constexpr std::string_view kUntypedIndexText = "0 0 0";

// Text to number as the grids convert it: blanks around the number allowed,
// `separator` as the decimal separator (the other one is refused).
bool ParseGridNumber(std::string_view text, Real& value, char separator = '.');

// Shortest general form (FormatGeneral) with the given decimal separator.
std::string GeneralText(Real value, char separator = '.');

// Round to 0.001 through an integer, so that -0 becomes 0.
Real RoundIndex(Real v);
Vec3 RoundIndices(const Vec3& hkl);

// The three numbers in shortest general form joined by single blanks.
std::string IndexText(const Vec3& hkl, char separator = '.');

// What a token that is not a number does: the full list's parser stops there
// (values read before it stay stored), the unique list's parser reads it as 0.
enum class BadIndexToken { Stop, ReadAsZero };

// The index rules of the row parser:
//  - tokens: the text is scanned character by character; a token ends at a blank
//    or at the end of the text; a token that is only a blank is skipped; each
//    other token is converted (surrounding blanks allowed) and stored as h, k, l
//    in turn; at most three are read, missing ones keep their previous values;
//  - reduction: m = the smallest non-zero |h|, |k|, |l|; when m != 0 and h/m,
//    k/m, l/m are all integers, h, k, l are divided by m (2 2 0 -> 1 1 0,
//    3 0 6 -> 1 0 2, 1.5 3 0 -> 1 2 0, while 4 6 0 stays);
//  - rounding to 0.001 (RoundIndex).
// Returns false when a token stopped the parse; then neither reduction nor
// rounding has happened.
bool ParseIndexText(std::string_view text, Vec3& hkl, BadIndexToken badToken, char separator = '.');
Vec3 ReduceIndices(const Vec3& hkl);

// The full list's parser of one row: the distance (column 1) becomes its absolute
// value, stored in the record and written back in shortest general form; then
// the indices are parsed (tokens, reduction, rounding), negated when `negate`
// (a cleavage plane entered with a negative distance), stored and written back
// as index text. Returns false when the distance or an index token is not a
// number; the parse ends there, as the grid's parser ends on an exception.
bool ParseFullListRow(FaceRow& row, FaceRecord& face, char separator = '.', bool negate = false);

// The unique list's parser of one row: the same rules, a token that is not a
// number reads as 0. A distance text that is not a number leaves the record's
// distance and the text alone and makes the result false.
bool ParseUniqueListRow(FaceRow& row, FaceRecord& face, char separator = '.');

// Rows for a face table: index text and distance in shortest general form.
FaceRow RowForFace(const FaceRecord& face, char separator = '.');

}  // namespace habitopia
