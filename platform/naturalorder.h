// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The order in which file names are listed: the order desktop file managers
// show, so the numbering a user gets follows the order the user sees.
//
// Letters compare without regard to case, runs of ASCII digits by their
// numeric value (file2 < file10, any length), and byte order breaks the
// remaining ties (File1 vs file1, a01 vs a1), so the order is total.

#include <string_view>

// Negative, zero or positive as a sorts before, equal to or after b.
// Zero only when the two are byte for byte equal.
int NaturalCompare(std::string_view a, std::string_view b);

inline bool NaturalLess(std::string_view a, std::string_view b) {
  return NaturalCompare(a, b) < 0;
}
