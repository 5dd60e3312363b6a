// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An animated frame piece: frames side by side in the active picture, run on
// a timer, cycling or following the pointer. It never morphs.

#include "skin/data/tbsdataskinobject.h"

class TbsDataSkinAnimate : public TbsDataSkinObject {
 public:
  using TbsDataSkinObject::TbsDataSkinObject;
  const char* ClassName() const override { return "TbsDataSkinAnimate"; }

  int CountFrames = 0;
  bool Cycle = false;
  bool ButtonStyle = false;
  int TimerInterval = 0;
  TbsStdCommand Command = cmClose;

 protected:
  void Exchange(TbsSkinSectionFiler& filer) override;
};
