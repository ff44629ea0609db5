#pragma once
// Fetching a file from a web server into a local file, with progress. The real
// one is the window's network client; tests supply scripted ones.

#include <cstdint>
#include <functional>
#include <string>

namespace habitopia {

struct DownloadCallbacks {
  // Bytes received so far and the total (-1 while unknown). The first report
  // may come with nothing received yet.
  std::function<void(std::int64_t received, std::int64_t total)> progress;
  // The whole file is in place at the local path.
  std::function<void()> done;
  // The download ended without the file; whatever had arrived is gone, and a
  // file that was at the local path before is left as it was.
  std::function<void(const std::string& reason)> failed;
};

class Downloader {
 public:
  virtual ~Downloader() = default;
  // Starts fetching `url` into `localPath`. The callbacks run later, on the
  // caller's thread, never from inside Start. False (and no callback) when the
  // download cannot be started.
  virtual bool Start(const std::string& url, const std::string& localPath,
                     DownloadCallbacks callbacks) = 0;
  // Stops a running download, which then reports failed.
  virtual void Abort() = 0;
};

}  // namespace habitopia
