// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A button with a drop-down part drawn from its own piece.

#include "skin/data/tbsdataskinbuttoncontrol.h"

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
 public:
  using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
  const char* ClassName() const override { return "TbsDataSkinMenuButtonControl"; }

  TRect TrackButtonRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
