// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinsplittercontrol.h"

void TbsDataSkinSplitterControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
}
