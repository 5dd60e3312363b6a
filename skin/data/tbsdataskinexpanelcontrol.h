// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel that rolls up horizontally or vertically, with close, roll and
// restore buttons.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinExPanelControl"; }

  TRect RollHSkinRect;
  TRect RollVSkinRect;
  int RollLeftOffset = 0;
  int RollRightOffset = 0;
  int RollTopOffset = 0;
  int RollBottomOffset = 0;
  TRect RollVCaptionRect;
  TRect RollHCaptionRect;
  TRect CloseButtonRect;
  TRect CloseButtonActiveRect;
  TRect CloseButtonDownRect;
  TRect HRollButtonRect;
  TRect HRollButtonActiveRect;
  TRect HRollButtonDownRect;
  TRect HRestoreButtonRect;
  TRect HRestoreButtonActiveRect;
  TRect HRestoreButtonDownRect;
  TRect VRollButtonRect;
  TRect VRollButtonActiveRect;
  TRect VRollButtonDownRect;
  TRect VRestoreButtonRect;
  TRect VRestoreButtonActiveRect;
  TRect VRestoreButtonDownRect;
  TRect CaptionRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
