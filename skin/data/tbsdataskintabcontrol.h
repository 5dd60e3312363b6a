// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tab control: tab pieces per state, the stretchable page piece, the tab
// strip and the record name of its scroller.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinTabControl : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinTabControl"; }

  TRect TabRect;
  TRect ActiveTabRect;
  TRect FocusTabRect;
  TRect MouseInTabRect;
  TRect ClientRect;
  int BGPictureIndex = 0;
  TPoint LeftTopPoint;
  TPoint RightTopPoint;
  TPoint LeftBottomPoint;
  TPoint RightBottomPoint;
  int TabLeftOffset = 0;
  int TabRightOffset = 0;
  TRect TabsBGRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor FocusFontColor = 0;
  TColor MouseInFontColor = 0;
  std::string UpDown;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
