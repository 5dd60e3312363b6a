// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test skins: small skins, each exercising what the program's own skin
// leaves out (a window mask, an inactive picture, automatic inactive looks,
// stretched edges, buttons on the left, animated and user objects, every
// morph kind, shaped controls and popups).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/skingen/generatedskin.h"

namespace testskins {

// Every test skin with its folder name.
std::vector<std::pair<std::string, std::unique_ptr<TGeneratedSkin>>> BuildTestSkins();

}  // namespace testskins
