// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/naturalorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

struct OrderCase {
  const char* What;
  std::string A, B;
  int Expected;  // sign of NaturalCompare(A, B)
};

const OrderCase kOrderCases[] = {
    {"numbers by value", "file2", "file10", -1},
    {"numbers by value, longer prefix text", "img_9.jpg", "img_10.jpg", -1},
    {"letters ignore case first", "apple", "Banana", -1},
    {"case breaks a tie in byte order", "File1", "file1", -1},
    {"leading zeros equal in value, bytes break the tie", "a01", "a1", -1},
    {"equal strings", "same", "same", 0},
    {"prefix first", "file", "file1", -1},
    {"digits before letters", "1a", "a1", -1},
    {"punctuation below digits stays below", "a-1", "a1", -1},
    {"huge runs by length", "x" + std::string(40, '9'), "x1" + std::string(40, '0'), -1},
    {"huge runs of equal length lexically", "x" + std::string(30, '7') + "8",
     "x" + std::string(30, '7') + "9", -1},
    {"huge runs with leading zeros", "x" + std::string(50, '0') + "5", "x6", -1},
    {"Latin-1 capitals fold", "\xC3\x89" "b", "\xC3\xA9" "c", -1},
    {"stray bytes after every character", "\xEF\xBF\xBD", "\xFF", -1},
    {"empty first", "", "a", -1},
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.What; }

class OrderTable : public testing::TestWithParam<OrderCase> {};

TEST_P(OrderTable, ComparesLikeAFileManager) {
  const OrderCase& c = GetParam();
  EXPECT_EQ(Sign(NaturalCompare(c.A, c.B)), c.Expected) << c.What;
  EXPECT_EQ(Sign(NaturalCompare(c.B, c.A)), -c.Expected) << c.What << " (reversed)";
}

INSTANTIATE_TEST_SUITE_P(NaturalOrder, OrderTable, testing::ValuesIn(kOrderCases));

TEST(NaturalOrder, SortsAListAsUsersExpect) {
  std::vector<std::string> names = {"file10.txt", "File1.txt", "file2.txt", "file1.txt",
                                    "a.txt",      "B.txt",     "file02.txt", ".hidden"};
  std::sort(names.begin(), names.end(), NaturalLess);
  const std::vector<std::string> expected = {".hidden",   "a.txt",      "B.txt",
                                             "File1.txt", "file1.txt",  "file02.txt",
                                             "file2.txt", "file10.txt"};
  EXPECT_EQ(names, expected);
}

TEST(NaturalOrder, IsAStrictTotalOrder) {
  // Names built to collide under folding and numeric equality.
  const std::vector<std::string> names = {
      "",     "a",   "A",    "a1",   "a01",  "A1",   "a001b", "a1b",  "a1B", "a10",
      "a9",   "a-1", "a.1",  "1",    "01",   "001",  "10",    "9",    "z",   "\xC3\xA9",
      "\xC3\x89", "\xFF", "\xC3", "a\xFF", "b0", "b00", "b0a",  "b00a"};
  for (const auto& a : names) {
    EXPECT_EQ(NaturalCompare(a, a), 0);
    for (const auto& b : names) {
      if (a != b) {
        EXPECT_NE(NaturalCompare(a, b), 0) << a << " vs " << b;
      }
      EXPECT_EQ(Sign(NaturalCompare(a, b)), -Sign(NaturalCompare(b, a))) << a << " vs " << b;
      for (const auto& c : names) {
        if (NaturalCompare(a, b) < 0 && NaturalCompare(b, c) < 0) {
          EXPECT_LT(NaturalCompare(a, c), 0) << a << " < " << b << " < " << c;
        }
      }
    }
  }
}

}  // namespace
