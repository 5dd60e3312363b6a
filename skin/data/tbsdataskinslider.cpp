// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinslider.h"

void TbsDataSkinSlider::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinControl::Exchange(filer);
  filer.Color("bgcolor", BGColor, 0);
  filer.Rect("hrulerrect", HRulerRect, {0, 0, 0, 0});
  filer.Rect("hthumbrect", HThumbRect, {0, 0, 0, 0});
  filer.Rect("vrulerrect", VRulerRect, {0, 0, 0, 0});
  filer.Rect("vthumbrect", VThumbRect, {0, 0, 0, 0});
  filer.Integer("edgesize", EdgeSize, 0);
  filer.Color("pointscolor", PointsColor, 0);
}
