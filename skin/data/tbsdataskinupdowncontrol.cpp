// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinupdowncontrol.h"

void TbsDataSkinUpDownControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  // Up-down pieces are drawn at their own size, never stretched.
  if (filer.Reading()) {
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TPoint{};
    ClientRect = TRect{};
  }
  filer.Rect("upbuttonrect", UpButtonRect, {0, 0, 0, 0});
  filer.Rect("activeupbuttonrect", ActiveUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downupbuttonrect", DownUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downbuttonrect", DownButtonRect, {0, 0, 0, 0});
  filer.Rect("activedownbuttonrect", ActiveDownButtonRect, {0, 0, 0, 0});
  filer.Rect("downdownbuttonrect", DownDownButtonRect, {0, 0, 0, 0});
}
