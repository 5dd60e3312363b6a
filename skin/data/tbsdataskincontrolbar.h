// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control bar: the piece of a band and the background picture.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinControlBar"; }

  TRect ItemRect;
  int BGPictureIndex = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
