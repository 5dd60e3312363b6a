// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the skin packages a user can choose: *.skn files in
// batch-renamer/skins under the desktop's data folders, the user's own first.
// The scan is bounded in entries and time, so a huge or hostile folder only
// shortens the list; it never holds up the window.

#include <string>
#include <vector>

struct TSkinEntry {
  std::string Name;  // the file name without ".skn", as the menu shows it
  std::string Path;
};

struct TSkinScanLimits {
  int MaxEntries = 100;          // packages listed in all
  int MaxDirEntries = 2000;      // names looked at per folder
  int MaxMilliseconds = 250;     // for the whole scan
};

// $XDG_DATA_HOME (or ~/.local/share), then each of $XDG_DATA_DIRS (or
// /usr/local/share:/usr/share), each with "/batch-renamer/skins" appended.
std::vector<std::string> SkinFolders();

// Regular, readable files named *.skn in `folders`, sorted by name; a name
// found in an earlier folder hides the same name in later ones.
std::vector<TSkinEntry> ScanSkinFolders(const std::vector<std::string>& folders, const TSkinScanLimits& limits = {});
