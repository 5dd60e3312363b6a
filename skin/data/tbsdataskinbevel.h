// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bevel: its light and dark colours.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinBevel : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinBevel"; }

  TColor LightColor = 0;
  TColor DarkColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
