// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A link label: text font and the colour under the pointer.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinStdLabelControl"; }

  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
