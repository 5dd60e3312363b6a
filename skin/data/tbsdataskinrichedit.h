// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A rich edit: text font and background colour.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinRichEdit : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinRichEdit"; }

  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor BGColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
