#pragma once
// Runs the structures of a batch on several threads and hands their results on
// in input order, whatever the number of threads.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace habitopia::cli {

struct BatchItem {
  std::size_t index = 0;  // position in the sorted list of all inputs
  std::string path;
};

// Runs `work` over `items` on `jobs` threads (at least 1). `emit` gets each
// item's result in the order of `items`, on the calling thread, with the count
// done so far. Once `stop` is set no item is started; the finished ones that
// follow the last emitted item without a gap are still emitted. Returns the
// number of items emitted. `work` must not throw.
template <typename Result>
std::size_t RunBatchItems(const std::vector<BatchItem>& items, int jobs,
                          const std::function<Result(const BatchItem& item)>& work,
                          const std::function<void(Result&& result, std::size_t done)>& emit,
                          const std::atomic<bool>& stop) {
  std::vector<std::optional<Result>> results(items.size());
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<std::size_t> next{0};
  const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)),
                                                    std::max<std::size_t>(items.size(), 1));
  std::size_t running = threads;

  auto worker = [&] {
    while (!stop) {
      const std::size_t i = next++;
      if (i >= items.size()) break;
      Result result = work(items[i]);
      std::lock_guard lock(mutex);
      results[i] = std::move(result);
      finished.notify_one();
    }
    std::lock_guard lock(mutex);
    --running;
    finished.notify_one();
  };
  std::vector<std::thread> pool;
  for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(worker);

  std::size_t emitted = 0;
  std::unique_lock lock(mutex);
  while (emitted < items.size()) {
    finished.wait(lock, [&] { return results[emitted].has_value() || running == 0; });
    if (!results[emitted]) break;  // every thread has ended: stopped before this item
    Result result = std::move(*results[emitted]);
    results[emitted].reset();
    ++emitted;
    lock.unlock();
    emit(std::move(result), emitted);
    lock.lock();
  }
  lock.unlock();
  for (std::thread& thread : pool) thread.join();
  return emitted;
}

}  // namespace habitopia::cli
