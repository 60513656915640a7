#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  // GUI tests never need a display; test discovery runs without CTest's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
