// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/buttonmorph.h"

#include "skin/draw/tbseffectbmp.h"

void MorphBitmap(TBitmap& from, const TBitmap& to, int kind, double factor) {
  TbsEffectBmp a(from);
  a.Morph(kind, TbsEffectBmp(to), factor);
  a.Draw(from, 0, 0);
}
