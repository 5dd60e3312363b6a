// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A check box or radio button: text colours, the areas of mark and text, and
// the mark pieces per state.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinCheckRadioControl"; }

  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor UnEnabledFontColor = 0;
  TColor FrameFontColor = 0;
  TRect ActiveSkinRect;
  TRect CheckImageArea;
  TRect TextArea;
  TRect CheckImageRect;
  TRect UnCheckImageRect;
  TRect ActiveCheckImageRect;
  TRect ActiveUnCheckImageRect;
  TRect UnEnabledCheckImageRect;
  TRect UnEnabledUnCheckImageRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
