// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinmainmenuitem.h"

void TbsDataSkinMainMenuItem::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinObject::Exchange(filer);
  filer.Integer("itemleftoffset", ItemLeftOffset, 0);
  filer.Integer("itemrightoffset", ItemRightOffset, 0);
  filer.Rect("downrect", DownRect, {0, 0, 0, 0});
  filer.Rect("textrect", TextRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Color("downfontcolor", DownFontColor, 0);
  filer.Color("unenabledfontColor", UnEnabledFontColor, 0);
}
