#include "cli/batch_runner.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace habitopia::cli {

std::size_t RunBatchItems(
    const std::vector<BatchItem>& items, int jobs, const BatchWork& work,
    const std::function<void(std::vector<BatchRow>&& rows, std::size_t done)>& emit,
    const std::atomic<bool>& stop) {
  std::vector<std::optional<std::vector<BatchRow>>> results(items.size());
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<std::size_t> next{0};
  std::size_t running = 0;

  auto worker = [&] {
    for (;;) {
      if (stop) break;
      const std::size_t i = next++;
      if (i >= items.size()) break;
      std::vector<BatchRow> rows;
      try {
        rows = work(items[i]);
      } catch (const std::exception& failure) {
        BatchRow row;
        row.index = items[i].index;
        row.file = items[i].path;
        row.message = std::string("the engine failed: ") + failure.what();
        rows = {row};
      }
      std::lock_guard lock(mutex);
      results[i] = std::move(rows);
      finished.notify_one();
    }
    std::lock_guard lock(mutex);
    --running;
    finished.notify_one();
  };

  const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)),
                                                    std::max<std::size_t>(items.size(), 1));
  std::vector<std::thread> pool;
  running = threads;
  for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(worker);

  std::size_t emitted = 0;
  std::unique_lock lock(mutex);
  while (emitted < items.size()) {
    finished.wait(lock, [&] { return results[emitted].has_value() || running == 0; });
    if (!results[emitted]) break;  // every thread has ended: stopped before this item
    std::vector<BatchRow> rows = std::move(*results[emitted]);
    results[emitted].reset();
    ++emitted;
    lock.unlock();
    emit(std::move(rows), emitted);
    lock.lock();
  }
  lock.unlock();
  for (std::thread& thread : pool) thread.join();
  return emitted;
}

}  // namespace habitopia::cli
