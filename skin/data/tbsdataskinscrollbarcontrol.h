// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scroll bar: the track, both buttons, the thumb and its grip, each in the
// normal, active and pressed states.

#include "skin/data/tbsdataskincustomcontrol.h"

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
 public:
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
  const char* ClassName() const override { return "TbsDataSkinScrollBarControl"; }

  TRect TrackArea;
  TRect UpButtonRect;
  TRect ActiveUpButtonRect;
  TRect DownUpButtonRect;
  TRect DownButtonRect;
  TRect ActiveDownButtonRect;
  TRect DownDownButtonRect;
  TRect ThumbRect;
  TRect ActiveThumbRect;
  TRect DownThumbRect;
  int ThumbOffset1 = 0;
  int ThumbOffset2 = 0;
  TRect GlyphRect;
  TRect ActiveGlyphRect;
  TRect DownGlyphRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
