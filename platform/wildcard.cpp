// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wildcard.h"

#include "platform/utf8.h"

namespace {

// Greedy matching that remembers only the last '*': on a mismatch the star
// takes one more character and matching resumes after it. Earlier stars never
// need revisiting, so the cost is at most |Name| * |Mask| steps, never
// exponential.
bool MatchPlain(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos;  // mask index just after the last '*'
  std::size_t starName = 0;                       // name index that star resumes from
  while (n < name.size()) {
    if (m < mask.size()) {
      if (mask[m] == '*') {
        starMask = ++m;
        starName = n;
        continue;
      }
      const TUtf8Char nc = NextUtf8Char(name, n);
      if (mask[m] == '?') {
        n += nc.Len;
        ++m;
        continue;
      }
      const TUtf8Char mc = NextUtf8Char(mask, m);
      if (FoldCase(nc.Code) == FoldCase(mc.Code)) {
        n += nc.Len;
        m += mc.Len;
        continue;
      }
    }
    if (starMask == std::string_view::npos) return false;
    starName += NextUtf8Char(name, starName).Len;
    n = starName;
    m = starMask;
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesMask(std::string_view Name, std::string_view Mask) {
  if (MatchPlain(Name, Mask)) return true;
  if (Mask.size() >= 2 && Mask.substr(Mask.size() - 2) == ".*")
    return MatchPlain(Name, Mask.substr(0, Mask.size() - 2));
  return false;
}
