// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/skinrectmapping.h"

#include "skin/draw/skinimage.h"

namespace {

//   The four corner areas of a full skin rectangle:
//
//     0        LT.X     RT.X        W
//   0 +---------+        +----------+
//     |   LT    |        |    RT    |
//     +---------+ LT.Y   +----------+ RT.Y
//
//     +---------+ LB.Y   +----------+ RB.Y
//     |   LB    |        |    RB    |
//   H +---------+        +----------+
//              LB.X     RB.X
TRect MapFull(TRect r, const TbsSkinCorners& c, int dx, int dy) {
  const TRect lt{0, 0, c.LeftTop.X, c.LeftTop.Y};
  const TRect rt{c.RightTop.X, 0, c.SkinWidth, c.RightTop.Y};
  const TRect lb{0, c.LeftBottom.Y, c.LeftBottom.X, c.SkinHeight};
  const TRect rb{c.RightBottom.X, c.RightBottom.Y, c.SkinWidth, c.SkinHeight};
  if (RectInRect(r, lt)) return r;
  if (RectInRect(r, rt)) {
    OffsetRect(r, dx, 0);
    return r;
  }
  if (RectInRect(r, lb)) {
    OffsetRect(r, 0, dy);
    return r;
  }
  if (RectInRect(r, rb)) {
    OffsetRect(r, dx, dy);
    return r;
  }
  const TPoint tl{r.Left, r.Top}, br{r.Right, r.Bottom};
  auto in = [](const TRect& area, const TPoint& p) { return PointInRectInclusive(area, p); };
  if (in(lt, tl) && in(rb, br)) {
    r.Right += dx;
    r.Bottom += dy;
  } else if (in(lt, tl) && in(rt, br)) {
    r.Right += dx;
  } else if (in(lb, tl) && in(rb, br)) {
    r.Right += dx;
    OffsetRect(r, 0, dy);
  } else if (in(lt, tl) && in(lb, br)) {
    r.Bottom += dy;
  } else if (in(rt, tl) && in(rb, br)) {
    OffsetRect(r, dx, 0);
    r.Bottom += dy;
  }
  return r;
}

}  // namespace

TRect MapSkinRect(const TRect& R, int Kind, const TbsSkinCorners& C, int dx, int dy) {
  TRect r = R;
  switch (Kind) {
    case 1:
      return MapFull(R, C, dx, dy);
    case 2:
      if (r.Left <= C.LeftTop.X && r.Right >= C.RightTop.X)
        r.Right += dx;
      else if (r.Left >= C.RightTop.X && r.Right > C.RightTop.X)
        OffsetRect(r, dx, 0);
      return r;
    case 3:
      if (r.Top <= C.LeftTop.Y && r.Bottom >= C.LeftBottom.Y)
        r.Bottom += dy;
      else if (r.Top >= C.LeftBottom.Y && r.Bottom > C.LeftBottom.Y)
        OffsetRect(r, 0, dy);
      return r;
    default:
      return r;
  }
}
