// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinbuttoncontrol.h"

void TbsDataSkinButtonControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Color("downfontcolor", DownFontColor, 0);
  filer.Color("disabledfontcolor", DisabledFontColor, 0);
  filer.Rect("activeskinrect", ActiveSkinRect, {0, 0, 0, 0});
  filer.Rect("downskinrect", DownSkinRect, {0, 0, 0, 0});
  filer.Rect("disabledskinrect", DisabledSkinRect, {0, 0, 0, 0});
  filer.Boolean("morphing", Morphing, false);
  filer.MorphKind("morphkind", MorphKind, mkDefault);
}
