// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskincustomcontrol.h"

void TbsDataSkinCustomControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Point("lefttoppoint", LeftTopPoint, {0, 0});
  filer.Point("righttoppoint", RightTopPoint, {0, 0});
  filer.Point("leftbottompoint", LeftBottomPoint, {0, 0});
  filer.Point("rightbottompoint", RightBottomPoint, {0, 0});
  filer.Rect("clientrect", ClientRect, {0, 0, 0, 0});
}
