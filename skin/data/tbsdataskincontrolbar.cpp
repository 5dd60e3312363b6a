// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskincontrolbar.h"

void TbsDataSkinControlBar::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("itemrect", ItemRect, {0, 0, 0, 0});
  filer.Integer("bgpictureindex", BGPictureIndex, -1);
}
