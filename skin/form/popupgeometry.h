// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a popup menu window goes and where its items lie: pure functions of
// the anchor, the work area and the sizes, so every screen edge can be
// checked by a table without a window.

#include <vector>

#include "framework/trect.h"

constexpr int kPopupScrollBand = 10;  // height of each scroll marker band

struct TbsPopupPlacement {
  TPoint TopLeft;
  // Not directly below or above the anchor: such a popup goes beside it.
  bool Shifted = false;
};

struct TbsPopupPlaceRequest {
  TRect Anchor;        // screen coordinates; a point is an empty rectangle
  TRect WorkArea;
  int Width = 0, Height = 0;
  bool Submenu = false;   // level above 0
  bool Upwards = false;   // the opener asks to open above the anchor
  bool Scroll = false;    // the items do not fit the work area
  int ItemsTop = 0;       // top of the items rectangle inside the popup
};

TbsPopupPlacement PlacePopup(const TbsPopupPlaceRequest& r);

// Item rectangles down the items rectangle from item `first` on, each the
// full width; stops before the first one that would pass the bottom. With
// `scroll` the marker bands at the top and bottom are kept free.
// `heights` lists every item; the result has one entry per visible item.
std::vector<TRect> LayoutPopupItems(const TRect& itemsRect, const std::vector<int>& heights, int first,
                                    bool scroll);
