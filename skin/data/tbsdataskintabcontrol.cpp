// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskintabcontrol.h"

void TbsDataSkinTabControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Rect("tabrect", TabRect, {0, 0, 0, 0});
  filer.Rect("activetabrect", ActiveTabRect, {0, 0, 0, 0});
  filer.Rect("focustabrect", FocusTabRect, {0, 0, 0, 0});
  filer.Rect("mouseintabrect", MouseInTabRect, {0, 0, 0, 0});
  filer.Rect("clientrect", ClientRect, {0, 0, 0, 0});
  filer.Integer("bgpictureindex", BGPictureIndex, -1);
  filer.Point("lefttoppoint", LeftTopPoint, {0, 0});
  filer.Point("righttoppoint", RightTopPoint, {0, 0});
  filer.Point("leftbottompoint", LeftBottomPoint, {0, 0});
  filer.Point("rightbottompoint", RightBottomPoint, {0, 0});
  filer.Integer("tableftoffset", TabLeftOffset, 0);
  filer.Integer("tabrightoffset", TabRightOffset, 0);
  filer.Rect("tabsbgrect", TabsBGRect, {0, 0, 0, 0});
  filer.Text("fontname", FontName, "Arial");
  filer.Integer("fontheight", FontHeight, 14);
  filer.FontStyle("fontstyle", FontStyle, 0);
  filer.Color("fontcolor", FontColor, 0);
  filer.Color("activefontcolor", ActiveFontColor, 0);
  filer.Color("focusfontcolor", FocusFontColor, 0);
  filer.Color("mouseinfontcolor", MouseInFontColor, 0);
  filer.Text("updown", UpDown, "");
}
