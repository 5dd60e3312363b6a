// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/framegeometry.h"

namespace {

enum Zone { kNone, kTL, kTR, kBL, kBR };

Zone ZoneOf(const TPoint& p, const TRect& tl, const TRect& tr, const TRect& bl, const TRect& br) {
  if (PtInRect(tl, p)) return kTL;
  if (PtInRect(tr, p)) return kTR;
  if (PtInRect(bl, p)) return kBL;
  if (PtInRect(br, p)) return kBR;
  return kNone;
}

}  // namespace

TRect AnchorObjectRect(const TRect& R, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                       int PictureWidth, int PictureHeight, int dx, int dy) {
  const TRect tl{0, 0, LT.X, LT.Y};
  const TRect tr{RT.X, 0, PictureWidth, RT.Y};
  const TRect bl{0, LB.Y, LB.X, PictureHeight};
  const TRect br{RB.X, RB.Y, PictureWidth, PictureHeight};
  auto wholly = [&](const TRect& zone) { return PtInRect(zone, {R.Left, R.Top}) && PtInRect(zone, {R.Right, R.Bottom}); };
  TRect r = R;
  if (wholly(tl)) return r;
  if (wholly(tr)) {
    OffsetRect(r, dx, 0);
    return r;
  }
  if (wholly(bl)) {
    OffsetRect(r, 0, dy);
    return r;
  }
  if (wholly(br)) {
    OffsetRect(r, dx, dy);
    return r;
  }
  const Zone a = ZoneOf({R.Left, R.Top}, tl, tr, bl, br);
  const Zone b = ZoneOf({R.Right, R.Bottom}, tl, tr, bl, br);
  if (a == kTL && b == kBR) {
    r.Right += dx;
    r.Bottom += dy;
  } else if (a == kTL && b == kTR) {
    r.Right += dx;
  } else if (a == kBL && b == kBR) {
    r.Right += dx;
    OffsetRect(r, 0, dy);
  } else if (a == kTL && b == kBL) {
    r.Bottom += dy;
  } else if (a == kTR && b == kBR) {
    OffsetRect(r, dx, 0);
    r.Bottom += dy;
  }
  return r;
}

TRect SnapToEdges(const TRect& P, const TRect& R, int M) {
  const int width = P.Width(), height = P.Height();
  int left = P.Left, top = P.Top;
  if (R.Left - M < left && left < R.Left + M) left = R.Left;
  if (R.Top - M < top && top < R.Top + M) top = R.Top;
  if (R.Right - M < left + width && left + width < R.Right + M) left = R.Right - width;
  if (R.Bottom - M < top + height && top + height < R.Bottom + M) top = R.Bottom - height;
  return Bounds(left, top, width, height);
}
