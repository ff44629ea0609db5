// Downloads over Qt Network from a server inside the test: the file appears only
// whole, and a failed download leaves what was there before.

#include "gui/network_downloader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>

#include "local_http_server.h"
#include "support/temp_folder.h"

namespace habitopia {
namespace {

struct Outcome {
  bool done = false;
  bool failed = false;
  std::vector<std::pair<std::int64_t, std::int64_t>> progress;
  bool Finished() const { return done || failed; }
};

DownloadCallbacks Record(Outcome& outcome) {
  DownloadCallbacks callbacks;
  callbacks.progress = [&outcome](std::int64_t received, std::int64_t total) {
    outcome.progress.emplace_back(received, total);
  };
  callbacks.done = [&outcome] { outcome.done = true; };
  callbacks.failed = [&outcome](const std::string&) { outcome.failed = true; };
  return callbacks;
}

class NetworkDownload : public test::TempFolderTest {
 protected:
  NetworkDownload() : TempFolderTest("habitopia-network") {}
  std::string Url(const QString& path) const { return (server_.BaseUrl() + path).toStdString(); }

  test::LocalHttpServer server_;
  gui::NetworkDownloader downloader_{2000};
};

TEST_F(NetworkDownload, TheWholeBodyArrivesWithProgress) {
  QByteArray body(300000, '\0');
  for (int i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 31);
  server_.Route("/HabitopiaHome/HabitopiaInstall.MSI", {200, body});
  Outcome outcome;
  const std::string target = Path("installer");
  ASSERT_TRUE(
      downloader_.Start(Url("HabitopiaHome/HabitopiaInstall.MSI"), target, Record(outcome)));
  EXPECT_FALSE(downloader_.Start(Url("other"), Path("other"), Record(outcome))) << "one at a time";
  ASSERT_TRUE(test::WaitFor([&] { return outcome.Finished(); }));
  EXPECT_TRUE(outcome.done);
  EXPECT_EQ(test::ReadText(target), body.toStdString());
  ASSERT_FALSE(outcome.progress.empty());
  EXPECT_EQ(outcome.progress.back(), std::make_pair(std::int64_t{300000}, std::int64_t{300000}));
  EXPECT_FALSE(downloader_.Running());
}

TEST_F(NetworkDownload, AMissingFileOrABrokenTransferLeavesThePreviousFile) {
  server_.Route("/short", {200, QByteArray(100, 'x'), 5000});
  for (const QString path : {"missing", "short"}) {
    const std::string target = Write("kept", "what was there before");
    Outcome outcome;
    ASSERT_TRUE(downloader_.Start(Url(path), target, Record(outcome)));
    ASSERT_TRUE(test::WaitFor([&] { return outcome.Finished(); })) << path.toStdString();
    EXPECT_TRUE(outcome.failed) << path.toStdString();
    EXPECT_EQ(test::ReadText(target), "what was there before");
    // No temporary file stays behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder()))
      ++entries;
    EXPECT_EQ(entries, 1);
  }
}

TEST_F(NetworkDownload, AStalledTransferFailsAndAbortEndsOne) {
  server_.Route("/silent", {200, {}, -1, true});
  Outcome stalled;
  ASSERT_TRUE(downloader_.Start(Url("silent"), Path("a"), Record(stalled)));
  ASSERT_TRUE(test::WaitFor([&] { return stalled.Finished(); }, 8000));
  EXPECT_TRUE(stalled.failed);

  Outcome aborted;
  ASSERT_TRUE(downloader_.Start(Url("silent"), Path("b"), Record(aborted)));
  downloader_.Abort();
  ASSERT_TRUE(test::WaitFor([&] { return aborted.Finished(); }));
  EXPECT_TRUE(aborted.failed);
  EXPECT_FALSE(std::filesystem::exists(Path("b")));
}

TEST_F(NetworkDownload, OnlyWebAddressesAndWritableFoldersStart) {
  Outcome outcome;
  EXPECT_FALSE(downloader_.Start("file:///etc/passwd", Path("x"), Record(outcome)));
  EXPECT_FALSE(downloader_.Start("not an address", Path("x"), Record(outcome)));
  EXPECT_FALSE(downloader_.Start(Url("missing"), Path("no/folder/x"), Record(outcome)));
  EXPECT_FALSE(downloader_.Running());
  EXPECT_FALSE(outcome.Finished());
}

}  // namespace
}  // namespace habitopia
