// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list box whose items carry check marks.

#include "skin/data/tbsdataskinlistbox.h"

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
 public:
  using TbsDataSkinListBox::TbsDataSkinListBox;
  const char* ClassName() const override { return "TbsDataSkinCheckListBox"; }

  TRect ItemCheckRect;
  TRect CheckImageRect;
  TRect UnCheckImageRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
