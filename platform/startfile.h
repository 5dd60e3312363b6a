// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files the program reads as it starts (its settings, the list of the user's
// folders) are read only when they are regular files of a sensible size: a
// FIFO in their place would hold the start for ever, a huge file for seconds
// and hundreds of megabytes. Anything else counts as missing, and standard
// error says why in one line, once a file.

#include <cstddef>
#include <string>

constexpr std::size_t kMaxStartFileBytes = std::size_t{1} << 20;  // far beyond any settings we write

enum class TStartFile { Missing, Usable, Refused };

// Looks at `path` without anything that could block (a FIFO is opened
// non-blocking). Refused files are reported on standard error.
TStartFile CheckStartFile(const std::string& path);

// The whole text of a usable file; "" (and false) for a missing or refused one.
bool ReadStartFile(const std::string& path, std::string& text);
