// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskingaugecontrol.h"

void TbsDataSkinGaugeControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("progressarea", ProgressArea, {0, 0, 0, 0});
  filer.Rect("progressrect", ProgressRect, {0, 0, 0, 0});
  filer.Integer("beginoffset", BeginOffset, 0);
  filer.Integer("endoffset", EndOffset, 0);
  filer.Boolean("vertical", Vertical, false);
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
}
