#include "cli/batch_inputs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/numbers.h"

namespace habitopia::cli {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::optional<std::string> AddInput(const std::string& input, const fs::path& base,
                                    std::vector<std::string>& paths, int listDepth) {
  if (!input.empty() && input[0] == '@') {
    if (listDepth > 8) return "lists name each other too deeply: " + input;
    const fs::path list = base / input.substr(1);
    std::ifstream in(list);
    if (!in) return "cannot read the list " + list.string();
    std::string line;
    while (std::getline(in, line)) {
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
      const auto start = line.find_first_not_of(" \t");
      if (start == std::string::npos || line[start] == '#') continue;
      if (auto problem = AddInput(line.substr(start), list.parent_path(), paths, listDepth + 1))
        return problem;
    }
    return std::nullopt;
  }
  const fs::path path = fs::path(input).is_absolute() ? fs::path(input) : base / input;
  std::error_code error;
  if (fs::is_directory(path, error)) {
    for (auto it = fs::recursive_directory_iterator(
             path, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
      if (it->is_regular_file(error) && IsCifFileName(it->path().string()))
        paths.push_back(it->path().lexically_normal().string());
    if (error) return "cannot search " + path.string() + ": " + error.message();
    return std::nullopt;
  }
  if (!fs::is_regular_file(path, error)) return "File not Found: " + path.string();
  paths.push_back(path.lexically_normal().string());
  return std::nullopt;
}

}  // namespace

std::optional<BatchShard> ParseShard(const std::string& text) {
  const auto slash = text.find('/');
  if (slash == std::string::npos) return std::nullopt;
  long long k = 0, n = 0;
  if (!ParseInteger(text.substr(0, slash), k) || !ParseInteger(text.substr(slash + 1), n))
    return std::nullopt;
  if (n < 1 || k < 1 || k > n) return std::nullopt;
  return BatchShard{static_cast<std::size_t>(k), static_cast<std::size_t>(n)};
}

bool IsCifFileName(const std::string& path) {
  const std::string lower = Lower(path);
  return EndsWith(lower, ".cif") || EndsWith(lower, ".cif.gz");
}

std::variant<std::vector<std::string>, std::string> CollectBatchInputs(
    const std::vector<std::string>& inputs) {
  std::vector<std::string> paths;
  for (const std::string& input : inputs)
    if (auto problem = AddInput(input, fs::path(), paths, 0)) return *problem;
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  return paths;
}

std::vector<std::size_t> ShardPositions(std::size_t count, const BatchShard& shard) {
  std::vector<std::size_t> positions;
  for (std::size_t i = shard.index - 1; i < count; i += shard.count) positions.push_back(i);
  return positions;
}

}  // namespace habitopia::cli
