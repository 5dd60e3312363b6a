// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the skin packages a user can choose: *.skn files in
// batch-renamer/skins under the desktop's data folders, the user's own first.
// The scan is bounded in entries and time, so a huge or hostile folder only
// shortens the list; it never holds up the window.

#include <cstdint>
#include <string>
#include <vector>

struct TSkinEntry {
  std::string Name;  // the file name without ".skn"
  std::string Path;
  std::string Caption;  // what the menu shows: the skin's own name, else Name
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

// Gives each package its caption, the skin name its description holds
// ([VERSION] skinname), or its file name when it has none or cannot be read
// in the time left; and drops every package whose content is the skin of
// `embeddedBlock` (the program's own skin, installed for skin makers), which
// the menu lists already. Packages above kMaxDescribedBytes keep their file
// name: reading them is left to the moment they are chosen.
constexpr std::int64_t kMaxDescribedBytes = std::int64_t(4) << 20;
std::vector<TSkinEntry> DescribeSkins(std::vector<TSkinEntry> packages, const std::vector<std::uint8_t>& embeddedBlock,
                                      int maxMilliseconds = 250);
