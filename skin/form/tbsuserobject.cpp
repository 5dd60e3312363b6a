// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsuserobject.h"

#include "skin/form/tbsskinframe.h"

void TbsUserObject::Draw(TCanvas& canvas, bool) {
  if (Owner->OnPaintEvent) Owner->OnPaintEvent(IDName, canvas, Bounds);
}
