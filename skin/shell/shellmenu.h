// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder context menu: which commands an item offers, running one
// around a control's IShellVerbSink, and showing the menu as a skinned
// popup menu.

#include <string>
#include <vector>

class QWidget;
class TbsShellFolder;
class TbsSkinData;
class TbsSkinPopupMenu;

struct TShellVerb {
  std::string Verb;     // "open", "cut", "copy", "paste", "rename", "delete", "newfolder"
  std::string Caption;  // as the menu shows it
  bool Enabled = true;
};

// The commands that work on `item`: everything on an ordinary folder; no
// cut, rename or delete on the places that hold the others (home, "/",
// volumes, the desktop); only Open on the trash; nothing on the computer.
std::vector<TShellVerb> ShellVerbsFor(const TbsShellFolder& item);

// Runs `verb` on `item` as the menu would: the control's BeforeVerb first
// (when it offers IShellVerbSink), the command itself unless handled, then
// AfterVerb. A command that fails raises its reason after AfterVerb has
// heard of the failure. True when the command succeeded. A paste in a
// window that offers IShellPasteHost only starts here (true): AfterVerb and
// the error come when it ends, and until then no other file command runs.
bool RunShellVerb(QWidget* control, TbsShellFolder& item, const std::string& verb);

// Shows the commands of `item` at (x, y) in `control`'s client coordinates
// in a skinned popup menu (drawn from `skinData` when given); a chosen
// command runs through RunShellVerb. Returns the menu shown, none when the
// item offers no command. The menu is a child of `control`.
TbsSkinPopupMenu* ShowShellMenu(QWidget* control, TbsShellFolder* item, int x, int y, TbsSkinData* skinData = nullptr);
