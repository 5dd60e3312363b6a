// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tgroupbox.h"

#include <QPainter>

#include "framework/acceltext.h"
#include "framework/tcanvas.h"

namespace {
constexpr int kCaptionIndent = 8;  // caption text starts this far from the left
}

TGroupBox::TGroupBox(QWidget* parent) : TControl(parent) { Font() = TFont("Arial", 14); }

void TGroupBox::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  update();
}

void TGroupBox::SetFrameColors(TColor light, TColor dark) {
  if (light == FFrameLightColor && dark == FFrameDarkColor) return;
  FFrameLightColor = light;
  FFrameDarkColor = dark;
  update();
}

void TGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TCanvas canvas(&painter);
  canvas.Font = Font();
  canvas.Brush.Color = Color();
  canvas.FillRect(TRect{0, 0, width(), height()});
  const int textHeight = canvas.TextHeight("0");
  const TRect frame{0, textHeight / 2, width(), height()};
  // Etched frame: a shadow line with a highlight line inside it.
  canvas.Brush.Color = FFrameLightColor;
  canvas.FrameRect(TRect{frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom});
  canvas.Brush.Color = FFrameDarkColor;
  canvas.FrameRect(TRect{frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1});
  if (!FCaption.empty()) {
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    const int w = AccelTextWidth(canvas, FCaption);
    canvas.FillRect(TRect{kCaptionIndent - 1, 0, kCaptionIndent + w + 1, textHeight});
    canvas.Brush.Style = bsClear;
    AccelTextOut(canvas, kCaptionIndent, 0, FCaption);
  }
}
