// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skinned label: its font.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinLabelControl"; }

  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
