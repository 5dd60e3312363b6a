// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control record whose piece stretches between four corner points around
// a client area.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinCustomControl : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinCustomControl"; }

  TPoint LeftTopPoint;
  TPoint RightTopPoint;
  TPoint LeftBottomPoint;
  TPoint RightBottomPoint;
  TRect ClientRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
