// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinbutton.h"

void TbsDataSkinButton::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinObject::Exchange(filer);
  filer.Rect("downrect", DownRect, {0, 0, 0, 0});
  filer.Rect("disableskinrsect", DisableSkinRect, {0, 0, 0, 0});
}
