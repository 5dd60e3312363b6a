// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A caption button with a window command (close, maximise, minimise, system
// menu, roll-up, minimise to tray, or one the application defines), its
// restore-state pieces, and the plain look it has without a skin.

#include "skin/data/tbsskinvalues.h"
#include "skin/form/tbsskinbuttonobject.h"

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
 public:
  // `Record` null: one of the default buttons of the unskinned frame.
  TbsSkinStdButtonObject(TbsSkinFrame* Owner, const TbsDataSkinObject* Record);
  TbsSkinStdButtonObject(TbsSkinFrame* Owner, const std::string& Name, TbsStdCommand Command);

  bool NeedsMorphStep() const override;
  void Draw(TCanvas& Canvas, bool FullPaint) override;
  void MouseDown(int X, int Y, int Button) override;
  void MouseUp(int X, int Y, int Button) override;
  void DblClick() override;

  // Whether the window is in the state this button's command undoes.
  bool InRestoreState() const;
  void DoCommand();
  // What a click does, for a press that comes from no pointer (assistive
  // technology): the system-menu button opens its menu, the others run.
  void Click();

  TbsStdCommand Command = cmDefault;
  TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
  bool FromSkin = false;

 private:
  void DrawDefault(TCanvas& Canvas);
  void DrawIcon(TCanvas& Canvas);
};
