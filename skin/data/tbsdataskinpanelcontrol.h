// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A panel: background picture, caption area and font, and the check pieces of
// a checkable caption.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinPanelControl"; }

  int BGPictureIndex = 0;
  TRect CaptionRect;
  TAlignment Alignment = taLeftJustify;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TRect CheckImageRect;
  TRect UnCheckImageRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
