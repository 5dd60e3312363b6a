// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "../platform/hungmount.h"

int main(int argc, char** argv) {
  hungmount::EnterPrivateMountsIfChild();  // before any thread
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
