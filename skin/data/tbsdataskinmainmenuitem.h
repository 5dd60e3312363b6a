// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look of a main menu bar item: its pieces, text area, font and colours.

#include "skin/data/tbsdataskinobject.h"

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  const char* ClassName() const override { return "TbsDataSkinMainMenuItem"; }

  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  TRect DownRect;
  TRect TextRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DownFontColor = 0;
  TColor UnEnabledFontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
