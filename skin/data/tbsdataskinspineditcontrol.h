// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An edit with up and down buttons.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinSpinEditControl"; }

  TRect ActiveSkinRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DisabledFontColor = 0;
  TRect UpButtonRect;
  TRect ActiveUpButtonRect;
  TRect DownUpButtonRect;
  TRect DownButtonRect;
  TRect ActiveDownButtonRect;
  TRect DownDownButtonRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
