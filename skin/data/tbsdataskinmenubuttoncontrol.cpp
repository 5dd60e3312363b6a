// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinmenubuttoncontrol.h"

void TbsDataSkinMenuButtonControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinButtonControl::Exchange(filer);
  filer.Rect("trackbuttonrect", TrackButtonRect, {0, 0, 0, 0});
}
