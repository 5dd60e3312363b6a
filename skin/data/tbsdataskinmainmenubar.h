// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main menu bar: the items area, the object records of its items and
// buttons, and the track mark colours.

#include "skin/data/tbsdataskincontrol.h"

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
 public:
  using TbsDataSkinControl::TbsDataSkinControl;
  const char* ClassName() const override { return "TbsDataSkinMainMenuBar"; }

  TRect ItemsRect;
  std::string MenuBarItem;
  std::string CloseButton;
  std::string MinButton;
  std::string MaxButton;
  std::string SysMenuButton;
  TColor TrackMarkColor = 0;
  TColor TrackMarkActiveColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
