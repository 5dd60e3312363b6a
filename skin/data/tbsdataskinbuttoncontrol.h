// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button: caption font and colours per state, pieces for the active,
// pressed and disabled states, and the fade between normal and active.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinButtonControl"; }

  std::string FontName = "Arial";
  int FontHeight = 0;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0;
  TColor ActiveFontColor = 0;
  TColor DownFontColor = 0;
  TColor DisabledFontColor = 0;
  TRect ActiveSkinRect;
  TRect DownSkinRect;
  TRect DisabledSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
