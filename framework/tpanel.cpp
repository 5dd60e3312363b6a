// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tpanel.h"

#include <QPainter>

#include "framework/tcanvas.h"

TPanel::TPanel(QWidget* parent) : TControl(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TPanel::SetBorderStyle(TBevelCut value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  Realign();
  update();
}

TRect TPanel::ClientRect() const {
  const int b = FBorderStyle == bvNone ? 0 : 1;
  return TRect{b, b, width() - b, height() - b};
}

void DrawBevel(TCanvas& canvas, const TRect& r, TBevelCut style) {
  if (style == bvNone || r.Width() <= 0 || r.Height() <= 0) return;
  // bvFrame is the thin etched-looking frame: shadow top-left, highlight bottom-right.
  const TColor topLeft = style == bvRaised ? clBtnHighlight : clBtnShadow;
  const TColor bottomRight = style == bvRaised ? clBtnShadow : clBtnHighlight;
  canvas.Pen.Color = topLeft;
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.Pen.Color = bottomRight;
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TCanvas canvas(&painter);
  canvas.Brush.Color = Color();
  canvas.FillRect(TRect{0, 0, width(), height()});
  DrawBevel(canvas, TRect{0, 0, width(), height()}, FBorderStyle);
}
