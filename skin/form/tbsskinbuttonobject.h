// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame button: the active-object looks plus a pressed and a disabled
// piece, and the menu it holds open while pressed.

#include "skin/form/tbsactiveskinobject.h"

class TbsSkinButtonObject : public TbsActiveSkinObject {
 public:
  TbsSkinButtonObject(TbsSkinFrame* Owner, const TbsDataSkinObject* Record);

  bool NeedsMorphStep() const override;
  void Draw(TCanvas& Canvas, bool FullPaint) override;
  void MouseDown(int X, int Y, int Button) override;
  void MouseUp(int X, int Y, int Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  void SetDown(bool value);
  // A menu closed: a button that held it open comes up.
  void MenuClosed();

  TRect DownRect;
  TRect DisableSkinRect;
  bool Down = false;
  // The button holds a popup menu open while down (stands for its menu item).
  bool MenuItem = false;
  bool PopupUp = false;

 protected:
  bool MenuOpen() const { return MenuItem && Down; }
};
