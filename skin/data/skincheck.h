// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds what in a skin loads without an error yet does not do what its
// author meant: list entries the loader skips, keys no record reads (a
// misspelt key silently takes its default), picture indexes past the
// pictures, pieces outside their picture, records the main window asks for
// that are missing, and a byte-order mark. Each warning names where it is.

#include <string>
#include <vector>

#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskindescription.h"

// `description` is the description `data` was loaded from.
std::vector<std::string> CheckSkin(const TbsSkinData& data, const TbsSkinDescription& description);

// The control record names the main window's controls ask the skin for.
const std::vector<std::string>& MainWindowRecordNames();
