// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A combo box: item pieces, font, the drop-down list record and the button.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinComboBox"; }

  TRect ItemRect;
  TRect FocusItemRect;
  int ItemLeftOffset = 0;
  int ItemRightOffset = 0;
  TRect ItemTextRect;
  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor FocusFontColor = 0;
  std::string ListBoxName;
  TRect ButtonRect;
  TRect ActiveButtonRect;
  TRect DownButtonRect;
  TRect UnEnabledButtonRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
