// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskineditcontrol.h"

void TbsDataSkinEditControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("activeskinrect", ActiveSkinRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("disabledfontcolor", DisabledFontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Rect("buttonrect", ButtonRect, {0, 0, 0, 0});
  filer.Rect("activebuttonrect", ActiveButtonRect, {0, 0, 0, 0});
  filer.Rect("downbuttonrect", DownButtonRect, {0, 0, 0, 0});
  filer.Rect("unenabledbuttonrect", UnEnabledButtonRect, {0, 0, 0, 0});
}
