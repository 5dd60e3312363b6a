// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinscrollboxcontrol.h"

void TbsDataSkinScrollBoxControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Integer("bgpictureindex", BGPictureIndex, -1);
}
