// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a whole skin input file (a description, a picture or a compressed
// skin) with a size limit. A folder, a FIFO or a device is refused by name
// before anything is read, so a wrong argument can neither block the reader
// nor make it read without end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Far beyond any picture the BMP reader accepts (64 MB at most) and any
// description; a larger file is refused by its size alone.
constexpr size_t kMaxSkinInputFileSize = size_t(128) << 20;

// Fills `bytes` and returns an empty text, or returns what is wrong, naming
// the file: "\"x\" is a folder, not a file", "Cannot open file \"x\": ...".
std::string ReadSkinInputFile(const std::string& path, std::vector<uint8_t>& bytes,
                              size_t limit = kMaxSkinInputFileSize);
