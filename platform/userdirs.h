// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's folders as the desktop names them (XDG user directories).

#include <string>

// $HOME, or the account's home folder when HOME is unset. No trailing "/".
std::string HomeDirectory();
// The XDG desktop folder of the current HOME, or "" when the desktop has no
// folder of its own: the folder does not exist, or it is HOME itself. The
// desktop is then a virtual folder that lists nothing, so a user without a
// desktop folder never gets the home folder's dot files offered for renaming.
std::string DesktopDirectory();
// The folder that user-dirs.dirs names under `key` ("XDG_DESKTOP_DIR", ...),
// or `fallback` below HOME when it names none. The folder need not exist.
std::string XdgUserDirectory(const std::string& key, const std::string& fallback);
