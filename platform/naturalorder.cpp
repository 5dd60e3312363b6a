// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/naturalorder.h"

#include <algorithm>
#include <cstring>

#include "platform/utf8.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Sign(int v) { return (v > 0) - (v < 0); }

// Compares the digit runs starting at a[i] and b[j] by value and moves both
// indexes past them. Leading zeros are skipped and the significant digits
// compared by count, then lexically, so no run can overflow.
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
  while (i < a.size() && a[i] == '0') ++i;
  while (j < b.size() && b[j] == '0') ++j;
  const std::size_t si = i, sj = j;
  while (i < a.size() && IsDigit(a[i])) ++i;
  while (j < b.size() && IsDigit(b[j])) ++j;
  const std::size_t la = i - si, lb = j - sj;
  if (la != lb) return la < lb ? -1 : 1;
  return Sign(std::memcmp(a.data() + si, b.data() + sj, la));
}

// Both names are read as sequences of tokens: a maximal digit run, or one
// character (case-folded). Digit runs sit where the digits sit among the
// characters, which keeps the comparison a consistent weak order.
int CompareFolded(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[j]);
    if (ca < 0x80 && cb < 0x80) {  // fast path: plain ASCII
      if (IsDigit(ca) && IsDigit(cb)) {
        if (const int r = CompareNumbers(a, i, b, j)) return r;
        continue;
      }
      const char32_t fa = FoldCase(ca), fb = FoldCase(cb);
      if (fa != fb) return fa < fb ? -1 : 1;
      ++i;
      ++j;
      continue;
    }
    const TUtf8Char ua = NextUtf8Char(a, i), ub = NextUtf8Char(b, j);
    const char32_t fa = FoldCase(ua.Code), fb = FoldCase(ub.Code);
    if (fa != fb) return fa < fb ? -1 : 1;
    i += ua.Len;
    j += ub.Len;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
  if (const int r = CompareFolded(a, b)) return r;
  return Sign(a.compare(b));
}
