// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);  // the notice tests need real forms
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
