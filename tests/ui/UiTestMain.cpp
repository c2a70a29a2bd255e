// The ui tests need one QApplication for the whole run, on the offscreen platform so that they
// run without a display, with the program's fonts.
#include <QApplication>

#include <gtest/gtest.h>

#include "widgets/CjkSubsetFont.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // As the program does.
  nxui::UseCjkSubsetFont();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
