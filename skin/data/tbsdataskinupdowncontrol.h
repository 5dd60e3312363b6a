// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An up-down pair of buttons. Its pieces are never stretched, so the corner
// points and client area of its base are cleared after reading.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinUpDownControl"; }

  TRect UpButtonRect;
  TRect ActiveUpButtonRect;
  TRect DownUpButtonRect;
  TRect DownButtonRect;
  TRect ActiveDownButtonRect;
  TRect DownDownButtonRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
