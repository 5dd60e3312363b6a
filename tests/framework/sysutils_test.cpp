// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "framework/sysutils.h"
#include "framework/tstringlist.h"

namespace {

using namespace std::string_literals;

struct IntRow {
  const char* Text;
  bool Valid;
  int32_t Value;
};

TEST(IntegerConversion, ReadsTheFrameworkSyntax) {
  const IntRow rows[] = {
      {"0", true, 0},
      {"42", true, 42},
      {"  7", true, 7},             // leading blanks skipped
      {"-15", true, -15},
      {"+15", true, 15},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"$1F", true, 31},
      {"0x1f", true, 31},
      {"$FFFFFFFF", true, -1},      // hexadecimal spells any 32-bit pattern
      {"", false, 0},
      {"   ", false, 0},
      {"7 ", false, 0},             // trailing blanks are not skipped
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
      {"12a", false, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"$100000000", false, 0},
      {"1.5", false, 0},
  };
  for (const IntRow& row : rows) {
    int32_t value = 12345;
    EXPECT_EQ(TryStrToInt(row.Text, value), row.Valid) << "'" << row.Text << "'";
    if (row.Valid) EXPECT_EQ(value, row.Value) << "'" << row.Text << "'";
  }
}

TEST(IntegerConversion, NamesTheOffendingTextInTheError) {
  try {
    StrToInt("12x");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt(""), EConvertError);
  EXPECT_EQ(StrToIntDef("nope", -1), -1);
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
  EXPECT_EQ(Trim("\x01*.*\x1f"), "*.*");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("中文 "), "中文");  // bytes above 0x7F are text, not blanks
  EXPECT_EQ(TrimLeft("  x  "), "x  ");
  EXPECT_EQ(TrimRight("  x  "), "  x");
}

TEST(StringList, KeepsBytesAndReportsEveryRealChange) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  // Not UTF-8, with a zero byte inside: kept as bytes, never as a C string.
  const std::string odd = "bad\xff\xfe\0name\n"s;
  ASSERT_EQ(odd.size(), 11u);
  list.Add(odd);
  list.Add("b");
  EXPECT_EQ(list[0], odd);
  EXPECT_EQ(list.IndexOf("b"), 1);
  list.SetStrings(1, "b");  // same value: no change
  EXPECT_EQ(changes, 2);
  TStringList copy;
  copy.Assign(list);
  EXPECT_EQ(copy.Items(), list.Items());
  list.Clear();
  list.Clear();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(copy.Count(), 2);  // a copy, not a view
  copy.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(copy.Items(), (std::vector<std::string>{"one", "two", "three", "four"}));
}

}  // namespace
