// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A caption button with a built-in command and the pieces it shows while
// that command is in effect (maximised, minimised, rolled up).

#include "skin/data/tbsdataskinbutton.h"

class TbsDataSkinStdButton : public TbsDataSkinButton {
 public:
  using TbsDataSkinButton::TbsDataSkinButton;
  const char* ClassName() const override { return "TbsDataSkinStdButton"; }

  TbsStdCommand Command = cmClose;
  TRect RestoreRect;
  TRect RestoreActiveRect;
  TRect RestoreDownRect;
  TRect RestoreInActiveRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
