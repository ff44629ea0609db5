// instance_lock_probe LOCKFILE hold|try: the program's single-instance lock in a
// process of its own. "hold" takes the lock, prints "held" and waits to be
// killed; "try" exits 0 when it got the lock and 1 when another process holds it.

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <cstring>

#include "gui/qt_ports.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: instance_lock_probe LOCKFILE hold|try\n");
    return 2;
  }
  habitopia::gui::QtInstanceLock lock(QString::fromLocal8Bit(argv[1]));
  const bool acquired = lock.TryAcquire();
  if (std::strcmp(argv[2], "try") == 0) return acquired ? 0 : 1;
  if (!acquired) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  for (;;) QThread::sleep(60);
}
