// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinmainmenubar.h"

void TbsDataSkinMainMenuBar::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Rect("itemsrect", ItemsRect, {0, 0, 0, 0});
  filer.Text("menubaritem", MenuBarItem, "");
  filer.Text("closebutton", CloseButton, "");
  filer.Text("minbutton", MinButton, "");
  filer.Text("maxbutton", MaxButton, "");
  filer.Text("sysmenubutton", SysMenuButton, "");
  filer.Color("trackmarkcolor", TrackMarkColor, 0);
  filer.Color("trackmarkactivecolor", TrackMarkActiveColor, 0);
}
