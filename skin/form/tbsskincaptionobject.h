// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The caption: the window title in the skin's font, aligned in its text
// area, with an optional shadow and a frame piece round it. Its active look
// follows the form's activation, not the mouse.

#include <string>

#include "skin/data/tbsskinvalues.h"
#include "skin/form/tbsactiveskinobject.h"

class TbsSkinCaptionObject : public TbsActiveSkinObject {
 public:
  TbsSkinCaptionObject(TbsSkinFrame* Owner, const TbsDataSkinObject* Record);

  void Draw(TCanvas& Canvas, bool FullPaint) override;
  void MouseDown(int X, int Y, int Button) override;
  void MouseUp(int X, int Y, int Button) override;
  void MouseEnter() override;
  void MouseLeave() override;

  // The text area relative to Bounds at the caption's current width.
  TRect TextArea() const;

  std::string FontName = "Arial";
  int FontHeight = 14;
  TFontStyles FontStyle = 0;
  TColor FontColor = 0, ActiveFontColor = 0;
  TAlignment Alignment = taCenter;
  TRect TextRect;
  bool Shadow = false;
  TColor ShadowColor = 0, ActiveShadowColor = 0;
  TRect FrameRect, ActiveFrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;

 private:
  TBitmap Background(bool active) const;
  void DrawText(TCanvas& Canvas, int dx, int dy, bool hot);
};
