// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskincombobox.h"

void TbsDataSkinComboBox::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("itemrect", ItemRect, {0, 0, 0, 0});
  filer.Rect("focusitemrect", FocusItemRect, {0, 0, 0, 0});
  filer.Integer("itemleftoffset", ItemLeftOffset, 0);
  filer.Integer("itemrightoffset", ItemRightOffset, 0);
  filer.Rect("itemtextrect", ItemTextRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("focusfontcolor", FocusFontColor, 0);
  filer.Text("listboxname", ListBoxName, "");
  filer.Rect("buttonrect", ButtonRect, {0, 0, 0, 0});
  filer.Rect("activebuttonrect", ActiveButtonRect, {0, 0, 0, 0});
  filer.Rect("downbuttonrect", DownButtonRect, {0, 0, 0, 0});
  filer.Rect("unenabledbuttonrect", UnEnabledButtonRect, {0, 0, 0, 0});
}
