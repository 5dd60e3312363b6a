// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's painting: the skinned frame composed as four strips with the
// caption objects on them, the plain default frame, and the client background.

#include "skin/form/tbsskinframe.h"

#include <QPainter>
#include <algorithm>

#include "skin/data/tbsskindata.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"
#include "skin/form/frameeffects.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinframedefaults.h"

// ---------------------------------------------------------------- painting

void TbsSkinFrame::RepaintFrame() {
  if (FForm) FForm->InvalidateFrame();
}

void TbsSkinFrame::RepaintNow(const TRect& r) {
  if (!FForm || !FForm->HasBorder() || !FForm->isVisible()) return;
  FForm->repaint(ToQRect(r));
}

void TbsSkinFrame::PaintSkinned(TCanvas& canvas) {
  FFrameWidth = FForm->width();
  FFrameHeight = FForm->height();
  if (FFrameWidth < MinimumWidth() || FFrameHeight < MinimumHeight()) return;
  SizeGeometry();
  LayoutObjects();
  const TbsSkinData& d = *FSkinData;
  const bool active = IsFormActive();
  const TBitmap& source = !active && !d.InactivePicture.Empty() ? d.InactivePicture : d.Picture;
  TBitmap left, top, right, bottom;
  ComposeFrameEdges(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.ClientRect,
                    FSizedLeftTopPoint, FSizedRightTopPoint, FSizedLeftBottomPoint, FSizedRightBottomPoint,
                    FSizedClientRect, left, top, right, bottom, source, {0, 0, d.Picture.Width(), d.Picture.Height()},
                    FFrameWidth, FFrameHeight, d.LeftStretch, d.TopStretch, d.RightStretch, d.BottomStretch);
  // The caption objects' text goes to the strips' device layers too.
  const QPainter& device = canvas.Painter();
  PlaceOnDevice(top, device, 0, 0);
  PlaceOnDevice(left, device, 0, top.Height());
  PlaceOnDevice(right, device, FFrameWidth - right.Width(), top.Height());
  PlaceOnDevice(bottom, device, 0, FFrameHeight - bottom.Height());
  for (const auto& o : FObjects) {
    if (!o->Visible) continue;
    if (o->Bounds.Bottom > FSizedClientRect.Top) {
      if (bottom.Empty()) continue;
      const TRect kept = o->Bounds;
      OffsetRect(o->Bounds, 0, -FSizedClientRect.Bottom);
      o->Draw(bottom.Canvas(), false);
      o->Bounds = kept;
    } else if (!top.Empty()) {
      o->Draw(top.Canvas(), false);
    }
  }
  QPainter& painter = canvas.Painter();
  painter.save();
  if (!IsEmptyPiece(FSizedClientRect))
    painter.setClipRegion(QRegion(0, 0, FFrameWidth, FFrameHeight) - QRegion(ToQRect(FSizedClientRect)));
  if (!active && d.AutoRenderingInactiveImage)
    for (TBitmap* strip : {&left, &top, &right, &bottom}) ApplyInactiveEffect(*strip, int(d.InactiveEffect));
  if (!top.Empty()) canvas.Draw(0, 0, top);
  if (!left.Empty()) canvas.Draw(0, top.Height(), left);
  if (!right.Empty()) canvas.Draw(FFrameWidth - right.Width(), top.Height(), right);
  if (!bottom.Empty()) canvas.Draw(0, FFrameHeight - bottom.Height(), bottom);
  painter.restore();
}

void TbsSkinFrame::PaintDefault(TCanvas& canvas) {
  LayoutDefaultObjects();
  const int W = FForm->width(), H = FForm->height();
  const int ch = DefaultCaptionHeight();
  const TRect& cap = FDefaultCaptionRect;

  TBitmap bar(std::max(0, W - 2 * kDefaultBorder), ch);
  TCanvas& c = bar.Canvas();
  c.Brush.Color = clBtnFace;
  c.FillRect({0, 0, bar.Width(), ch});
  if (ch - 4 > 1)
    for (int row = 2; row <= ch - 4; ++row) {
      c.Pen.Color = (row % 2 == 0) ? clBtnHighlight : clBtnShadow;
      c.MoveTo(cap.Left - 1, row);
      c.LineTo(cap.Right - 6, row);
    }
  c.Font = IsFormActive() ? FDefCaptionFont : FDefInActiveCaptionFont;
  std::string text = FForm->Caption();
  if (!text.empty()) {
    const int available = cap.Right - cap.Left + 3;
    TruncateTextToWidth(c, text, available);
    const int tw = c.TextWidth(text);
    const int x = cap.Left - kDefaultBorder + available / 2 - (tw + 5) / 2;
    const int y = ch / 2 - c.TextHeight(text) / 2;
    c.Brush.Color = clBtnFace;
    c.Brush.Style = bsSolid;
    c.TextRect({x, 0, x + tw + 5, ch}, x + 3, y, text);
  }
  for (const auto& o : FObjects) {
    if (!o->Visible) continue;
    const TRect kept = o->Bounds;
    OffsetRect(o->Bounds, -kDefaultBorder, -kDefaultBorder);
    o->Draw(c, true);
    o->Bounds = kept;
  }

  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setClipRegion(QRegion(0, 0, W, H) -
                        QRegion(kDefaultBorder, ch + kDefaultBorder, W - 2 * kDefaultBorder, H - ch - 2 * kDefaultBorder));
  canvas.Draw(kDefaultBorder, kDefaultBorder, bar);
  // Three one-pixel bevels from the outside in: top-left colour, bottom-right colour.
  const std::pair<TColor, TColor> bevels[] = {
      {cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}, {clBtnFace, clBtnFace}};
  for (int i = 0; i < 3; ++i) {
    const int l = i, t = i, r = W - i, b = H - i;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = bevels[i].first;
    canvas.FillRect({l, t, r - 1, t + 1});
    canvas.FillRect({l, t, l + 1, b - 1});
    canvas.Brush.Color = bevels[i].second;
    canvas.FillRect({l, b - 1, r, b});
    canvas.FillRect({r - 1, t, r, b});
  }
  // The band between the caption bar and the client area.
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect({kDefaultBorder, ch + kDefaultBorder, W - kDefaultBorder, ch + kDefaultBorder});
  painter.restore();
}

void TbsSkinFrame::EraseBackground(TCanvas& canvas) {
  const int w = FForm->ClientWidth(), h = FForm->ClientHeight();
  auto fill = [&] {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, w, h});
  };
  auto tile = [&](const TBitmap& picture, const TRect& piece) {
    const int tw = RectWidthOf(piece), th = RectHeightOf(piece);
    if (tw < 1 || th < 1) return fill();
    QPainter& p = canvas.Painter();
    for (int col = 0; col <= w / tw; ++col)
      for (int row = 0; row <= h / th; ++row)
        DrawImageCrisp(p, QRect(col * tw, row * th, tw, th), picture.Image(), ToQRect(piece));
  };
  if (!FSkinned) {
    fill();
  } else if (TBitmap* bg = FSkinData->ActivePicture(FSkinData->BGPictureIndex)) {
    tile(*bg, {0, 0, bg->Width(), bg->Height()});
  } else if (IsEmptyPiece(FSkinData->ClientRect)) {
    fill();
  } else {
    tile(FSkinData->Picture, FSkinData->ClientRect);
  }
  if (!FLogoBitMap.Empty()) {
    TBitmap logo = FLogoBitMap;
    logo.Transparent = FLogoBitMapTransparent;
    canvas.Draw(std::max(0, w / 2 - logo.Width() / 2), std::max(0, h / 2 - logo.Height() / 2), logo);
  }
}
