// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinpanelcontrol.h"

void TbsDataSkinPanelControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Integer("bgpictureindex", BGPictureIndex, -1);
  filer.Rect("captionrect", CaptionRect, {0, 0, 0, 0});
  filer.Alignment("alignment", Alignment, taCenter);
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Rect("checkimagerect", CheckImageRect, {0, 0, 0, 0});
  filer.Rect("uncheckimagerect", UnCheckImageRect, {0, 0, 0, 0});
}
