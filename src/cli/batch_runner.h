#pragma once
// Runs the structures of a batch on several threads and hands their rows on in
// input order, whatever the number of threads.

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "cli/batch_rows.h"

namespace habitopia::cli {

struct BatchItem {
  std::size_t index = 0;  // position in the sorted list of all inputs
  std::string path;
};

// The rows of one file: a row per structure, or one row saying why there is none.
using BatchWork = std::function<std::vector<BatchRow>(const BatchItem& item)>;

// Runs `work` over `items` on `jobs` threads (at least 1). `emit` gets each
// item's rows in the order of `items`, on the calling thread, with the count
// done so far. Once `stop` is set no item is started; the finished ones that
// follow the last emitted item without a gap are still emitted. Returns the
// number of items emitted.
std::size_t RunBatchItems(
    const std::vector<BatchItem>& items, int jobs, const BatchWork& work,
    const std::function<void(std::vector<BatchRow>&& rows, std::size_t done)>& emit,
    const std::atomic<bool>& stop);

}  // namespace habitopia::cli
