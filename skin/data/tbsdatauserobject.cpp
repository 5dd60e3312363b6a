// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdatauserobject.h"

void TbsDataUserObject::Exchange(TbsSkinSectionFiler& filer) {
  // Only the place is read: the hint, pieces and pictures of the base stay
  // as they were created.
  filer.Rect("skinrect", SkinRect, {0, 0, 0, 0});
}
