// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A multi-line edit, which also has background colours.

#include "skin/data/tbsdataskineditcontrol.h"

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
 public:
  using TbsDataSkinEditControl::TbsDataSkinEditControl;
  const char* ClassName() const override { return "TbsDataSkinMemoControl"; }

  TColor BGColor = 0;
  TColor ActiveBGColor = 0;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
