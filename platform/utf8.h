// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Character-level helpers shared by wildcard matching and natural ordering.
// File names are bytes: a valid UTF-8 sequence is one character, and every
// byte that is not part of one counts as a character of its own, so nothing
// is ever rejected or converted.

#include <cstddef>
#include <string_view>

struct TUtf8Char {
  char32_t Code;    // code point, or kInvalidByteBase + byte for a stray byte
  std::size_t Len;  // bytes consumed, at least 1
};

// Stray bytes map above the Unicode range so they never equal a real character.
constexpr char32_t kInvalidByteBase = 0x110000;

// Decodes the character at s[i] (i < s.size()), rejecting overlong forms,
// surrogates and code points above U+10FFFF.
inline TUtf8Char NextUtf8Char(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return {b0, 1};
  const TUtf8Char stray{kInvalidByteBase + b0, 1};
  std::size_t len;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2; cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3; cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4; cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return stray;
  }
  if (i + len > s.size()) return stray;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF)) return stray;
    cp = (cp << 6) | (b & 0x3F);
  }
  return {cp, len};
}

// Simple case folding to lower case for ASCII, Latin-1, Greek and Cyrillic
// capitals: the one-to-one mappings that cover the names users type. Letters
// outside these blocks compare exactly.
inline char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;             // À..Þ except ×
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;          // Α..Ϋ
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                        // А..Я
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;                        // Ѐ..Џ
  return c;
}
