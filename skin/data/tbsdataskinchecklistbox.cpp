// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinchecklistbox.h"

void TbsDataSkinCheckListBox::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinListBox::Exchange(filer);
  filer.Rect("itemcheckrect", ItemCheckRect, {0, 0, 0, 0});
  filer.Rect("checkimagerect", CheckImageRect, {0, 0, 0, 0});
  filer.Rect("uncheckimagerect", UnCheckImageRect, {0, 0, 0, 0});
}
