// SPDX-License-Identifier: GPL-3.0-or-later
// Where a popup goes against its anchor and the work area, and where its
// rows lie: tables of named rows.

#include <gtest/gtest.h>

#include "skin/form/popupgeometry.h"

namespace {

struct PlaceRow {
  const char* Name;
  TRect Anchor;
  int W, H;
  bool Submenu, Upwards, Scroll;
  TPoint Expected;
  bool Shifted;
};

constexpr TRect kWork{0, 0, 800, 600};

TEST(PopupPlacement, EveryEdgeOfTheWorkArea) {
  const PlaceRow rows[] = {
      {"below a button when it fits", {100, 100, 140, 120}, 50, 80, false, false, false, {100, 120}, false},
      {"the right edge pulls it left", {780, 100, 790, 120}, 50, 80, false, false, false, {750, 120}, false},
      {"the left edge pushes it right", {-10, 100, 0, 120}, 50, 80, false, false, false, {0, 120}, false},
      {"a click near the bottom opens above the cursor", {300, 580, 300, 580}, 50, 80, false, false, false,
       {300, 500}, false},
      {"too tall for both sides, anchor in the upper half: to the bottom, beside", {300, 250, 300, 250}, 50, 400,
       false, false, false, {301, 200}, true},
      {"too tall for both sides, anchor in the lower half: to the top, beside", {300, 350, 300, 350}, 50, 500,
       false, false, false, {301, 0}, true},
      {"shifted at the right edge goes left of the anchor", {790, 250, 790, 250}, 50, 400, false, false, false,
       {739, 200}, true},
      {"upwards when there is room", {100, 300, 140, 320}, 50, 80, false, true, false, {100, 220}, false},
      {"upwards without room, upper half: below", {100, 50, 140, 70}, 50, 80, false, true, false, {100, 70},
       false},
      {"upwards without room, upper half, no room below either", {100, 50, 140, 70}, 50, 590, false, true, false,
       {141, 10}, true},
      {"upwards without room, lower half: the top", {100, 400, 140, 420}, 50, 500, false, true, false, {141, 0},
       true},
      {"a submenu lines its first row up with the item", {200, 100, 300, 120}, 50, 80, true, false, false,
       {301, 97}, false},
      {"a submenu at the right edge goes left of the menu", {700, 100, 780, 120}, 50, 80, true, false, false,
       {649, 97}, false},
      {"a submenu without room below, item in the lower half", {200, 560, 300, 580}, 50, 80, true, false, false,
       {301, 503}, false},
      {"a submenu without room below, item in the upper half", {200, 200, 300, 220}, 50, 500, true, false, false,
       {301, 100}, false},
      {"a scrolling menu starts at the top, beside the anchor", {100, 300, 140, 320}, 50, 600, false, false, true,
       {141, 0}, false},
  };
  for (const PlaceRow& row : rows) {
    TbsPopupPlaceRequest r;
    r.Anchor = row.Anchor;
    r.WorkArea = kWork;
    r.Width = row.W;
    r.Height = row.H;
    r.Submenu = row.Submenu;
    r.Upwards = row.Upwards;
    r.Scroll = row.Scroll;
    r.ItemsTop = 3;
    const TbsPopupPlacement p = PlacePopup(r);
    EXPECT_EQ(p.TopLeft, row.Expected) << row.Name << ": got " << p.TopLeft.X << "," << p.TopLeft.Y;
    EXPECT_EQ(p.Shifted, row.Shifted) << row.Name;
  }
}

TEST(PopupItemLayout, RowsRunDownTheItemsRectAndStopBeforeTheBottom) {
  const TRect items{3, 3, 97, 63};
  const std::vector<TRect> all = LayoutPopupItems(items, {20, 6, 20}, 0, false);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0], Rect(3, 3, 97, 23));
  EXPECT_EQ(all[1], Rect(3, 23, 97, 29));
  EXPECT_EQ(all[2], Rect(3, 29, 97, 49));
  // A row that would pass the bottom is left out, and so is everything after it.
  EXPECT_EQ(LayoutPopupItems(items, {20, 20, 20, 6}, 0, false).size(), 3u);
  EXPECT_EQ(LayoutPopupItems(items, {20, 20, 21, 6}, 0, false).size(), 2u);
  // Scrolling keeps both marker bands free and starts at the first visible row.
  const std::vector<TRect> scrolled = LayoutPopupItems(items, {20, 20, 20, 20}, 1, true);
  ASSERT_EQ(scrolled.size(), 2u);
  EXPECT_EQ(scrolled[0], Rect(3, 13, 97, 33));
  EXPECT_EQ(scrolled[1], Rect(3, 33, 97, 53));
  EXPECT_TRUE(LayoutPopupItems(items, {20}, 1, false).empty());
}

}  // namespace
