// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinspineditcontrol.h"

void TbsDataSkinSpinEditControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("activeskinrect", ActiveSkinRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Color("disabledfontcolor", DisabledFontColor, 0);
  filer.Rect("upbuttonrect", UpButtonRect, {0, 0, 0, 0});
  filer.Rect("activeupbuttonrect", ActiveUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downupbuttonrect", DownUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downbuttonrect", DownButtonRect, {0, 0, 0, 0});
  filer.Rect("activedownbuttonrect", ActiveDownButtonRect, {0, 0, 0, 0});
  filer.Rect("downdownbuttonrect", DownDownButtonRect, {0, 0, 0, 0});
}
