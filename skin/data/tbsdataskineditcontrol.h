// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An edit: the active piece, text font and colours, and the pieces of its push
// button.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinEditControl"; }

  TRect ActiveSkinRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor DisabledFontColor = 0;
  TColor ActiveFontColor = 0;
  TRect ButtonRect;
  TRect ActiveButtonRect;
  TRect DownButtonRect;
  TRect UnEnabledButtonRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
