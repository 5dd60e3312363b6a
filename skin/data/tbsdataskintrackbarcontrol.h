// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A track bar: its track and the thumb button.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinTrackBarControl"; }

  TRect TrackArea;
  TRect ButtonRect;
  TRect ActiveButtonRect;
  bool Vertical = false;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
