// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinstdbutton.h"

void TbsDataSkinStdButton::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinButton::Exchange(filer);
  filer.Command("command", Command, cmDefault);
  filer.Rect("restorerect", RestoreRect, {0, 0, 0, 0});
  filer.Rect("restoreactiverect", RestoreActiveRect, {0, 0, 0, 0});
  filer.Rect("restoredownrect", RestoreDownRect, {0, 0, 0, 0});
  filer.Rect("restoreinactiverect", RestoreInActiveRect, {0, 0, 0, 0});
}
