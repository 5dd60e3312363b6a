// SPDX-License-Identifier: GPL-3.0-or-later
// Hit testing and frame geometry as tables of named rows.

#include <gtest/gtest.h>

#include "framework/tmessage.h"
#include "skin/form/framegeometry.h"
#include "skin/form/framehittest.h"

namespace {

// A 400 x 300 window of a skin whose client area is 8,26 .. W-8,H-8.
TbsSkinnedHitTest Window400() {
  TbsSkinnedHitTest t;
  t.FrameWidth = 400;
  t.FrameHeight = 300;
  t.SizedClientRect = {8, 26, 392, 292};
  t.HitLeftTop = {10, 10};
  t.HitRightTop = {390, 10};
  t.HitLeftBottom = {10, 290};
  t.HitRightBottom = {390, 290};
  t.BorderWidth = 4;
  t.Sizeable = true;
  t.SizedMaskRectArea = t.SizedClientRect;
  return t;
}

// The mask's strips for Window400: the top corners cut diagonally, the
// left two columns outside the shape, the rest black.
const TbsMaskStrips& Strips() {
  static const TbsMaskStrips strips = [] {
    TbsMaskStrips s;
    auto paint = [](TBitmap& b, int w, int h, auto inside) {
      b.SetSize(w, h);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.Image().setPixel(x, y, inside(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    };
    paint(s.Top, 400, 26, [](int x, int y) { return x + y >= 6 && (399 - x) + y >= 6; });
    paint(s.Left, 8, 266, [](int x, int) { return x >= 2; });
    paint(s.Right, 8, 266, [](int, int) { return true; });
    paint(s.Bottom, 400, 8, [](int, int) { return true; });
    return s;
  }();
  return strips;
}

struct SkinnedRow {
  const char* Name;
  TPoint P;
  int Expected;
  void (*Adjust)(TbsSkinnedHitTest&);
};

void None(TbsSkinnedHitTest&) {}
void Masked(TbsSkinnedHitTest& t) { t.Mask = &Strips(); }
void Maximized(TbsSkinnedHitTest& t) { t.Maximized = true; }
void RolledUp(TbsSkinnedHitTest& t) { t.RolledUp = true; }
void RolledUpOnCaption(TbsSkinnedHitTest& t) { t.RolledUp = true, t.OnCaptionObject = true; }
void Minimized(TbsSkinnedHitTest& t) { t.Minimized = true; }
void NotSizeable(TbsSkinnedHitTest& t) { t.Sizeable = false; }
void OnCaption(TbsSkinnedHitTest& t) { t.OnCaptionObject = true; }
void Hot(TbsSkinnedHitTest& t) { t.ObjectHot = true; }
void HotWhileSizing(TbsSkinnedHitTest& t) { t.ObjectHot = true, t.InSizeMove = true; }

const SkinnedRow kSkinnedRows[] = {
    {"top-left corner", {0, 0}, HTTOPLEFT, None},
    {"top-right corner", {399, 0}, HTTOPRIGHT, None},
    {"bottom-left corner", {0, 299}, HTBOTTOMLEFT, None},
    {"bottom-right corner", {399, 299}, HTBOTTOMRIGHT, None},
    {"top edge", {200, 1}, HTTOP, None},
    {"bottom edge", {200, 298}, HTBOTTOM, None},
    {"left edge", {1, 150}, HTLEFT, None},
    {"right edge", {398, 150}, HTRIGHT, None},
    {"left edge beside the top-left hit point", {1, 8}, HTTOPLEFT, None},
    {"left edge below the bottom-left hit point", {1, 295}, HTBOTTOMLEFT, None},
    {"right edge level with the bottom-right hit point", {398, 290}, HTBOTTOMRIGHT, None},
    {"right edge one pixel above it", {398, 289}, HTRIGHT, None},
    {"bottom edge below the bottom-right hit point", {390, 298}, HTBOTTOMRIGHT, None},
    {"bottom edge one pixel left of it", {389, 298}, HTBOTTOM, None},
    {"exactly the border width inside the left edge", {4, 150}, HTOBJECT, None},
    {"one pixel closer to the left edge", {3, 150}, HTLEFT, None},
    {"exactly the border width inside the bottom edge", {200, 295}, HTOBJECT, None},
    {"client area", {200, 150}, HTCLIENT, None},
    {"caption object", {200, 12}, HTCAPTION, OnCaption},
    {"caption object at the top edge sizes", {200, 2}, HTTOP, OnCaption},
    {"maximised never sizes", {0, 0}, HTOBJECT, Maximized},
    {"maximised caption", {200, 12}, HTCAPTION, [](TbsSkinnedHitTest& t) { t.Maximized = t.OnCaptionObject = true; }},
    {"rolled up never sizes", {0, 0}, HTOBJECT, RolledUp},
    {"rolled up over the caption", {200, 12}, HTCAPTION, RolledUpOnCaption},
    {"rolled up, even the client area is frame", {200, 150}, HTOBJECT, RolledUp},
    {"minimised never sizes", {399, 299}, HTOBJECT, Minimized},
    {"not sizeable never sizes", {0, 0}, HTOBJECT, NotSizeable},
    {"a hot object keeps the pointer off the edges", {0, 0}, HTOBJECT, Hot},
    {"a hot object leaves the client area alone", {200, 150}, HTCLIENT, Hot},
    {"a hot object does not matter while sizing", {0, 0}, HTTOPLEFT, HotWhileSizing},
    {"masked: beside the cut corner", {3, 3}, HTTOPLEFT, Masked},
    {"masked: the transparent columns bring the left edge in", {5, 150}, HTLEFT, Masked},
    {"masked: inside the shape on the right is not near", {395, 150}, HTOBJECT, Masked},
    {"masked: at the right strip's end", {396, 150}, HTRIGHT, Masked},
    {"masked: top edge", {200, 2}, HTTOP, Masked},
    {"masked: the mask area itself never sizes", {200, 150}, HTCLIENT, Masked},
};

TEST(SkinnedHitTest, FollowsTheRulesRowByRow) {
  for (const SkinnedRow& row : kSkinnedRows) {
    TbsSkinnedHitTest t = Window400();
    t.P = row.P;
    row.Adjust(t);
    EXPECT_EQ(SkinnedHitTestCode(t), row.Expected) << row.Name;
  }
}

TEST(SkinnedHitTest, WithoutTheMaskTheSameInsetPointIsNotNearTheEdge) {
  TbsSkinnedHitTest t = Window400();
  t.P = {5, 150};
  EXPECT_EQ(SkinnedHitTestCode(t), HTOBJECT);
}

TEST(WindowShape, ReadsTheStripThatCoversThePoint) {
  const TRect area{8, 26, 392, 292};
  EXPECT_TRUE(PointInWindowShape({200, 150}, area, Strips()));
  EXPECT_FALSE(PointInWindowShape({0, 0}, area, Strips())) << "cut corner";
  EXPECT_TRUE(PointInWindowShape({6, 0}, area, Strips()));
  EXPECT_FALSE(PointInWindowShape({1, 100}, area, Strips())) << "transparent left columns";
  EXPECT_TRUE(PointInWindowShape({2, 100}, area, Strips()));
  EXPECT_TRUE(PointInWindowShape({399, 100}, area, Strips()));
  EXPECT_FALSE(PointInWindowShape({400, 100}, area, Strips())) << "past the right strip";
  EXPECT_TRUE(PointInWindowShape({0, 299}, area, Strips()));
  EXPECT_FALSE(PointInWindowShape({0, 300}, area, Strips()));
}

struct DefaultRow {
  const char* Name;
  TPoint P;
  int Expected;
  void (*Adjust)(TbsDefaultHitTest&);
};

void DNone(TbsDefaultHitTest&) {}

const DefaultRow kDefaultRows[] = {
    {"top-left corner", {0, 0}, HTTOPLEFT, DNone},
    {"two pixels in is still the corner", {2, 2}, HTTOPLEFT, DNone},
    {"top-right corner", {298, 0}, HTTOPRIGHT, DNone},
    {"bottom-left corner", {0, 198}, HTBOTTOMLEFT, DNone},
    {"bottom-right corner", {299, 199}, HTBOTTOMRIGHT, DNone},
    {"two pixels in is still the bottom-right corner", {298, 198}, HTBOTTOMRIGHT, DNone},
    {"three pixels up from the bottom is the right edge", {299, 197}, HTRIGHT, DNone},
    {"three pixels left of the right is the bottom edge", {297, 199}, HTBOTTOM, DNone},
    {"left edge", {1, 100}, HTLEFT, DNone},
    {"top edge", {100, 1}, HTTOP, DNone},
    {"right edge", {298, 100}, HTRIGHT, DNone},
    {"bottom edge", {100, 198}, HTBOTTOM, DNone},
    {"the first column past the border is client", {3, 100}, HTCLIENT, DNone},
    {"caption", {100, 10}, HTCAPTION, DNone},
    {"caption buttons", {250, 10}, HTOBJECT, DNone},
    {"client", {100, 100}, HTCLIENT, DNone},
    {"maximised never sizes", {0, 0}, HTOBJECT, [](TbsDefaultHitTest& t) { t.Maximized = true; }},
    {"maximised caption", {100, 10}, HTCAPTION, [](TbsDefaultHitTest& t) { t.Maximized = true; }},
    {"rolled up never sizes", {299, 199}, HTOBJECT, [](TbsDefaultHitTest& t) { t.RolledUp = true; }},
    {"not sizeable never sizes", {0, 0}, HTOBJECT, [](TbsDefaultHitTest& t) { t.Sizeable = false; }},
    {"a hot object wins over the client", {100, 100}, HTOBJECT, [](TbsDefaultHitTest& t) { t.ObjectHot = true; }},
};

TEST(DefaultHitTest, FollowsTheRulesRowByRow) {
  for (const DefaultRow& row : kDefaultRows) {
    TbsDefaultHitTest t;
    t.Width = 300;
    t.Height = 200;
    t.CaptionRect = {20, 3, 230, 19};
    t.Sizeable = true;
    t.P = row.P;
    row.Adjust(t);
    EXPECT_EQ(DefaultHitTestCode(t), row.Expected) << row.Name;
  }
}

TEST(MagneticEdges, SnapCloserThanTheMagneticSizeOnly) {
  const TRect work{0, 0, 800, 600};
  struct Row {
    const char* Name;
    TRect Proposed;
    TPoint Expected;
  } rows[] = {
      {"left + 4 snaps", Bounds(4, 100, 200, 100), {0, 100}},
      {"left + 5 stays", Bounds(5, 100, 200, 100), {5, 100}},
      {"left - 4 snaps", Bounds(-4, 100, 200, 100), {0, 100}},
      {"left - 5 stays", Bounds(-5, 100, 200, 100), {-5, 100}},
      {"top + 4 snaps", Bounds(100, 4, 200, 100), {100, 0}},
      {"right edge 4 short snaps", Bounds(596, 100, 200, 100), {600, 100}},
      {"bottom edge 4 past snaps", Bounds(100, 504, 200, 100), {100, 500}},
      {"right wins over left", Bounds(2, 100, 797, 100), {3, 100}},
  };
  for (const Row& row : rows) {
    const TRect r = SnapToEdges(row.Proposed, work, 5);
    EXPECT_EQ(Point(r.Left, r.Top), row.Expected) << row.Name;
    EXPECT_EQ(r.Width(), row.Proposed.Width()) << row.Name;
    EXPECT_EQ(r.Height(), row.Proposed.Height()) << row.Name;
  }
}

TEST(ObjectAnchoring, FollowsTheCornerZones) {
  // 176 x 124 picture, corners at 8,26 / 168,26 / 8,116 / 168,116; the
  // window is 100 wider and 50 taller.
  struct Row {
    const char* Name;
    TRect In, Out;
  } rows[] = {
      {"top-left stays", {1, 1, 5, 5}, {1, 1, 5, 5}},
      {"top-right moves right", {170, 2, 174, 20}, {270, 2, 274, 20}},
      {"bottom-left moves down", {1, 118, 5, 122}, {1, 168, 5, 172}},
      {"bottom-right moves both ways", {170, 118, 174, 122}, {270, 168, 274, 172}},
      {"across the top grows wider", {2, 2, 172, 20}, {2, 2, 272, 20}},
      {"across everything grows both ways", {2, 2, 172, 120}, {2, 2, 272, 170}},
      {"down the left grows taller", {2, 2, 6, 120}, {2, 2, 6, 170}},
      {"down the right moves right and grows taller", {170, 2, 174, 120}, {270, 2, 274, 170}},
      {"across the bottom grows wider and moves down", {2, 118, 172, 122}, {2, 168, 272, 172}},
      {"in the middle stays", {50, 50, 60, 60}, {50, 50, 60, 60}},
      {"reaching the zone's open edge is not wholly inside", {1, 1, 8, 8}, {1, 1, 8, 8}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(AnchorObjectRect(row.In, {8, 26}, {168, 26}, {8, 116}, {168, 116}, 176, 124, 100, 50), row.Out)
        << row.Name;
}

}  // namespace
