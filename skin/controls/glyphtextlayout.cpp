// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/glyphtextlayout.h"

#include "skin/draw/skinglyphs.h"

TbsGlyphTextPlace LayoutGlyphAndText(const TRect& R, int Margin, int gw, int gh, int tw, int th, int Spacing,
                                     TbsButtonLayout Layout) {
  const int cx = R.Left + (R.Right - R.Left) / 2;
  const int cy = R.Top + (R.Bottom - R.Top) / 2;
  const int H = (tw + gw + Spacing) / 2;
  const int V = (th + gh + Spacing) / 2;
  TbsGlyphTextPlace p;
  const bool centred = Margin == -1;
  switch (Layout) {
    case blGlyphLeft:
      p.Glyph = centred ? TPoint{cx - H, cy - gh / 2} : TPoint{R.Left + Margin, cy - gh / 2};
      p.Text = centred ? TPoint{cx + H - tw, cy - th / 2} : TPoint{p.Glyph.X + gw + Spacing, cy - th / 2};
      break;
    case blGlyphRight:
      if (centred) {
        p.Text = {cx - H, cy - th / 2};
        p.Glyph = {cx + H - gw, cy - gh / 2};
      } else {
        p.Glyph = {R.Right - gw - Margin, cy - gh / 2};
        p.Text = {p.Glyph.X - Spacing - tw, cy - th / 2};
      }
      break;
    case blGlyphTop:
      p.Glyph = centred ? TPoint{cx - gw / 2, cy - V} : TPoint{cx - gw / 2, R.Top + Margin};
      p.Text = centred ? TPoint{cx - tw / 2, cy + V - th} : TPoint{cx - tw / 2, p.Glyph.Y + gh + Spacing};
      break;
    case blGlyphBottom:
      if (centred) {
        p.Text = {cx - tw / 2, cy - V};
        p.Glyph = {cx - gw / 2, cy + V - gh};
      } else {
        p.Glyph = {cx - gw / 2, R.Bottom - gh - Margin};
        p.Text = {cx - tw / 2, p.Glyph.Y - Spacing - th};
      }
      break;
  }
  return p;
}

void DrawGlyphAndText(TCanvas& Canvas, const TRect& R, int Margin, bool Pressed, int Image, int Count,
                      const TBitmap& Glyph, const std::string& Text, TbsButtonLayout Layout, int Spacing) {
  const bool hasGlyph = !Glyph.Empty() && Count > 0;
  const int gw = hasGlyph ? Glyph.Width() / Count : 0;
  const int gh = hasGlyph ? Glyph.Height() : 0;
  const std::string shown = StripAccelerator(Text);
  const int tw = shown.empty() ? 0 : Canvas.TextWidth(shown);
  const int th = shown.empty() ? 0 : Canvas.TextHeight(shown);
  Canvas.Brush.Style = bsClear;
  TbsGlyphTextPlace p = LayoutGlyphAndText(R, Margin, gw, gh, tw, th, Spacing, Layout);
  if (Pressed) {
    p.Glyph = {p.Glyph.X + 1, p.Glyph.Y + 1};
    p.Text = {p.Text.X + 1, p.Text.Y + 1};
  }
  // Centred in a box two pixels wider than the text.
  if (!shown.empty()) AccelTextOut(Canvas, p.Text.X + 1, p.Text.Y, Text);
  if (hasGlyph) DrawGlyphFrame(Canvas, p.Glyph.X, p.Glyph.Y, Glyph, Count, Image);
}
