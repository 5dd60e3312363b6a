// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// skinpack unpack: writes a package's pictures and its description into a
// folder so that packing the folder again gives the same package.

#include <string>
#include <vector>

// The file names pictures get in the folder: the names the description
// gives, except that a name already taken (letter case aside) or the
// description's own name "skin.ini" gets a number before its extension.
// `sameAs[i]` >= 0 makes picture i share the file of that earlier picture.
// Throws when a name leads outside the folder, before anything is written.
std::vector<std::string> PlanPictureFileNames(const std::vector<std::string>& names, const std::vector<int>& sameAs);

int UnpackSkin(const std::string& file, const std::string& folder);
