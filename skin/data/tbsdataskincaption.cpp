// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskincaption.h"

void TbsDataSkinCaption::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinObject::Exchange(filer);
  filer.Rect("textrect", TextRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Alignment("alignment", Alignment, taCenter);
  filer.Boolean("shadow", Shadow, false);
  filer.Color("shadowcolor", ShadowColor, 0);
  filer.Color("activeshadowcolor", ActiveShadowColor, 0);
  filer.Rect("framerect", FrameRect, {0, 0, 0, 0});
  filer.Rect("activeframerect", ActiveFrameRect, {0, 0, 0, 0});
  filer.Rect("frametextrect", FrameTextRect, {0, 0, 0, 0});
  filer.Integer("frameleftoffset", FrameLeftOffset, 0);
  filer.Integer("framerightoffset", FrameRightOffset, 0);
}
