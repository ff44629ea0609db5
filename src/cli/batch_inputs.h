#pragma once
// The structures of a batch run: CIF files named on the command line, folders
// searched for them, and lists of them; a shard of the sorted whole.

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace habitopia::cli {

// "K/N": the K-th of N shards, 1 <= K <= N.
struct BatchShard {
  std::size_t index = 1;
  std::size_t count = 1;
};
std::optional<BatchShard> ParseShard(const std::string& text);

// A CIF file by its name: ".cif" or ".cif.gz", in any case.
bool IsCifFileName(const std::string& path);

// Every input in path order without repeats: a file as named, a folder's CIF
// files (folders below it too), and "@LIST", a file naming one input per line
// (blank lines and lines starting with "#" skipped; relative names are taken
// from the list's folder). A message for an input that does not exist.
std::variant<std::vector<std::string>, std::string> CollectBatchInputs(
    const std::vector<std::string>& inputs);

// The positions in a list of `count` that shard K/N takes: every N-th, from K - 1.
std::vector<std::size_t> ShardPositions(std::size_t count, const BatchShard& shard);

}  // namespace habitopia::cli
