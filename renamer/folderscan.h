// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One pass over a folder's entries, matched to a list of names: far cheaper
// than a stat per file when the list is long. What an entry tells (its inode,
// its type) is what the file system's directory holds.

#include <dirent.h>

#include <cstddef>
#include <functional>
#include <string_view>

// Reads the entries of the folder open as Dir (through a descriptor of its
// own, so Dir is left as it was) and calls Found(index, entry) for each entry
// whose name is NameOf(index) for one of Count indexes; a name listed twice
// is found at both. False when the folder cannot be read to its end, or when
// Count is too large to index (then Found is never called).
bool ScanListedEntries(int Dir, std::size_t Count, const std::function<std::string_view(std::size_t)>& NameOf,
                       const std::function<void(std::size_t, const dirent64&)>& Found);
