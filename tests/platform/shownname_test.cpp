// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shownname.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {
// U+FFFD in UTF-8: what the user sees (and the editor holds) for a stray byte.
const std::string kMark = "\xEF\xBF\xBD";

TEST(ShownName, StrayBytesAndControlCharactersShowAsOneMarkEach) {
  EXPECT_EQ(ShownName("plain"), "plain");
  EXPECT_EQ(ShownName("\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80"), "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80");
  EXPECT_EQ(ShownName("caf\xE9"), "caf" + kMark);
  EXPECT_EQ(ShownName("two\nlines\x7F"), "two" + kMark + "lines" + kMark);
  EXPECT_EQ(ShownName("\xE4\xB8"), kMark + kMark);          // a cut-off character, byte by byte
  EXPECT_EQ(ShownName("\xC0\xAF"), kMark + kMark);          // an overlong "/"
  EXPECT_EQ(ShownName("\xED\xA0\x80"), kMark + kMark + kMark);  // a surrogate
  EXPECT_EQ(ShownName(""), "");
  EXPECT_TRUE(ShownAsIs("plain \xE4\xB8\xAD"));
  EXPECT_FALSE(ShownAsIs("caf\xE9"));
  EXPECT_FALSE(ShownAsIs("tab\there"));
  EXPECT_FALSE(ShownAsIs("\xE4\xB8"));
}

TEST(ShownName, EachShownCharacterKnowsTheBytesItCameFrom) {
  const std::string name = "a\xE9\xE4\xB8\xAD\n";
  const auto chars = ShownChars(name);
  ASSERT_EQ(chars.size(), 4u);
  EXPECT_EQ(chars[0].Code, U'a');
  EXPECT_EQ(chars[1].Code, U'\xFFFD');
  EXPECT_EQ(chars[1].Begin, 1u);
  EXPECT_EQ(chars[1].Len, 1u);
  EXPECT_EQ(chars[2].Code, U'\x4E2D');
  EXPECT_EQ(chars[2].Begin, 2u);
  EXPECT_EQ(chars[2].Len, 3u);
  EXPECT_EQ(chars[3].Code, U'\xFFFD');
  EXPECT_EQ(chars[3].Begin, 5u);
}

struct EditCase {
  const char* What;
  std::string Name;
  std::string Edited;  // the shown text after editing
  std::string Result;
};

const EditCase kEditCases[] = {
    {"an unchanged text is the same bytes", "caf\xE9 photos", "caf" + kMark + " photos", "caf\xE9 photos"},
    {"appending keeps a stray byte", "caf\xE9 photos", "caf" + kMark + " photos 2024", "caf\xE9 photos 2024"},
    {"prepending keeps a stray byte", "\xE9t\xE9", "new " + kMark + "t" + kMark, "new \xE9t\xE9"},
    {"typing over the stray byte replaces it", "caf\xE9 photos", "cafe photos", "cafe photos"},
    {"an edit across the stray byte replaces it", "caf\xE9 photos", "caF Photos", "caF Photos"},
    {"deleting the stray byte removes it", "caf\xE9", "caf", "caf"},
    {"a character typed between two stray bytes", "\xE9\xE8", kMark + "x" + kMark, "\xE9x\xE8"},
    {"a newline left alone stays", "two\nlines", "two" + kMark + "lines!", "two\nlines!"},
    {"a cut-off character left alone stays", "x\xE4\xB8", "y" + kMark + kMark, "y\xE4\xB8"},
    {"a mark the user typed is taken as typed", "ab", "a" + kMark + "b", "a" + kMark + "b"},
    {"a valid name renames exactly as typed", "\xE4\xB8\xAD\xE6\x96\x87", "\xE4\xB8\xAD\xE6\x96\x87\xE4\xBB\xB6",
     "\xE4\xB8\xAD\xE6\x96\x87\xE4\xBB\xB6"},
    {"the ends never overlap when a run grows", "aa", "aaa", "aaa"},
    {"the ends never overlap when a run shrinks", "a\xE9\xE9" "a", "a" + kMark + "a", "a\xE9" "a"},
    {"everything deleted", "caf\xE9", "", ""},
    {"everything replaced", "\xE9\xE8", "new", "new"},
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.What; }

class EditTable : public testing::TestWithParam<EditCase> {};

TEST_P(EditTable, WhatTheUserLeftAloneKeepsItsBytes) {
  const EditCase& c = GetParam();
  EXPECT_EQ(NameAfterEdit(c.Name, c.Edited), c.Result) << c.What;
}

INSTANTIATE_TEST_SUITE_P(ShownName, EditTable, testing::ValuesIn(kEditCases));
}  // namespace
