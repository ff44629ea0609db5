#pragma once
// "&Check for Updates" and the silent check after start-up: fetch the server's
// version file, offer a different release, download its installer with
// progress, check it, start it and end the program.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/downloader.h"
#include "app/update_ports.h"
#include "app/work_directory.h"

namespace habitopia {

inline constexpr const char* kProductName = "Habitopia";
inline constexpr double kCurrentVersion = 1.56;
// The server's base address when neither the settings nor HABITOPIA_UPDATE_URL
// name one. The reserved .invalid domain never resolves: until a server is
// configured, a check ends in the connection message and sends nothing anywhere.
inline constexpr const char* kDefaultUpdateBaseUrl = "https://updates.habitopia.invalid/";
inline constexpr int kUpdateWatchdogMs = 15000;
inline constexpr int kUpdateStepMs = 200;
inline constexpr int kUpdateProgressStart = 690;

inline constexpr const char* kNewVersionQuestion =
    "new version available, download and install now?";
inline constexpr const char* kUpToDate = "This Version is up-to-date";
inline constexpr const char* kNoConnection = "Could not make connection to Update Server";
inline constexpr const char* kNoConnectionToServer = "could not make connection to update server";
inline constexpr const char* kErrorDownloading = "Error downloading ";
inline constexpr const char* kDownloadFailed = "Download failed";

// The contents of the server's "version.txt".
struct VersionFile {
  double available = 0;            // line 2
  std::int64_t installerSize = 0;  // line 3, bytes
  std::string releaseNotes;        // lines 4 on, each preceded by a line break
};

// Nothing when line 2 is not a decimal number or line 3 not a positive whole number.
std::optional<VersionFile> ParseVersionFile(const std::string& text);

// The release on the server differs from ours by more than 0.0005 (older ones
// are offered too).
bool OffersUpdate(double available, double current);

// The host name of an address ("host" of "http://host:8000/path").
std::string UrlHost(const std::string& url);

// $HABITOPIA_UPDATE_URL, else `configured`, else the default; always ending in "/".
std::string UpdateBaseUrl(const EnvironmentLookup& environment, const std::string& configured);
// $HABITOPIA_UPDATE_WATCHDOG_MS when it is a positive number, else `configured`.
int UpdateWatchdogMs(const EnvironmentLookup& environment, int configured = kUpdateWatchdogMs);

struct UpdateSettings {
  std::string baseUrl = kDefaultUpdateBaseUrl;
  std::string workDirectory;  // version file, update folder and backup go here
  std::string programPath;    // the running program, copied as the backup
  int watchdogMs = kUpdateWatchdogMs;
  int stepMs = kUpdateStepMs;
  double currentVersion = kCurrentVersion;
};

// The update window: progress bar, percentage (Label1) and what is happening (Label2).
struct UpdateWindow {
  bool visible = false;
  std::int64_t progressMax = kUpdateProgressStart;
  std::int64_t progressValue = 0;
  std::string label1;
  std::string label2;
};

class UpdateChecker {
 public:
  UpdateChecker(UpdateSettings settings, Downloader& downloader, UpdateDialogs& dialogs,
                UpdateTimers& timers, UpdateShell& shell);
  UpdateChecker(const UpdateChecker&) = delete;
  UpdateChecker& operator=(const UpdateChecker&) = delete;

  // The menu command: a check that answers even when there is nothing new.
  void CheckforupdatesClick();
  // The check after start-up: says nothing unless there is something to offer.
  void CheckforupdatesClicksilent();
  // The step timer expired: run the step the state asks for.
  void Timer1Timer();
  // The watchdog expired: no data came from the server in time.
  void Timer2Timer();

  const UpdateWindow& Window() const { return window_; }
  void SetWindowChanged(std::function<void()> callback) { windowChanged_ = std::move(callback); }

  int UpdateState() const { return updateState_; }
  bool Downloading() const { return downloading_; }

  std::string VersionUrl() const;
  std::string InstallerUrl() const;
  std::string LocalVersionFile() const;
  std::string LocalInstaller() const;
  std::string BackupPath() const;

 private:
  void Checkforupdates1Click(bool interactive);
  void FetchVersionFile();
  void OfferUpdate(bool interactive);
  void InstallUpdate();
  bool GetFile(const std::string& url, const std::string& localPath);
  void Progress(std::int64_t received, std::int64_t total);
  void Done();
  void Failed();
  void Hide();
  void Changed();

  UpdateSettings settings_;
  Downloader& downloader_;
  UpdateDialogs& dialogs_;
  UpdateTimers& timers_;
  UpdateShell& shell_;
  UpdateWindow window_;
  std::function<void()> windowChanged_;

  int updateState_ = 0;
  bool interactiveCheck_ = false;
  bool downloading_ = false;
  bool watchdogFired_ = false;  // the user was told that the server does not answer
  std::int64_t expectedInstallerSize_ = 0;
};

}  // namespace habitopia
