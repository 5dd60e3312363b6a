// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A splitter: only the stretchable piece of its base.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinSplitterControl"; }

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
