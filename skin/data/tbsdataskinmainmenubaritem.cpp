// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinmainmenubaritem.h"

void TbsDataSkinMainMenuBarItem::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinMainMenuItem::Exchange(filer);
}
