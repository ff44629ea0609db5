#pragma once
// Tables that set central distances in proportion to a physical value per form:
// surface energies (the equilibrium Wulff shape), growth rates (the kinetic
// Wulff shape) or attachment energies. One form per row, "h k l value"; blank
// lines and "#" comments are skipped; a comment "# units: J/m^2" names the unit.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/matrix.h"
#include "symmetry/face_rows.h"

namespace habitopia {

enum class WulffKind { Energy, Growth, Attachment };

// "energy", "growth", "attachment".
std::optional<WulffKind> ParseWulffKind(std::string_view text);

struct WulffRow {
  Vec3 indices{};
  Real value = 0;  // as given
  int line = 0;    // 1-based line of the table
};

struct WulffTable {
  std::vector<WulffRow> rows;
  std::string unit;  // from a "# units:" comment, empty when none
};

struct WulffTableError {
  int line = 0;  // 0: the table as a whole
  std::string reason;
  std::string Text() const;  // "line 3: ..." or the reason alone
};

// Reads the table text. Each row needs three integer indices, not all zero, and
// a number: for energies and growth rates a positive one, for attachment
// energies a non-zero one (its magnitude sets the distance). A row whose form
// under `pointGroup` is that of an earlier row is refused, as is a table
// without rows.
std::variant<WulffTable, WulffTableError> ReadWulffTable(std::string_view text, WulffKind kind,
                                                         int pointGroup);

// The central distance of a row: the value, or its magnitude for attachment energies.
Real WulffDistance(const WulffRow& row, WulffKind kind);

// Unique-face rows for the table, in table order.
FaceRows WulffUniqueRows(const WulffTable& table, WulffKind kind, char separator = '.');

}  // namespace habitopia
