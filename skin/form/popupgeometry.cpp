// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/popupgeometry.h"

namespace {

bool InUpperHalf(int y, const TRect& w) { return y < w.Top + w.Height() / 2; }

}  // namespace

TbsPopupPlacement PlacePopup(const TbsPopupPlaceRequest& r) {
  const TRect& a = r.Anchor;
  const TRect& w = r.WorkArea;
  const int h = r.Height;
  TbsPopupPlacement out;
  int top = 0;
  bool besideAnchor = false;  // placed directly below or above
  if (r.Scroll) {
    top = w.Top;
  } else if (r.Submenu) {
    // A submenu lines its first item up with the item that opened it.
    const int aligned = a.Top - r.ItemsTop;
    if (aligned + h <= w.Bottom) top = aligned;
    else if (InUpperHalf(a.Top, w)) top = w.Bottom - h;
    else top = std::max(w.Top, a.Bottom + r.ItemsTop - h);
  } else if (r.Upwards) {
    if (a.Top - h >= w.Top) {
      top = a.Top - h;
      besideAnchor = true;
    } else if (InUpperHalf(a.Top, w)) {
      besideAnchor = a.Bottom + h <= w.Bottom;
      top = besideAnchor ? a.Bottom : w.Bottom - h;
    } else {
      top = w.Top;
    }
  } else {
    if (a.Bottom + h <= w.Bottom) {
      top = a.Bottom;
      besideAnchor = true;
    } else if (InUpperHalf(a.Top, w)) {
      top = w.Bottom - h;
    } else if (a.Top - h >= w.Top) {
      top = a.Top - h;
      besideAnchor = true;
    } else {
      top = w.Top;
    }
  }
  out.Shifted = !r.Submenu && !r.Scroll && !besideAnchor;

  int left = 0;
  if (r.Submenu || r.Scroll || out.Shifted) {
    left = w.Right >= a.Right + r.Width + 1 ? a.Right + 1 : a.Left - r.Width - 1;
  } else {
    left = a.Left;
    if (left + r.Width > w.Right) left = w.Right - r.Width;
    if (left < w.Left) left = w.Left;
  }
  out.TopLeft = Point(left, top);
  return out;
}

std::vector<TRect> LayoutPopupItems(const TRect& itemsRect, const std::vector<int>& heights, int first,
                                    bool scroll) {
  std::vector<TRect> rects;
  const int bottom = itemsRect.Bottom - (scroll ? kPopupScrollBand : 0);
  int y = itemsRect.Top + (scroll ? kPopupScrollBand : 0);
  for (size_t i = size_t(std::max(first, 0)); i < heights.size(); ++i) {
    if (y + heights[i] > bottom) break;
    rects.push_back(TRect{itemsRect.Left, y, itemsRect.Right, y + heights[i]});
    y += heights[i];
  }
  return rects;
}
