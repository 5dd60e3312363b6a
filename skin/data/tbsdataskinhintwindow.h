// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look of the skinned hint window ([HINTWINDOW]): the window piece with
// its corner points, where the text goes and its font. Owned by the skin data
// for its whole life.

#include <string>

#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinsectionfiler.h"

class TbsDataSkinHintWindow {
 public:
  void LoadFromDescription(const TbsSkinDescription& description);
  void SaveToDescription(TbsSkinDescription& description) const;

  int WindowPictureIndex = -1;
  int MaskPictureIndex = -1;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect ClientRect;
  std::string FontName = "Arial";
  int FontHeight = 12;  // until a skin is read; the key's default differs
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

 private:
  void Exchange(TbsSkinSectionFiler& filer);
};
