// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compressed block of the skin the program carries (a zlib stream at
// level 9 of the skin package built from skins/default), made at build time.
// The main window's stored skin takes it as its CompressedData.

#include <cstdint>
#include <vector>

const std::vector<uint8_t>& DefaultSkinBlock();
