// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinmemocontrol.h"

void TbsDataSkinMemoControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinEditControl::Exchange(filer);
  filer.Color("bgcolor", BGColor, 0);
  filer.Color("activebgcolor", ActiveBGColor, 0);
}
