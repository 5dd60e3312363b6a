// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A slider: background colour, ruler and thumb pieces for both directions.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinSlider : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinSlider"; }

  TColor BGColor = 0;
  TRect HRulerRect;
  TRect HThumbRect;
  TRect VRulerRect;
  TRect VThumbRect;
  int EdgeSize = 0;
  TColor PointsColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
