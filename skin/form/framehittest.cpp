// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/framehittest.h"

#include "framework/tmessage.h"

namespace {

bool BlackPixel(const TBitmap& strip, int x, int y) {
  if (strip.Empty() || x < 0 || y < 0 || x >= strip.Width() || y >= strip.Height()) return false;
  return (strip.Image().pixel(x, y) & 0xFFFFFF) == 0;
}

}  // namespace

bool PointInWindowShape(const TPoint& Q, const TRect& A, const TbsMaskStrips& Strips) {
  if (PtInRect(A, Q)) return true;
  if (Q.Y <= A.Top) return BlackPixel(Strips.Top, Q.X, Q.Y);
  if (Q.Y < A.Bottom) {
    if (Q.X > A.Left) return BlackPixel(Strips.Right, Q.X - A.Right, Q.Y - A.Top);
    return BlackPixel(Strips.Left, Q.X, Q.Y - A.Top);
  }
  return BlackPixel(Strips.Bottom, Q.X, Q.Y - A.Bottom);
}

int SkinnedHitTestCode(const TbsSkinnedHitTest& t) {
  const TPoint P = t.P;
  if (t.RolledUp || t.Minimized) return t.OnCaptionObject ? HTCAPTION : HTOBJECT;
  if (t.ObjectHot && !t.OnCaptionObject && !PtInRect(t.SizedClientRect, P) && !t.InSizeMove) return HTOBJECT;

  auto inner = [&] {
    if (PtInRect(t.SizedClientRect, P)) return HTCLIENT;
    return t.OnCaptionObject ? HTCAPTION : HTOBJECT;
  };
  if (t.Maximized || !t.Sizeable) return inner();

  // P is near the edge when a probe BorderWidth away in some direction
  // leaves the window (or its shape).
  const int b = t.BorderWidth;
  const TPoint probes[4] = {{P.X - b, P.Y}, {P.X, P.Y - b}, {P.X + b, P.Y}, {P.X, P.Y + b}};
  const TRect window{0, 0, t.FrameWidth, t.FrameHeight};
  const bool masked = t.Mask && !t.Mask->Empty();
  bool near = false;
  if (!masked) {
    for (const TPoint& q : probes) near = near || !PtInRect(window, q);
  } else if (!PtInRect(t.SizedMaskRectArea, P)) {
    for (const TPoint& q : probes) near = near || !PointInWindowShape(q, t.SizedMaskRectArea, *t.Mask);
  }
  if (!near) return inner();

  const TPoint TL = t.HitLeftTop, TR = t.HitRightTop, BL = t.HitLeftBottom, BR = t.HitRightBottom;
  const TRect& C = t.SizedClientRect;
  if (P.X <= TL.X && P.Y <= TL.Y) return HTTOPLEFT;
  if (P.X >= TR.X && P.Y <= TR.Y) return HTTOPRIGHT;
  if (P.X <= BL.X && P.Y >= BL.Y) return HTBOTTOMLEFT;
  if (P.X >= BR.X && P.Y >= BR.Y) return HTBOTTOMRIGHT;
  if (PtInRect({TL.X, 0, TR.X, C.Top}, P)) return HTTOP;
  if (PtInRect({BL.X, C.Bottom, BR.X, t.FrameHeight}, P)) return HTBOTTOM;
  if (PtInRect({0, TL.Y, C.Left, BL.Y}, P)) return HTLEFT;
  if (PtInRect({C.Right, TR.Y, t.FrameWidth, BR.Y}, P)) return HTRIGHT;
  return inner();
}

int DefaultHitTestCode(const TbsDefaultHitTest& t) {
  constexpr int kEdge = 2;  // the sizing band of the three-pixel border
  const int x = t.P.X, y = t.P.Y, W = t.Width, H = t.Height;
  if (!t.Maximized && !t.RolledUp && !t.Minimized && t.Sizeable) {
    if (t.ObjectHot) return HTOBJECT;
    if (x <= kEdge && y <= kEdge) return HTTOPLEFT;
    if (x >= W - kEdge && y <= kEdge) return HTTOPRIGHT;
    if (x <= kEdge && y >= H - kEdge) return HTBOTTOMLEFT;
    if (x >= W - kEdge && y >= H - kEdge) return HTBOTTOMRIGHT;
    if (x <= kEdge) return HTLEFT;
    if (y <= kEdge) return HTTOP;
    if (x >= W - kEdge) return HTRIGHT;
    if (y >= H - kEdge) return HTBOTTOM;
  }
  if (PtInRect(t.CaptionRect, t.P)) return HTCAPTION;
  if (PtInRect({3, t.CaptionHeight + 3, W - 3, H - 3}, t.P)) return HTCLIENT;
  return HTOBJECT;
}
