// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/skinglyphs.h"

#include "skin/draw/skinimage.h"

namespace {

constexpr const char* kEllipsis = "...";

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1) {
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
}

// An outline only: what was under the box stays visible inside it.
void Box(TCanvas& canvas, int left, int top, int right, int bottom) {
  const TBrushStyle style = canvas.Brush.Style;
  canvas.Brush.Style = bsClear;
  canvas.Rectangle({left, top, right, bottom});
  canvas.Brush.Style = style;
}

// Length of the text without its last character; a UTF-8 character is
// removed whole so the text never ends in a broken sequence.
size_t WithoutLastCharacter(const std::string& text) {
  size_t n = text.size();
  if (n == 0) return 0;
  --n;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

}  // namespace

void DrawGlyphFrame(TCanvas& Canvas, int X, int Y, const TBitmap& Strip, int Count, int Index) {
  if (Strip.Empty() || Count < 1 || Index < 1 || Index > Count) return;
  const int fw = Strip.Width() / Count;
  if (fw < 1) return;
  TBitmap frame(fw, Strip.Height());
  frame.Canvas().CopyRect({0, 0, fw, Strip.Height()}, const_cast<TBitmap&>(Strip).Canvas(),
                          {fw * (Index - 1), 0, fw * Index, Strip.Height()});
  frame.Transparent = true;
  Canvas.Draw(X, Y, frame);
}

void TruncateTextToWidth(TCanvas& Canvas, std::string& Text, int MaxWidth) {
  if (Canvas.TextWidth(Text) <= MaxWidth) return;
  std::string rest = Text;
  while (!rest.empty()) {
    rest.resize(WithoutLastCharacter(rest));
    if (Canvas.TextWidth(rest + kEllipsis) <= MaxWidth) break;
  }
  Text = rest + kEllipsis;
}

void DrawTextVCentered(TCanvas& Canvas, const std::string& Text, const TRect& R, int ExtraX) {
  const int x = R.Left + 2 + ExtraX;
  const int y = R.Top + RectHeight(R) / 2 - Canvas.TextHeight(Text) / 2;
  Canvas.TextRect(R, x, y, Text);
}

void DrawArrowGlyph(TCanvas& Canvas, const TRect& R, TColor Color, int Kind) {
  Canvas.Pen.Color = Color;
  const int cx = R.Left + RectWidth(R) / 2;
  const int cy = R.Top + RectHeight(R) / 2;
  constexpr int kSize = 3;  // rows (or columns) beyond the tip
  switch (Kind) {
    case akLeft:
      for (int i = 0; i <= kSize; ++i) Line(Canvas, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
      break;
    case akRight:
      for (int n = kSize; n >= 0; --n) Line(Canvas, cx + 2 - n, cy + n, cx + 2 - n, cy - n - 1);
      break;
    case akUp:
      for (int i = 0; i <= kSize; ++i) Line(Canvas, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
      break;
    case akDown:
      for (int n = kSize; n >= 0; --n) Line(Canvas, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
      break;
    default: break;
  }
}

void DrawCheckGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  // Three strokes one row apart; each is two lines, the last point left out.
  for (int i = 0; i <= 2; ++i) {
    Canvas.MoveTo(X, Y + 5 - i);
    Canvas.LineTo(X + 2, Y + 7 - i);
    Canvas.LineTo(X + 7, Y + 2 - i);
  }
}

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
  Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
  Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
  Line(Canvas, X + 8, Y + 1, X + 0, Y + 9);
}

void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  Box(Canvas, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
  Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  Box(Canvas, X, Y, X + 11, Y + 10);
  Box(Canvas, X, Y, X + 11, Y + 2);
}

void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  Box(Canvas, X + 2, Y, X + 10, Y + 6);
  Box(Canvas, X + 2, Y, X + 10, Y + 2);
  Box(Canvas, X, Y + 4, X + 7, Y + 10);
  Box(Canvas, X, Y + 4, X + 7, Y + 6);
}

void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  for (int i = 0; i <= 4; ++i) Line(Canvas, X + 5 - i, Y + 6 - i, X + 5 + i, Y + 6 - i);
}

void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  for (int i = 0; i <= 4; ++i) Line(Canvas, X + 1 + i, Y + 6 - i, X + 9 - i, Y + 6 - i);
}

void DrawTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  Canvas.Pen.Color = Color;
  const TBrush brush = Canvas.Brush;
  Canvas.Brush = TBrush{Color, bsSolid};
  Canvas.Rectangle({X + 2, Y + 2, X + 7, Y + 7});
  Canvas.Brush = brush;
}
