// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The look of a popup menu item: item and separator pieces, text area, font
// and colours.

#include "skin/data/tbsdataskinobject.h"

class TbsDataSkinMenuItem : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  const char* ClassName() const override { return "TbsDataSkinMenuItem"; }

  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  TRect DividerRect;
  int DividerLeftOffset = 0;
  int DividerRightOffset = 0;
  TRect TextRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor UnEnabledFontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
