// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A progress gauge: the area the progress fills and the piece it fills it with.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinGaugeControl"; }

  TRect ProgressArea;
  TRect ProgressRect;
  int BeginOffset = 0;
  int EndOffset = 0;
  bool Vertical = false;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
