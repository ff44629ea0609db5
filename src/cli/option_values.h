#pragma once
// Options that take values ("--view H K L", "--zone F1 F2"), taken out of the
// arguments before the common input/output parsing sees them.

#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/matrix.h"

namespace habitopia::cli {

// Removes every "NAME v1 .. vCOUNT" from `args` and returns the value groups in
// order; a message when an occurrence lacks its values.
std::optional<std::string> TakeOption(Arguments& args, const std::string& name, int count,
                                      std::vector<std::vector<std::string>>& found);

// Three numbers; false when one cannot be read.
bool ParseTriple(const std::vector<std::string>& values, Vec3& out);
// A face-table index 0..lastFace.
bool ParseFaceIndex(const std::string& text, int lastFace, int& face);

}  // namespace habitopia::cli
