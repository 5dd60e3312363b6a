// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame piece animated through frames laid side by side in its picture:
// cycling on its own, or running forward while the pointer is over it and
// back when it leaves (a button, optionally with a window command).

#include "skin/data/tbsskinvalues.h"
#include "skin/form/tbsactiveskinobject.h"

class TbsSkinAnimateObject : public TbsActiveSkinObject {
 public:
  static constexpr int kMinInterval = 25;  // the frame's animation tick

  TbsSkinAnimateObject(TbsSkinFrame* Owner, const TbsDataSkinObject* Record);

  void Draw(TCanvas& Canvas, bool FullPaint) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseUp(int X, int Y, int Button) override;
  void DblClick() override;
  // One animation tick (every kMinInterval ms while Hot).
  void AnimationStep();

  int CountFrames = 1;
  bool Cycle = false;
  bool ButtonStyle = false;
  TbsStdCommand Command = cmDefault;
  int TimerInterval = 50;
  int CurrentFrame = 1;
  bool Forward = true;
  int Elapsed = kMinInterval;
  bool MenuItem = false;
  bool PopupUp = false;
};
