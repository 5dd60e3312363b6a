// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain container with a bevelled border; aligned children share the area
// inside the border.

#include "framework/tcontrol.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvFrame };

class TPanel : public TControl {
  Q_OBJECT
 public:
  explicit TPanel(QWidget* parent = nullptr);

  TBevelCut BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBevelCut value);
  TRect ClientRect() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TBevelCut FBorderStyle = bvFrame;
};

// Draws the one-pixel bevel of `style` around `r` (shared by plain controls).
class TCanvas;
void DrawBevel(TCanvas& canvas, const TRect& r, TBevelCut style);
