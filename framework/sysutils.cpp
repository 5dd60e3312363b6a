// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/sysutils.h"

#include <cstdio>

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::string TrimLeft(std::string_view text) {
  size_t b = 0;
  while (b < text.size() && IsBlank(text[b])) ++b;
  return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
  size_t e = text.size();
  while (e > 0 && IsBlank(text[e - 1])) --e;
  return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

bool TryStrToInt(std::string_view s, int32_t& value) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  // Decimal stays within the signed range; hexadecimal may spell any 32-bit
  // pattern ("$FFFFFFFF" is -1), as the framework has always read it.
  const uint64_t limit = base == 10 ? (negative ? 2147483648ull : 2147483647ull) : 0xFFFFFFFFull;
  uint64_t magnitude = 0;
  for (; i < s.size(); ++i) {
    const int d = base == 10 ? (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1) : HexDigit(s[i]);
    if (d < 0) return false;
    magnitude = magnitude * base + d;
    if (magnitude > limit) return false;
  }
  const int64_t signedValue =
      base == 16 ? int64_t(int32_t(uint32_t(magnitude))) : int64_t(magnitude);
  value = int32_t(negative ? -signedValue : signedValue);
  return true;
}

int32_t StrToInt(std::string_view text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
  int32_t value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }
