// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsdataskintrackbarcontrol.h"

void TbsDataSkinTrackBarControl::Exchange(TbsSkinSectionFiler& filer) {
  TbsDataSkinCustomControl::Exchange(filer);
  filer.Rect("trackarea", TrackArea, {0, 0, 0, 0});
  filer.Rect("buttonrect", ButtonRect, {0, 0, 0, 0});
  filer.Rect("activebuttonrect", ActiveButtonRect, {0, 0, 0, 0});
  filer.Boolean("vertical", Vertical, false);
}
