// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a file name is shown on one line, and how a shown name the user edited
// becomes bytes again. A name is bytes: each valid UTF-8 character shows as
// itself, and each stray byte or control character as U+FFFD, so the text
// on screen no longer says which bytes stood there. Whatever part of the
// name the user left alone therefore keeps its original bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One character on screen and the bytes of the name it stands for.
struct TShownChar {
  char32_t Code;      // as shown: U+FFFD for a stray byte or a control character
  std::size_t Begin;  // its bytes in the name
  std::size_t Len;
};

std::vector<TShownChar> ShownChars(std::string_view name);

// Whether the name shows as it is (valid UTF-8 without control characters).
bool ShownAsIs(std::string_view name);

// The shown text, in UTF-8 (the name itself when it shows as it is).
std::string ShownName(std::string_view name);

// The name that `edited` (the shown text after editing, in UTF-8) stands
// for: what is left of the shown text at either end keeps the bytes it
// came from, and what the user typed between is taken as typed. An
// unchanged text gives `name` back, byte for byte.
std::string NameAfterEdit(std::string_view name, std::string_view edited);
