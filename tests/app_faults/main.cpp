#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // The tests are listed at build time, where there may be no display; they all run offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
