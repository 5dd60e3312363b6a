// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File-name wildcard matching as the file search applies it.
//
// '*' matches any run of characters, '?' exactly one character (a whole
// UTF-8 sequence, or one stray byte), letters compare without regard to case.
// A trailing ".*" may also match the end of a name, so "*.*" matches every
// name, with or without a dot, and "readme.*" matches "readme".

#include <string_view>

bool MatchesMask(std::string_view Name, std::string_view Mask);
