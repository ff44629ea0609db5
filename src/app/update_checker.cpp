#include "app/update_checker.h"

#include <cmath>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/numbers.h"
#include "files/file_io.h"

namespace habitopia {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void RemoveQuietly(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

}  // namespace

std::optional<VersionFile> ParseVersionFile(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  if (lines.size() < 3) return std::nullopt;
  long double available = 0;
  long long size = 0;
  if (!ParseReal(Trimmed(lines[1]), available) || !ParseInteger(Trimmed(lines[2]), size) ||
      size <= 0)
    return std::nullopt;
  VersionFile file;
  file.available = static_cast<double>(available);
  file.installerSize = size;
  for (std::size_t i = 3; i < lines.size(); ++i) file.releaseNotes += "\n" + lines[i];
  return file;
}

bool OffersUpdate(double available, double current) {
  return std::fabs(available - current) > 0.0005;
}

std::string UrlHost(const std::string& url) {
  std::size_t start = url.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  std::size_t end = url.find_first_of("/?#", start);
  if (end == std::string::npos) end = url.size();
  std::string authority = url.substr(start, end - start);
  if (const std::size_t at = authority.rfind('@'); at != std::string::npos)
    authority.erase(0, at + 1);
  if (!authority.empty() && authority.front() == '[')
    return authority.substr(0, authority.find(']') + 1);
  return authority.substr(0, authority.find(':'));
}

std::string UpdateBaseUrl(const EnvironmentLookup& environment, const std::string& configured) {
  std::string base = configured.empty() ? kDefaultUpdateBaseUrl : configured;
  if (auto own = environment("HABITOPIA_UPDATE_URL"); own && !own->empty()) base = *own;
  if (base.back() != '/') base += '/';
  return base;
}

int UpdateWatchdogMs(const EnvironmentLookup& environment, int configured) {
  long long value = 0;
  if (auto own = environment("HABITOPIA_UPDATE_WATCHDOG_MS");
      own && ParseInteger(Trimmed(*own), value) && value > 0 && value < (1 << 30))
    return static_cast<int>(value);
  return configured;
}

UpdateChecker::UpdateChecker(UpdateSettings settings, Downloader& downloader,
                             UpdateDialogs& dialogs, UpdateTimers& timers, UpdateShell& shell)
    : settings_(std::move(settings)),
      downloader_(downloader),
      dialogs_(dialogs),
      timers_(timers),
      shell_(shell) {
  if (settings_.baseUrl.empty()) settings_.baseUrl = kDefaultUpdateBaseUrl;
  if (settings_.baseUrl.back() != '/') settings_.baseUrl += '/';
}

std::string UpdateChecker::VersionUrl() const {
  return settings_.baseUrl + kProductName + "Home/version.txt";
}

std::string UpdateChecker::InstallerUrl() const {
  return settings_.baseUrl + kProductName + "Home/" + kProductName + "Install.MSI";
}

std::string UpdateChecker::LocalVersionFile() const {
  return settings_.workDirectory + "/version.txt";
}

std::string UpdateChecker::LocalInstaller() const {
  return settings_.workDirectory + "/update/" + kProductName + "install.MSI";
}

std::string UpdateChecker::BackupPath() const {
  return settings_.workDirectory + "/" + fs::path(settings_.programPath).filename().string() +
         ".old";
}

void UpdateChecker::CheckforupdatesClick() {
  if (downloading_) return;  // one check at a time
  interactiveCheck_ = true;
  timers_.Start(UpdateTimer::Step, settings_.stepMs);
}

void UpdateChecker::CheckforupdatesClicksilent() {
  if (downloading_) return;
  interactiveCheck_ = false;
  timers_.Start(UpdateTimer::Step, settings_.stepMs);
}

void UpdateChecker::Timer1Timer() {
  timers_.Stop(UpdateTimer::Step);
  Checkforupdates1Click(interactiveCheck_);
}

void UpdateChecker::Timer2Timer() {
  timers_.Stop(UpdateTimer::Watchdog);
  watchdogFired_ = true;
  Hide();
  dialogs_.ShowMessage(kNoConnection);
}

void UpdateChecker::Checkforupdates1Click(bool interactive) {
  window_.label2 = "Checking for Updates at " + UrlHost(settings_.baseUrl);
  window_.progressMax = kUpdateProgressStart;
  Changed();
  switch (updateState_) {
    case 0: FetchVersionFile(); break;
    case 1: OfferUpdate(interactive); break;
    default: InstallUpdate(); break;
  }
  Hide();
}

void UpdateChecker::FetchVersionFile() {
  // Files of an earlier check are not to be taken for this one's.
  RemoveQuietly(LocalVersionFile());
  RemoveQuietly(LocalInstaller());
  std::string error;
  if (!EnsureWorkDirectory(settings_.workDirectory, error)) {
    dialogs_.ShowMessage(kNoConnectionToServer);
    return;
  }
  GetFile(VersionUrl(), LocalVersionFile());
}

void UpdateChecker::OfferUpdate(bool interactive) {
  window_.label1 = "100%";
  Changed();
  std::string text, error;
  const std::optional<VersionFile> version =
      ReadWholeFile(LocalVersionFile(), text, error) ? ParseVersionFile(text) : std::nullopt;
  updateState_ = 0;
  if (!version) {
    if (interactive) dialogs_.ShowMessage(kNoConnectionToServer);
    return;
  }
  window_.progressMax = version->installerSize;
  Changed();
  if (!OffersUpdate(version->available, settings_.currentVersion)) {
    if (interactive) dialogs_.ShowMessage(kUpToDate);
    return;
  }
  if (!dialogs_.AskYesNo(kNewVersionQuestion)) return;
  if (!version->releaseNotes.empty()) dialogs_.ShowMessage(version->releaseNotes);
  if (!EnsureWorkDirectory(settings_.workDirectory + "/update", error)) {
    dialogs_.ShowMessage(kCannotCreateWorkDirectory);
    return;
  }
  window_.label2 = std::string("Download Progress of ") + kProductName + " Update";
  Changed();
  expectedInstallerSize_ = version->installerSize;
  updateState_ = 1;
  GetFile(InstallerUrl(), LocalInstaller());
}

void UpdateChecker::InstallUpdate() {
  updateState_ = 0;
  const std::string installer = LocalInstaller();
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(installer, ec);
  if (ec || static_cast<std::int64_t>(size) != expectedInstallerSize_) {
    RemoveQuietly(installer);
    Hide();
    dialogs_.ShowMessage(kDownloadFailed);
    return;
  }
  RemoveQuietly(BackupPath());
  fs::copy_file(settings_.programPath, BackupPath(), fs::copy_options::overwrite_existing, ec);
  const std::string folder = settings_.workDirectory + "/update";
  const std::string program = fs::path(settings_.programPath).filename().string();
  dialogs_.ShowMessage("Update successfully downloaded to " + folder + ".\n" +
                       "A backup of the old program has been generated (" +
                       fs::path(BackupPath()).filename().string() + ")\n" + program +
                       " will now close. \n" + "Installation of " + kProductName +
                       " should start automaticaly. \n" + "If not, run " +
                       fs::path(installer).filename().string() + " from " + folder + ".");
  shell_.OpenDocument(installer);  // a failure here still ends the program
  shell_.EndProgram();
}

bool UpdateChecker::GetFile(const std::string& url, const std::string& localPath) {
  watchdogFired_ = false;
  timers_.Start(UpdateTimer::Watchdog, settings_.watchdogMs);
  DownloadCallbacks callbacks;
  callbacks.progress = [this](std::int64_t received, std::int64_t total) {
    Progress(received, total);
  };
  callbacks.done = [this] { Done(); };
  callbacks.failed = [this, localPath](const std::string&) {
    RemoveQuietly(localPath);
    Failed();
  };
  downloading_ = true;
  if (!downloader_.Start(url, localPath, std::move(callbacks))) {
    downloading_ = false;
    timers_.Stop(UpdateTimer::Watchdog);
    updateState_ = 0;
    dialogs_.ShowMessage(kErrorDownloading + url);
    return false;
  }
  return true;
}

void UpdateChecker::Progress(std::int64_t received, std::int64_t total) {
  window_.visible = true;
  if (total > 0) window_.progressMax = total;
  if (received > 0) {
    timers_.Stop(UpdateTimer::Watchdog);
    window_.progressValue = received;
    const long long percent =
        window_.progressMax > 0
            ? RoundToInteger(100.0L * static_cast<long double>(received) / window_.progressMax)
            : 0;
    window_.label1 = std::to_string(percent) + " %";
  }
  Changed();
}

void UpdateChecker::Done() {
  downloading_ = false;
  timers_.Stop(UpdateTimer::Watchdog);
  ++updateState_;
  Hide();
  timers_.Start(UpdateTimer::Step, settings_.stepMs);
}

void UpdateChecker::Failed() {
  downloading_ = false;
  timers_.Stop(UpdateTimer::Watchdog);
  const bool installer = updateState_ == 1;
  updateState_ = 0;
  Hide();
  // The user asked for the installer, or for this check: say that it failed,
  // unless the watchdog has said so already.
  if (watchdogFired_) return;
  if (installer)
    dialogs_.ShowMessage(kDownloadFailed);
  else if (interactiveCheck_)
    dialogs_.ShowMessage(kNoConnectionToServer);
}

void UpdateChecker::Hide() {
  if (!window_.visible) return;
  window_.visible = false;
  Changed();
}

void UpdateChecker::Changed() {
  if (windowChanged_) windowChanged_();
}

}  // namespace habitopia
