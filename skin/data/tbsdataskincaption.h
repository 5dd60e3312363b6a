// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The caption: where the title goes, its font, colours, alignment and
// shadow, and the piece of a frame drawn round it.

#include "skin/data/tbsdataskinobject.h"

class TbsDataSkinCaption : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  const char* ClassName() const override { return "TbsDataSkinCaption"; }

  TRect TextRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TAlignment Alignment = taLeftJustify;
  bool Shadow = false;
  TColor ShadowColor = 0;
  TColor ActiveShadowColor = 0;
  TRect FrameRect;
  TRect ActiveFrameRect;
  TRect FrameTextRect;
  int FrameLeftOffset = 0;
  int FrameRightOffset = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
