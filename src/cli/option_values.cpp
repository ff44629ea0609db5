#include "cli/option_values.h"

#include "core/numbers.h"

namespace habitopia::cli {

std::optional<std::string> TakeOption(Arguments& args, const std::string& name, int count,
                                      std::vector<std::vector<std::string>>& found) {
  Arguments rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) {
      rest.push_back(args[i]);
      continue;
    }
    if (i + count >= args.size())
      return name + " needs " + FormatInteger(count) + (count == 1 ? " value" : " values");
    found.emplace_back(args.begin() + i + 1, args.begin() + i + 1 + count);
    i += count;
  }
  args = std::move(rest);
  return std::nullopt;
}

bool ParseTriple(const std::vector<std::string>& values, Vec3& out) {
  if (values.size() != 3) return false;
  for (int i = 0; i < 3; ++i)
    if (!ParseReal(values[i], out[i])) return false;
  return true;
}

bool ParseFaceIndex(const std::string& text, int lastFace, int& face) {
  long long value = 0;
  if (!ParseInteger(text, value) || value < 0 || value > lastFace) return false;
  face = static_cast<int>(value);
  return true;
}

}  // namespace habitopia::cli
