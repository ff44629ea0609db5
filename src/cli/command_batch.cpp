// habitopia-cli batch: the habit of every structure in a collection of CIF
// files, on every core, one result row per structure; and batch-merge, which
// joins the result files of shards.

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <thread>

#include "cli/batch_inputs.h"
#include "cli/batch_rows.h"
#include "cli/batch_runner.h"
#include "cli/batch_structures.h"
#include "cli/cli_model_io.h"
#include "cli/commands.h"
#include "core/numbers.h"

namespace habitopia::cli {

namespace {

constexpr const char* kUsage =
    "usage: batch INPUT... -o RESULTS.jsonl|RESULTS.csv [--jobs N] [--shard K/N] [--resume] "
    "[--hkl-max N] [--wulff TABLE] [--keep-models DIR]";
constexpr const char* kMergeUsage = "usage: batch-merge SHARD... -o RESULTS.jsonl|RESULTS.csv";
// Bad arguments, unreadable inputs or an unwritable output; lower statuses count
// the structures refused.
constexpr int kBatchFailed = 125;
constexpr int kMostRefusedCounted = 100;

std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) { stopRequested = true; }

int BatchFail(const std::string& message) {
  std::cerr << "habitopia-cli: " << message << "\n";
  return kBatchFailed;
}

struct Options {
  std::vector<std::string> inputs;
  std::string output;
  int jobs = 0;
  BatchShard shard;
  bool resume = false;
  BatchSettings settings;
};

std::optional<std::string> ParseOptions(const Arguments& args, Options& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (a == "-o" || a == "--output" || a == "--jobs" || a == "--shard" || a == "--hkl-max" ||
        a == "--wulff" || a == "--keep-models") {
      const auto v = value();
      if (!v) return a + " needs a value";
      long long n = 0;
      if (a == "-o" || a == "--output") {
        o.output = *v;
      } else if (a == "--jobs") {
        if (!ParseInteger(*v, n) || n < 1 || n > 1024)
          return "--jobs: \"" + *v + "\" is not a number of threads";
        o.jobs = static_cast<int>(n);
      } else if (a == "--shard") {
        const auto shard = ParseShard(*v);
        if (!shard) return "--shard: \"" + *v + "\" is not K/N with 1 <= K <= N";
        o.shard = *shard;
      } else if (a == "--hkl-max") {
        if (!ParseInteger(*v, n) || n < 1 || n > 20)
          return "--hkl-max: \"" + *v + "\" is not a number from 1 to 20";
        o.settings.hklMax = static_cast<int>(n);
      } else if (a == "--wulff") {
        o.settings.wulffTable = *v;
      } else {
        o.settings.modelFolder = *v;
      }
    } else if (a == "--resume") {
      o.resume = true;
    } else if (!a.empty() && a[0] == '-' && a != "-") {
      return "unknown argument \"" + a + "\"";
    } else {
      o.inputs.push_back(a);
    }
  }
  if (o.inputs.empty()) return std::string("no INPUT");
  if (o.output.empty()) return std::string("-o RESULTS is missing");
  return std::nullopt;
}

// Appends whole lines: each write is one structure file's rows, so a run that is
// stopped leaves a file of whole rows (or one cut line that a resume drops).
class RowWriter {
 public:
  bool Open(const std::string& path, std::size_t keepBytes, bool writeHeader,
            const std::string& header) {
    file_ = std::fopen(path.c_str(), keepBytes > 0 ? "r+b" : "wb");
    if (!file_) return false;
    if (keepBytes > 0) {
      if (std::fflush(file_) != 0 || ftruncate(fileno(file_), static_cast<off_t>(keepBytes)) != 0 ||
          std::fseek(file_, 0, SEEK_END) != 0)
        return false;
    }
    return !writeHeader || Write(header);
  }
  bool Write(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
           std::fflush(file_) == 0;
  }
  bool Close() {
    const bool ok = file_ && std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
  }
  ~RowWriter() {
    if (file_) std::fclose(file_);
  }

 private:
  std::FILE* file_ = nullptr;
};

class Progress {
  using Clock = std::chrono::steady_clock;

 public:
  Progress(std::size_t total) : total_(total), start_(Clock::now()), terminal_(isatty(2)) {}
  void Update(std::size_t done) {
    if (!terminal_) return;
    const auto now = Clock::now();
    if (done < total_ && now - shown_ < std::chrono::milliseconds(100)) return;
    shown_ = now;
    const double seconds = Seconds(now);
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const int width = 30;
    const int filled = total_ ? static_cast<int>(width * done / total_) : width;
    std::string bar(filled, '#');
    bar.resize(width, '.');
    char line[160];
    std::snprintf(line, sizeof line, "\r[%s] %zu/%zu  %.0f/s  %.0f s left ", bar.c_str(), done,
                  total_, rate, rate > 0 ? static_cast<double>(total_ - done) / rate : 0.0);
    std::cerr << line << std::flush;
  }
  void End() {
    if (terminal_) std::cerr << "\n";
  }
  double Seconds(Clock::time_point now = Clock::now()) const {
    return std::chrono::duration<double>(now - start_).count();
  }

 private:
  std::size_t total_;
  Clock::time_point start_;
  Clock::time_point shown_{};
  bool terminal_;
};

}  // namespace

int RunBatch(const Arguments& args) {
  Options o;
  if (auto problem = ParseOptions(args, o)) return BatchFail(*problem + " (" + kUsage + ")");
  auto collected = CollectBatchInputs(o.inputs);
  if (auto* problem = std::get_if<std::string>(&collected)) return BatchFail(*problem);
  const std::vector<std::string>& all = std::get<std::vector<std::string>>(collected);
  if (auto problem = PrepareBatchSettings(o.settings)) return BatchFail(*problem);

  const BatchFormat format = BatchFormatOf(o.output);
  std::set<std::size_t> done;
  std::size_t keepBytes = 0;
  if (o.resume && access(o.output.c_str(), F_OK) == 0) {
    const StoredRows stored = ReadBatchRows(o.output, format);
    if (!stored.ok) return BatchFail(stored.error);
    keepBytes = stored.wholeBytes;
    for (const StoredRow& row : stored.rows) {
      if (row.index >= all.size() || all[row.index] != row.file)
        return BatchFail(o.output + " holds results of other inputs (" + row.file + ")");
      // The last file's rows may have been cut short: it is done again.
      if (row.index == stored.rows.back().index) {
        keepBytes = row.offset;
        break;
      }
      done.insert(row.index);
    }
  }

  std::vector<BatchItem> items;
  for (std::size_t i : ShardPositions(all.size(), o.shard))
    if (!done.count(i)) items.push_back({i, all[i]});

  RowWriter writer;
  if (!writer.Open(o.output, keepBytes, keepBytes == 0, BatchHeader(format)))
    return BatchFail("cannot write " + o.output);

  stopRequested = false;
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  const int jobs =
      o.jobs ? o.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  Progress progress(items.size());
  std::map<BatchStatus, std::size_t> counts;
  bool writeFailed = false;
  // A file's rows are made and formatted on its thread; the writer only appends.
  struct FileRows {
    std::string text;
    std::vector<BatchStatus> statuses;
  };
  const std::function<FileRows(const BatchItem&)> work = [&](const BatchItem& item) {
    std::vector<BatchRow> rows;
    try {
      rows = PredictStructures(item, o.settings);
    } catch (const std::exception& failure) {
      BatchRow row;
      row.index = item.index;
      row.file = item.path;
      row.message = std::string("the engine failed: ") + failure.what();
      rows = {row};
    }
    FileRows file;
    for (const BatchRow& row : rows) {
      file.text += FormatBatchRow(row, format);
      file.statuses.push_back(row.status);
    }
    return file;
  };
  const std::function<void(FileRows&&, std::size_t)> emit = [&](FileRows&& file,
                                                                std::size_t count) {
    for (BatchStatus status : file.statuses) ++counts[status];
    if (!writer.Write(file.text) && !writeFailed) {
      writeFailed = true;
      stopRequested = true;
    }
    progress.Update(count);
  };
  const std::size_t emitted = RunBatchItems(items, jobs, work, emit, stopRequested);
  progress.End();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  if (!writer.Close() || writeFailed) return BatchFail("cannot write " + o.output);

  const double seconds = progress.Seconds();
  std::cerr << "batch: " << emitted << " of " << items.size() << " files";
  if (!done.empty()) std::cerr << " (" << done.size() << " done before)";
  std::cerr << ", " << counts[BatchStatus::Ok] << " structures ok, "
            << counts[BatchStatus::Incomplete] << " incomplete, " << counts[BatchStatus::Refused]
            << " refused in " << FormatSignificant(seconds, 3) << " s";
  if (seconds > 0) std::cerr << " (" << FormatSignificant(emitted / seconds, 4) << " files/s)";
  std::cerr << "\n";
  if (emitted < items.size()) {
    std::cerr << "habitopia-cli: stopped; run again with --resume to go on\n";
    return kBatchFailed;
  }
  return static_cast<int>(std::min<std::size_t>(counts[BatchStatus::Refused], kMostRefusedCounted));
}

int RunBatchMerge(const Arguments& args) {
  std::vector<std::string> shards;
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" || args[i] == "--output") {
      if (i + 1 >= args.size()) return BatchFail(kMergeUsage);
      output = args[++i];
    } else {
      shards.push_back(args[i]);
    }
  }
  if (shards.empty() || output.empty()) return BatchFail(kMergeUsage);
  const BatchFormat format = BatchFormatOf(output);
  std::vector<StoredRow> rows;
  for (const std::string& shard : shards) {
    if (BatchFormatOf(shard) != format)
      return BatchFail(shard + " is not of the output's kind (" + output + ")");
    StoredRows stored = ReadBatchRows(shard, format);
    if (!stored.ok) return BatchFail(stored.error);
    for (StoredRow& row : stored.rows) rows.push_back(std::move(row));
  }
  // A file's rows stay together in their order; files go by their position.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const StoredRow& a, const StoredRow& b) { return a.index < b.index; });
  std::string text = BatchHeader(format);
  for (const StoredRow& row : rows) text += row.line;
  const std::string temporary = output + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) return BatchFail("cannot write " + output);
  }
  if (std::rename(temporary.c_str(), output.c_str()) != 0)
    return BatchFail("cannot write " + output);
  std::cerr << "batch-merge: " << rows.size() << " rows from " << shards.size() << " files\n";
  return 0;
}

}  // namespace habitopia::cli
