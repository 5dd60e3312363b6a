// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A place on the frame the application paints itself through the frame's
// OnPaintEvent.

#include "skin/form/tbsactiveskinobject.h"

class TbsUserObject : public TbsActiveSkinObject {
 public:
  using TbsActiveSkinObject::TbsActiveSkinObject;
  void Draw(TCanvas& Canvas, bool FullPaint) override;
};
