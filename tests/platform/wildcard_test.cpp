// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wildcard.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct MaskCase {
  const char* What;
  std::string Name;
  std::string Mask;
  bool Matches;
};

const MaskCase kMaskCases[] = {
    {"star matches all", "report.txt", "*", true},
    {"star-dot-star matches a name with a dot", "report.txt", "*.*", true},
    {"star-dot-star matches a name without a dot", "README", "*.*", true},
    {"star-dot-star matches a hidden name", ".profile", "*.*", true},
    {"trailing dot-star may match the end", "readme", "readme.*", true},
    {"trailing dot-star still needs the stem", "readmy", "readme.*", false},
    {"extension mask", "photo.JPG", "*.jpg", true},
    {"extension mask rejects other extension", "photo.jpeg", "*.jpg", false},
    {"case folded both ways", "ABC.txt", "abc.TXT", true},
    {"Latin-1 letters fold", "\xC3\x89t\xC3\xA9.txt", "\xC3\xA9T\xC3\x89.*", true},
    {"Cyrillic letters fold", "\xD0\x90\xD0\x91", "\xD0\xB0\xD0\xB1", true},
    {"different letters differ", "abc", "abd", false},
    {"question mark is one character", "a1b", "a?b", true},
    {"question mark is not zero characters", "ab", "a?b", false},
    {"question mark takes a whole two-byte character", "a\xC3\xA9" "b", "a?b", true},
    {"question mark takes a whole four-byte character", "\xF0\x9F\x98\x80.png", "?.png", true},
    {"two question marks do not fit one wide character", "\xE4\xB8\xAD.txt", "??.txt", false},
    {"stray bytes are one character each", "\xFF\xFE", "??", true},
    {"stray bytes compare exactly", "\xFF.bin", "\xFF.*", true},
    {"truncated sequence counts byte by byte", "\xE4\xB8", "??", true},
    {"star in the middle", "IMG_0042.jpg", "img*42.*", true},
    {"star backtracks", "abcabcabd", "*abd", true},
    {"several stars", "a.b.c.d", "*.*.*.*", true},
    {"several stars too few dots", "a.b", "*.*.*.*", false},
    {"mask longer than name", "a", "a?", false},
    {"empty mask matches nothing", "a", "", false},
    {"literal dot", "a_b", "a.b", false},
    {"newline is an ordinary character", "a\nb", "a?b", true},
    {"leading blanks are part of the name", "  x", "x", false},
    {"leading blanks match question marks", "  x", "??x", true},
    {"a trailing star may match nothing", "report", "report*", true},
    {"trailing stars after a whole name", "report.txt", "*.txt*", true},
    {"trailing stars still need what precedes them", "report.tx", "*.txt**", false},
};

void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.What; }

class MaskTable : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskTable, MatchesAsTheFileSearchExpects) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Matches) << c.What;
}

INSTANTIATE_TEST_SUITE_P(Wildcard, MaskTable, testing::ValuesIn(kMaskCases));

TEST(Wildcard, AdversarialMaskStaysPolynomial) {
  // Exponential backtracking would never finish on this.
  const std::string name(5000, 'a');
  std::string mask;
  for (int i = 0; i < 200; ++i) mask += "*a";
  EXPECT_FALSE(MatchesMask(name, mask + "b"));
  EXPECT_TRUE(MatchesMask(name, mask));
}

}  // namespace
