// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A place on the frame without drawing of its own; only its rectangle is read.

#include "skin/data/tbsdataskinobject.h"

class TbsDataUserObject : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  const char* ClassName() const override { return "TbsDataUserObject"; }

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
