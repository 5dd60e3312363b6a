// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list box: item pieces per state, item font and colours, the caption strip
// with its buttons, and the names of the scroll bar records it uses.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinListBox"; }

  TRect ItemRect;
  TRect ActiveItemRect;
  TRect FocusItemRect;
  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  TRect ItemTextRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor FocusFontColor = 0;
  TRect CaptionRect;
  std::string CaptionFontName = "Arial";
  int CaptionFontHeight = 0;
  TFontStyles CaptionFontStyle = 0;
  TColor CaptionFontColor = 0;
  TRect UpButtonRect;
  TRect ActiveUpButtonRect;
  TRect DownUpButtonRect;
  TRect DownButtonRect;
  TRect ActiveDownButtonRect;
  TRect DownDownButtonRect;
  TRect CheckButtonRect;
  TRect ActiveCheckButtonRect;
  TRect DownCheckButtonRect;
  std::string VScrollBarName;
  std::string HScrollBarName;
  std::string BothHScrollBarName;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
