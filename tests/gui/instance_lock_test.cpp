// One running program per user: the lock file against other processes.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "gui/qt_ports.h"

namespace habitopia::gui::test {
namespace {

// Runs the probe in "try" mode: true when it got the lock.
bool OtherProcessAcquires(const QString& lockFile) {
  QProcess probe;
  probe.start(QStringLiteral(HABITOPIA_LOCK_PROBE), {lockFile, QStringLiteral("try")});
  EXPECT_TRUE(probe.waitForFinished(10000));
  EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
  return probe.exitCode() == 0;
}

TEST(InstanceLock, ASecondProcessIsRefusedWhileTheFirstRunsAndAKilledOneBlocksNothing) {
  QTemporaryDir work;
  ASSERT_TRUE(work.isValid());
  const QString lockFile = work.filePath(QStringLiteral("habitopia.lock"));

  QProcess first;
  first.start(QStringLiteral(HABITOPIA_LOCK_PROBE), {lockFile, QStringLiteral("hold")});
  ASSERT_TRUE(first.waitForReadyRead(10000));
  ASSERT_EQ(first.readAllStandardOutput().trimmed(), "held");

  EXPECT_FALSE(OtherProcessAcquires(lockFile));
  QtInstanceLock here(lockFile);
  EXPECT_FALSE(here.TryAcquire());

  // Killed without a chance to clean up: its lock file stays behind.
  first.kill();
  ASSERT_TRUE(first.waitForFinished(10000));
  ASSERT_TRUE(QFile::exists(lockFile));
  EXPECT_TRUE(OtherProcessAcquires(lockFile));
  EXPECT_TRUE(here.TryAcquire());

  // Held by this process now: the next one is refused again, until released.
  EXPECT_FALSE(OtherProcessAcquires(lockFile));
  here.Release();
  EXPECT_FALSE(QFile::exists(lockFile));
  EXPECT_TRUE(OtherProcessAcquires(lockFile));
}

}  // namespace
}  // namespace habitopia::gui::test
