// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one list of shell icons, addressed by index: every tree and
// menu that shows an item's icon asks here, so each icon is looked up once.
// Icons come from the desktop's icon theme; where the theme has none (a
// fresh machine without a theme) the toolkit's own standard icons stand in.

#include <QIcon>
#include <string>
#include <vector>

#include "platform/shellnamespace.h"

class TSystemImageList {
 public:
  static TSystemImageList& Instance();

  // The index of the icon for `place`, open or closed.
  int IndexOf(const TShellPlace& place, bool open);
  const QIcon& Icon(int index) const;
  int Count() const { return int(FIcons.size()); }
  // Looks up ahead the icons a desktop tree shows first: the desktop, home,
  // computer, trash and plain folders (for a program with time to spare
  // before its first window).
  void LookUpDesktopIcons();

 private:
  TSystemImageList() = default;
  // The index for a theme name with a standard fallback, added on first use.
  int Index(const char* themeName, int standardPixmap);

  std::vector<QIcon> FIcons;
  std::vector<std::string> FKeys;
};

// The toolkit's standard icon `standardPixmap` (a QStyle::StandardPixmap)
// for the shell's places, read from the toolkit's own pictures; bigger
// pictures are read when first asked for.
QIcon StandardShellIcon(int standardPixmap);

// Shorthand for the list's index of an item's icon.
int ShellIconIndexOf(const TShellPlace& place, bool open);
