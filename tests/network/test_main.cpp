// The network tests need one application object for their event loop.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QNetworkProxy>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication application(argc, argv);
  // The server is inside the test: a proxy of the machine must not stand between.
  QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
  return RUN_ALL_TESTS();
}
