// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scroll box with a background picture.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinScrollBoxControl"; }

  int BGPictureIndex = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
