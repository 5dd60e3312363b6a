// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/tapplication.h"
#include "../../platform/hungmount.h"

int main(int argc, char** argv) {
  hungmount::EnterPrivateMountsIfChild();  // before any thread
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
