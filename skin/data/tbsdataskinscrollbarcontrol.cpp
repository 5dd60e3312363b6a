// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskinscrollbarcontrol.h"

void TbsDataSkinScrollBarControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("trackarea", TrackArea, {0, 0, 0, 0});
  filer.Rect("upbuttonrect", UpButtonRect, {0, 0, 0, 0});
  filer.Rect("activeupbuttonrect", ActiveUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downupbuttonrect", DownUpButtonRect, {0, 0, 0, 0});
  filer.Rect("downbuttonrect", DownButtonRect, {0, 0, 0, 0});
  filer.Rect("activedownbuttonrect", ActiveDownButtonRect, {0, 0, 0, 0});
  filer.Rect("downdownbuttonrect", DownDownButtonRect, {0, 0, 0, 0});
  filer.Rect("thumbrect", ThumbRect, {0, 0, 0, 0});
  filer.Rect("activethumbrect", ActiveThumbRect, {0, 0, 0, 0});
  filer.Rect("downthumbrect", DownThumbRect, {0, 0, 0, 0});
  filer.Integer("thumboffset1", ThumbOffset1, 0);
  filer.Integer("thumboffset2", ThumbOffset2, 0);
  filer.Rect("glyphrect", GlyphRect, {0, 0, 0, 0});
  filer.Rect("activeglyphrect", ActiveGlyphRect, {0, 0, 0, 0});
  filer.Rect("downglyphrect", DownGlyphRect, {0, 0, 0, 0});
}
