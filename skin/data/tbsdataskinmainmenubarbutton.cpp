// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinmainmenubarbutton.h"

void TbsDataSkinMainMenuBarButton::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinStdButton::Exchange(filer);
}
