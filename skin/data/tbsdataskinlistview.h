// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list view: item font and background colour.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinListView : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinListView"; }

  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor BGColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
