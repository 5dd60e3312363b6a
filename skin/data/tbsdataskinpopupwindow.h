// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look of skinned popup menu windows ([POPUPWINDOW]): the window piece
// with its corner points, where the items go and the scroll marker colours.
// Owned by the skin data for its whole life.

#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinsectionfiler.h"

class TbsDataSkinPopupWindow {
 public:
  void LoadFromDescription(const TbsSkinDescription& description);
  void SaveToDescription(TbsSkinDescription& description) const;

  int WindowPictureIndex = -1;
  int MaskPictureIndex = -1;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ItemsRect;
  TColor ScrollMarkerColor = 0;
  TColor ScrollMarkerActiveColor = 0;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

 private:
  void Exchange(TbsSkinSectionFiler& filer);
};
