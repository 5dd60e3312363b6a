// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shownname.h"

#include <algorithm>

#include "platform/utf8.h"

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// A name shows on one line: a newline or any other control character would
// break the row, so it shows as the mark a stray byte gets.
bool IsControl(char32_t c) { return c < 0x20 || c == 0x7F; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// The characters of `text` as they are, with their byte ranges.
std::vector<TShownChar> Chars(std::string_view text) {
  std::vector<TShownChar> chars;
  chars.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const TUtf8Char c = NextUtf8Char(text, i);
    chars.push_back({c.Code, i, c.Len});
    i += c.Len;
  }
  return chars;
}
}  // namespace

std::vector<TShownChar> ShownChars(std::string_view name) {
  std::vector<TShownChar> chars = Chars(name);
  for (TShownChar& c : chars)
    if (c.Code >= kInvalidByteBase || IsControl(c.Code)) c.Code = kReplacement;
  return chars;
}

bool ShownAsIs(std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const auto b = static_cast<unsigned char>(name[i]);
    if (b >= 0x20 && b < 0x7F) {  // printable ASCII, most of every name: no decoding
      ++i;
      continue;
    }
    const TUtf8Char c = NextUtf8Char(name, i);
    if (c.Code >= kInvalidByteBase || IsControl(c.Code)) return false;
    i += c.Len;
  }
  return true;
}

std::string ShownName(std::string_view name) {
  if (ShownAsIs(name)) return std::string(name);
  std::string out;
  out.reserve(name.size() + 8);
  for (const TShownChar& c : ShownChars(name)) AppendUtf8(out, c.Code);
  return out;
}

std::string NameAfterEdit(std::string_view name, std::string_view edited) {
  const std::vector<TShownChar> before = ShownChars(name);
  // A stray byte in the edited text keeps a code of its own, so it never
  // matches a shown mark and is taken as typed.
  const std::vector<TShownChar> after = Chars(edited);
  const std::size_t n = before.size(), m = after.size();
  std::size_t prefix = 0;
  while (prefix < n && prefix < m && before[prefix].Code == after[prefix].Code) ++prefix;
  // The ends never overlap: "aa" edited to "aaa" has a prefix of two and no suffix.
  std::size_t suffix = 0;
  const std::size_t room = std::min(n, m) - prefix;
  while (suffix < room && before[n - 1 - suffix].Code == after[m - 1 - suffix].Code) ++suffix;

  const std::size_t keptHead = prefix < n ? before[prefix].Begin : name.size();
  const std::size_t keptTail = suffix > 0 ? before[n - suffix].Begin : name.size();
  const std::size_t typedBegin = prefix < m ? after[prefix].Begin : edited.size();
  const std::size_t typedEnd = suffix > 0 ? after[m - suffix].Begin : edited.size();
  std::string result(name.substr(0, keptHead));
  result.append(edited.substr(typedBegin, typedEnd - typedBegin));
  result.append(name.substr(keptTail));
  return result;
}
