// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskincaptionobject.h"

#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"
#include "skin/form/frameeffects.h"
#include "skin/form/tbsskinframe.h"

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsSkinFrame* owner, const TbsDataSkinObject* record)
    : TbsActiveSkinObject(owner, record) {
  if (const auto* r = dynamic_cast<const TbsDataSkinCaption*>(record)) {
    FontName = r->FontName;
    FontHeight = r->FontHeight;
    FontStyle = r->FontStyle;
    FontColor = r->FontColor;
    ActiveFontColor = r->ActiveFontColor;
    Alignment = r->Alignment;
    TextRect = r->TextRect;
    Shadow = r->Shadow;
    ShadowColor = r->ShadowColor;
    ActiveShadowColor = r->ActiveShadowColor;
    FrameRect = r->FrameRect;
    ActiveFrameRect = r->ActiveFrameRect;
    FrameTextRect = r->FrameTextRect;
    FrameLeftOffset = r->FrameLeftOffset;
    FrameRightOffset = r->FrameRightOffset;
  }
}

void TbsSkinCaptionObject::MouseDown(int X, int Y, int Button) {
  if (Owner->OnMouseDownEvent) Owner->OnMouseDownEvent(IDName, X, Y, Bounds, TMouseButton(Button));
}

void TbsSkinCaptionObject::MouseUp(int X, int Y, int Button) {
  if (Owner->OnMouseUpEvent) Owner->OnMouseUpEvent(IDName, X, Y, Bounds, TMouseButton(Button));
}

void TbsSkinCaptionObject::MouseEnter() {
  MouseInside = true;
  if (Owner->OnMouseEnterEvent) Owner->OnMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave() {
  MouseInside = false;
  if (Owner->OnMouseLeaveEvent) Owner->OnMouseLeaveEvent(IDName);
}

TRect TbsSkinCaptionObject::TextArea() const {
  TRect t = TextRect;
  if (!IsEmptyPiece(TextRect)) t.Right = RectWidthOf(Bounds) + TextRect.Right - RectWidthOf(SkinRect);
  if (!IsEmptyPiece(FrameRect)) {
    t.Left += FrameTextRect.Left;
    t.Top += FrameTextRect.Top;
    t.Right += FrameTextRect.Right - RectWidthOf(FrameRect);
  }
  return t;
}

// Fixed ends as wide as the frame picture's top corners, the middle tiled
// from x = 0 beneath them; a source without ends is scaled whole.
TBitmap TbsSkinCaptionObject::Background(bool active) const {
  const int w = RectWidthOf(Bounds), h = RectHeightOf(Bounds);
  TBitmap b(std::max(w, 0), std::max(h, 0));
  const TBitmap* from = active ? ActivePicture : Picture;
  const TRect src = active ? ActiveSkinRect : SkinRect;
  TbsSkinData* data = Owner->SkinData();
  if (!from || from->Empty() || IsEmptyPiece(src) || w < 1 || h < 1 || !data) return b;
  const int leftW = std::max(0, data->LeftTopPoint.X - SkinRect.Left);
  const int rightW = std::max(0, SkinRect.Right - data->RightTopPoint.X);
  TCanvas& c = b.Canvas();
  if (leftW == 0 && rightW == 0) {
    CopyPiece(c, {0, 0, w, h}, from, src);
    return b;
  }
  const TRect middle{src.Left + leftW, src.Top, src.Right - rightW, src.Bottom};
  TileRun(RectWidthOf(middle), 0, w, [&](int at, int n) {
    CopyPiece(c, {at, 0, at + n, h}, from, {middle.Left, middle.Top, middle.Left + n, middle.Bottom});
  });
  CopyPiece(c, {0, 0, leftW, h}, from, {src.Left, src.Top, src.Left + leftW, src.Bottom});
  CopyPiece(c, {w - rightW, 0, w, h}, from, {src.Right - rightW, src.Top, src.Right, src.Bottom});
  return b;
}

void TbsSkinCaptionObject::DrawText(TCanvas& canvas, int dx, int dy, bool hot) {
  std::string text = Owner->Form()->Caption();
  if (text.empty() || IsEmptyPiece(TextRect)) return;
  const TRect t = TextArea();
  canvas.Font = TFont(FontName, FontHeight, FontStyle, hot ? ActiveFontColor : FontColor);
  canvas.Brush.Style = bsClear;
  TruncateTextToWidth(canvas, text, RectWidthOf(t));
  const int tw = canvas.TextWidth(text), th = canvas.TextHeight(text);
  const int y = t.Top + RectHeightOf(t) / 2 - th / 2 + dy;
  int x = t.Left;
  if (Alignment == taRightJustify) x = t.Right - tw;
  else if (Alignment == taCenter) x = t.Left + RectWidthOf(t) / 2 - tw / 2;
  x += dx;
  if (!IsEmptyPiece(FrameRect) && ActivePicture) {
    const TRect piece = hot && !IsEmptyPiece(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
    TBitmap frame;
    ComposeHorizontalSkinImage(FrameLeftOffset, FrameRightOffset, frame, *ActivePicture, piece,
                               RectWidthOf(FrameRect) + tw - RectWidthOf(FrameTextRect));
    if (!frame.Empty()) canvas.Draw(x - FrameTextRect.Left, y - FrameTextRect.Top, frame);
  }
  if (Shadow) {
    canvas.Font.SetColor(hot ? ActiveShadowColor : ShadowColor);
    canvas.TextOut(x + 1, y + 1, text);
    canvas.Font.SetColor(hot ? ActiveFontColor : FontColor);
  }
  canvas.TextOut(x, y, text);
  canvas.Brush.Style = bsSolid;
}

void TbsSkinCaptionObject::Draw(TCanvas& canvas, bool) {
  TbsSkinData* data = Owner->SkinData();
  const bool autoInactive = data && data->AutoRenderingInactiveImage;
  const int effect = data ? int(data->InactiveEffect) : 0;
  if (Morphing && FadeUnderWay()) {
    TBitmap normal = Background(false), active = Background(true);
    DrawText(normal.Canvas(), 0, 0, false);
    DrawText(active.Canvas(), 0, 0, true);
    MorphBitmaps(normal, active, MorphKind, MorphFactor);
    if (autoInactive && !Hot) ApplyInactiveEffect(normal, effect);
    canvas.Draw(Bounds.Left, Bounds.Top, normal);
    return;
  }
  if (IsEmptyPiece(ActiveSkinRect) || (!Hot && !Morphing)) {
    DrawText(canvas, Bounds.Left, Bounds.Top, Hot);
    return;
  }
  TBitmap b = Background(Hot);
  DrawText(b.Canvas(), 0, 0, Hot);
  if (!Hot && autoInactive) ApplyInactiveEffect(b, effect);
  canvas.Draw(Bounds.Left, Bounds.Top, b);
}
