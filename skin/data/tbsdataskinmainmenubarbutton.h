// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A button of the main menu bar (close, minimise, maximise, system menu).

#include "skin/data/tbsdataskinstdbutton.h"

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
 public:
  using TbsDataSkinStdButton::TbsDataSkinStdButton;
  const char* ClassName() const override { return "TbsDataSkinMainMenuBarButton"; }

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
