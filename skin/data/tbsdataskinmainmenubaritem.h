// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An item of the main menu bar.

#include "skin/data/tbsdataskinmainmenuitem.h"

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
 public:
  using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
  const char* ClassName() const override { return "TbsDataSkinMainMenuBarItem"; }

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
