// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame button: adds the pressed and disabled pieces.

#include "skin/data/tbsdataskinobject.h"

class TbsDataSkinButton : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  const char* ClassName() const override { return "TbsDataSkinButton"; }

  TRect DownRect;
  TRect DisableSkinRect;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
