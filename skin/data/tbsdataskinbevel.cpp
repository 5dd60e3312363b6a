// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinbevel.h"

void TbsDataSkinBevel::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Color("lightcolor", LightColor, 0);
  filer.Color("darkcolor", DarkColor, 0);
}
