// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin a skinpack command works on: a skin folder's description file
// (".ini") packed in memory the way `pack` packs it, or a compressed skin
// file, loaded through the program's own skin data so the tools see exactly
// what the program would see, and refuse what it would refuse.

#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskindescription.h"

class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool IsDescriptionFile(const std::string& path);

// Builds or reads the stored skin; throws with a message naming `path`.
void LoadStoredSkin(TbsCompressedStoredSkin& stored, const std::string& path);

// Loads the stored skin into `data` as the program does at start-up; any
// error that would stop the program stops here, with its location.
void LoadSkinData(TbsSkinData& data, TbsCompressedStoredSkin& stored, const std::string& path);

// The description as packed, parsed for the check pass.
TbsSkinDescription PackedDescription(const TbsCompressedStoredSkin& stored, const std::string& path);
