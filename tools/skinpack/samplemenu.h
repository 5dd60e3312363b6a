// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu compose shows for POPUPWINDOW: a few items in every look a menu
// row has (plain, with a shortcut, a separator, checked, disabled, with a
// submenu arrow). Tests build the same menu to compare against.

#include "framework/tmenuitem.h"

inline void AddSampleMenuItems(TMenuItem& root) {
  root.Add("open", "&Open");
  root.Add("save", "&Save")->SetShortCutText("Ctrl+S");
  root.Add("", "-");
  root.Add("wrap", "&Word wrap")->SetChecked(true);
  root.Add("print", "&Print")->SetEnabled(false);
  root.Add("recent", "&Recent files")->Add("first", "first.txt");
  root.Add("", "-");
  root.Add("close", "&Close")->SetShortCutText("Alt+F4");
}
