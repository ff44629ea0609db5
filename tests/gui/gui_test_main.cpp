// The viewer and window tests need one application object for the whole run and
// a display: ctest runs them under xvfb-run.

#include <gtest/gtest.h>

#include <QApplication>

#include "gui/web_environment.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  habitopia::gui::PrepareWebEngineBeforeApplication();
  QApplication application(argc, argv);
  habitopia::gui::PrepareWebEngineAfterApplication();
  return RUN_ALL_TESTS();
}
