// SPDX-License-Identifier: GPL-3.0-or-later
// Composing skin rectangles at any size: every destination pixel is checked
// against the source pixel a model of the corner-point rule says it shows.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "drawtesthelpers.h"
#include "skin/draw/skinimage.h"

namespace {

using drawtest::Pattern;

TEST(Geometry, RectTests) {
  const TRect r{2, 3, 10, 8};
  EXPECT_TRUE(PointInRectInclusive(r, {10, 8}));
  EXPECT_TRUE(PointInRectInclusive(r, {2, 3}));
  EXPECT_FALSE(PointInRectInclusive(r, {11, 8}));
  EXPECT_TRUE(RectInRect({3, 4, 9, 7}, r));
  EXPECT_FALSE(RectInRect({3, 4, 10, 7}, r));  // right edge on the other's right edge
  EXPECT_FALSE(RectInRect({3, 4, 9, 8}, r));   // bottom edge on the other's bottom edge
  EXPECT_TRUE(IsEmptyRect({5, 5, 5, 9}));
  EXPECT_TRUE(IsEmptyRect({5, 5, 4, 9}));
  EXPECT_FALSE(IsEmptyRect({5, 5, 6, 6}));
  EXPECT_TRUE(IsZeroPoint({0, 4}));
  EXPECT_FALSE(IsZeroPoint({1, 4}));
}

struct KindCase {
  const char* Name;
  TRect SkinRect;
  TPoint RT, LB, RB;
  int Kind;
};

class StretchKinds : public testing::TestWithParam<KindCase> {};

TEST_P(StretchKinds, ChosenFromThePointsInOrder) {
  const KindCase c = GetParam();
  EXPECT_EQ(StretchKind(c.SkinRect, {3, 3}, c.RT, c.LB, c.RB), c.Kind);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StretchKinds,
    testing::Values(KindCase{"EmptySkinRect", {0, 0, 0, 10}, {5, 5}, {5, 5}, {5, 5}, -1},
                    KindCase{"RightBottomSet", {0, 0, 10, 10}, {0, 0}, {0, 0}, {5, 5}, 1},
                    KindCase{"RightBottomHalfSetFallsThrough", {0, 0, 10, 10}, {0, 0}, {0, 0}, {5, 0}, 0},
                    KindCase{"RightTopX", {0, 0, 10, 10}, {4, 0}, {6, 6}, {0, 3}, 2},
                    KindCase{"RightTopY", {0, 0, 10, 10}, {0, 4}, {0, 0}, {0, 0}, 2},
                    KindCase{"LeftBottomOnly", {0, 0, 10, 10}, {0, 0}, {0, 7}, {0, 0}, 3},
                    KindCase{"NoPoints", {0, 0, 10, 10}, {0, 0}, {0, 0}, {0, 0}, 0}),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.Name); });

struct SizedCase {
  const char* Name;
  int Kind;
  int Width, Height;      // wanted
  int OutW, OutH;         // drawn
  TPoint NRT, NLB, NRB;
  TRect NCR;
};

class SizedGeometry : public testing::TestWithParam<SizedCase> {};

TEST_P(SizedGeometry, MovesOnlyWhatTheKindLets) {
  const SizedCase c = GetParam();
  // Skin 40 x 30; LT (8,6) RT (30,7) LB (9,24) RB (31,25) CR (4,5,35,26).
  const TbsSizedGeometry g = ComputeSizedGeometry({5, 4, 45, 34}, {8, 6}, {30, 7}, {9, 24}, {31, 25},
                                                  {4, 5, 35, 26}, c.Width, c.Height, c.Kind);
  EXPECT_EQ(g.Width, c.OutW);
  EXPECT_EQ(g.Height, c.OutH);
  EXPECT_EQ(g.SizedLeftTopPoint, (TPoint{8, 6}));
  EXPECT_EQ(g.SizedRightTopPoint, c.NRT);
  EXPECT_EQ(g.SizedLeftBottomPoint, c.NLB);
  EXPECT_EQ(g.SizedRightBottomPoint, c.NRB);
  EXPECT_EQ(g.SizedClientRect, c.NCR);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SizedGeometry,
    testing::Values(SizedCase{"FullGrows", 1, 50, 45, 50, 45, {40, 7}, {9, 39}, {41, 40}, {4, 5, 45, 41}},
                    SizedCase{"FullShrinks", 1, 30, 20, 30, 20, {20, 7}, {9, 14}, {21, 15}, {4, 5, 25, 16}},
                    SizedCase{"HorizontalKeepsHeight", 2, 50, 99, 50, 30, {40, 7}, {9, 24}, {31, 25}, {4, 5, 45, 26}},
                    SizedCase{"VerticalKeepsWidth", 3, 99, 45, 40, 45, {30, 7}, {9, 39}, {31, 25}, {4, 5, 35, 41}},
                    SizedCase{"FixedKeepsBoth", 0, 99, 99, 40, 30, {30, 7}, {9, 24}, {31, 25}, {4, 5, 35, 26}}),
    [](const testing::TestParamInfo<SizedCase>& info) { return std::string(info.param.Name); });

TEST(TileRun, TilesFromTheStartAndCutTheLastAtTheEnd) {
  struct Case {
    int Length, From, To;
    std::vector<std::pair<int, int>> Tiles;
  };
  const std::vector<Case> cases = {
      {5, 0, 10, {{0, 5}, {5, 5}}},  // exact multiple: complete last tile, then an empty one
      {5, 0, 11, {{0, 5}, {5, 5}, {10, 1}}},  // one longer: a one-pixel cut tile
      {5, 3, 6, {{3, 3}}},
      {5, 3, 3, {}},
      {5, 6, 3, {}},  // reversed run
      {0, 0, 10, {}},  // no strip to tile
      {-2, 0, 10, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<int, int>> tiles;
    TileRun(c.Length, c.From, c.To, [&](int at, int n) { tiles.push_back({at, n}); });
    EXPECT_EQ(tiles, c.Tiles) << c.Length << " " << c.From << ".." << c.To;
  }
}

// ---------------------------------------------------------------------------
// A skin rectangle of 40 x 30 at (5, 4) in a 60 x 50 picture. The top and
// bottom edges are 22 wide, the left and right edges 18 high, the middle
// 31 x 21, so growing by (22, 18) doubles every edge.

const TRect kSkin{5, 4, 45, 34};
const TPoint kLT{8, 6}, kRT{30, 7}, kLB{9, 24}, kRB{31, 25};
const TRect kCR{4, 5, 35, 26};

struct Flags {
  bool Left = false, Top = false, Right = false, Bottom = false;
};

// Where the composed pixel (x, y) comes from, in skin-rectangle coordinates.
// Tiled runs repeat from their sized start point; stretched runs (which in
// these tests are exactly twice the source) show each source pixel twice.
TPoint ModelSource(int x, int y, int W, int H, Flags s) {
  const int dw = W - RectWidth(kSkin), dh = H - RectHeight(kSkin);
  const auto run = [](int at, int start, int srcStart, int srcLen, bool stretched) {
    return stretched ? srcStart + (at - start) / 2 : srcStart + (at - start) % srcLen;
  };
  if (y < kCR.Top) {
    if (x < kLT.X) return {x, y};
    if (x >= kRT.X + dw) return {x - dw, y};
    return {run(x, kLT.X, kLT.X, kRT.X - kLT.X, s.Top), y};
  }
  if (y >= kCR.Bottom + dh) {
    if (x < kLB.X) return {x, y - dh};
    if (x >= kRB.X + dw) return {x - dw, y - dh};
    return {run(x, kLB.X, kLB.X, kRB.X - kLB.X, s.Bottom), y - dh};
  }
  if (x < kCR.Left) {
    if (y < kLT.Y) return {x, y};
    if (y >= kLB.Y + dh) return {x, y - dh};
    return {x, run(y, kLT.Y, kLT.Y, kLB.Y - kLT.Y, s.Left)};
  }
  if (x >= kCR.Right + dw) {
    if (y < kRT.Y) return {x - dw, y};
    if (y >= kRB.Y + dh) return {x - dw, y - dh};
    return {x - dw, run(y, kRT.Y, kRT.Y, kRB.Y - kRT.Y, s.Right)};
  }
  return {kCR.Left + (x - kCR.Left) % RectWidth(kCR), kCR.Top + (y - kCR.Top) % RectHeight(kCR)};
}

void ExpectComposed(const QImage& out, const QImage& picture, int W, int H, Flags s) {
  ASSERT_EQ(out.size(), QSize(W, H));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const TPoint p = ModelSource(x, y, W, H, s);
      ASSERT_EQ(out.pixel(x, y), picture.pixel(kSkin.Left + p.X, kSkin.Top + p.Y))
          << "at " << x << "," << y << " of " << W << "x" << H << " expected source " << p.X << "," << p.Y;
    }
}

TBitmap Compose(const TBitmap& source, int W, int H, Flags s, bool stretchedForm) {
  const TbsSizedGeometry g = ComputeSizedGeometry(kSkin, kLT, kRT, kLB, kRB, kCR, W, H);
  TBitmap dest;
  if (stretchedForm)
    ComposeSkinImageStretched(kLT, kRT, kLB, kRB, kCR, g.SizedLeftTopPoint, g.SizedRightTopPoint,
                              g.SizedLeftBottomPoint, g.SizedRightBottomPoint, g.SizedClientRect, dest, source, kSkin,
                              W, H, true, s.Left, s.Top, s.Right, s.Bottom);
  else
    ComposeSkinImage(kLT, kRT, kLB, kRB, kCR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                     g.SizedRightBottomPoint, g.SizedClientRect, dest, source, kSkin, W, H, true);
  return dest;
}

TEST(ComposeSkinImage, AtItsOwnSizeReproducesTheSkinRectangle) {
  const QImage picture = Pattern(60, 50);
  TBitmap dest = Compose(TBitmap(picture), 40, 30, {}, false);
  EXPECT_EQ(dest.Image(), picture.copy(ToQRect(kSkin)));
}

TEST(ComposeSkinImage, TilesEdgesAndMiddleWithTheirPhaseFromTheSizedPoints) {
  const QImage picture = Pattern(60, 50);
  const TBitmap source(picture);
  // Grown by odd amounts, by exact multiples of the edges (22, 18) and of the
  // middle (31, 21), one more than those, and shrunk.
  for (auto [w, h] : {std::pair{57, 41}, {62, 48}, {63, 49}, {71, 51}, {72, 52}, {101, 77}, {33, 27}}) {
    TBitmap dest = Compose(source, w, h, {}, false);
    ExpectComposed(dest.Image(), picture, w, h, {});
  }
}

TEST(ComposeSkinImage, StretchedEdgesAreOneScaledCopyAndCornersStayOneToOne) {
  const QImage picture = Pattern(60, 50);
  const TBitmap source(picture);
  const std::vector<Flags> flagSets = {{true, false, false, false}, {false, true, false, false},
                                       {false, false, true, false}, {false, false, false, true},
                                       {true, true, true, true}};
  for (Flags f : flagSets) {
    TBitmap dest = Compose(source, 62, 48, f, true);
    ExpectComposed(dest.Image(), picture, 62, 48, f);
  }
  TBitmap plain = Compose(source, 62, 48, {}, true);
  ExpectComposed(plain.Image(), picture, 62, 48, {});
}

TEST(ComposeSkinImage, WithoutDrawClientLeavesTheMiddleAlone) {
  const QImage picture = Pattern(60, 50);
  const TbsSizedGeometry g = ComputeSizedGeometry(kSkin, kLT, kRT, kLB, kRB, kCR, 50, 40);
  TBitmap dest;
  ComposeSkinImage(kLT, kRT, kLB, kRB, kCR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                   g.SizedRightBottomPoint, g.SizedClientRect, dest, TBitmap(picture), kSkin, 50, 40, false);
  const QImage& out = dest.Image();
  for (int y = g.SizedClientRect.Top; y < g.SizedClientRect.Bottom; ++y)
    for (int x = g.SizedClientRect.Left; x < g.SizedClientRect.Right; ++x)
      ASSERT_EQ(out.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
  EXPECT_EQ(out.pixel(0, 0), picture.pixel(kSkin.Left, kSkin.Top));
}

TEST(ComposeSkinImage, DegenerateGeometryLeavesTheDestinationSizedAndBlank) {
  const QImage picture = Pattern(60, 50);
  QImage white(30, 20, QImage::Format_RGB32);
  white.fill(Qt::white);
  const TPoint zero{0, 0};
  struct Case {
    const char* Name;
    TPoint LT, RB;
    bool EmptySource;
  };
  for (const Case& c : {Case{"RB.X equals LT.X", {8, 6}, {8, 25}, false}, Case{"RB.Y equals LT.Y", {8, 6}, {31, 6}, false},
                        Case{"empty source", {8, 6}, {31, 25}, true}}) {
    TBitmap dest;
    ComposeSkinImage(c.LT, kRT, kLB, c.RB, kCR, c.LT, kRT, kLB, c.RB, kCR, dest,
                     c.EmptySource ? TBitmap() : TBitmap(picture), kSkin, 30, 20, true);
    EXPECT_EQ(dest.Image(), white) << c.Name;
  }
  // Zero-length edges and a zero-sized client rectangle must not divide by zero.
  TBitmap dest;
  ComposeSkinImage(zero, zero, zero, {1, 1}, {0, 0, 0, 0}, zero, zero, zero, {1, 1}, {0, 0, 0, 0}, dest,
                   TBitmap(picture), kSkin, 25, 15, true);
  EXPECT_EQ(dest.Width(), 25);
  // Smaller than the corners: the sized points cross, nothing may crash.
  TBitmap small = Compose(TBitmap(picture), 3, 2, {}, false);
  EXPECT_EQ(small.Width(), 3);
}

// ---------------------------------------------------------------------------

struct Strips {
  TBitmap Left, Top, Right, Bottom;
};

Strips FrameEdges(const TBitmap& source, int W, int H, Flags f) {
  const TbsSizedGeometry g = ComputeSizedGeometry(kSkin, kLT, kRT, kLB, kRB, kCR, W, H);
  Strips s;
  ComposeFrameEdges(kLT, kRT, kLB, kRB, kCR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                    g.SizedRightBottomPoint, g.SizedClientRect, s.Left, s.Top, s.Right, s.Bottom, source, kSkin, W, H,
                    f.Left, f.Top, f.Right, f.Bottom);
  return s;
}

TEST(ComposeFrameEdges, EdgeTilesStartAtTheStripsLeftEdge) {
  const QImage picture = Pattern(60, 50);
  const int W = 57, H = 41, dw = W - 40, dh = H - 30;
  const Strips s = FrameEdges(TBitmap(picture), W, H, {});
  const auto src = [&](int x, int y) { return picture.pixel(kSkin.Left + x, kSkin.Top + y); };
  ASSERT_EQ(s.Top.Image().size(), QSize(W, kCR.Top));
  ASSERT_EQ(s.Bottom.Image().size(), QSize(W, 30 - kCR.Bottom));
  const int sideH = H - kCR.Top - (30 - kCR.Bottom);
  ASSERT_EQ(s.Left.Image().size(), QSize(kCR.Left, sideH));
  ASSERT_EQ(s.Right.Image().size(), QSize(40 - kCR.Right, sideH));
  for (int y = 0; y < kCR.Top; ++y)
    for (int x = 0; x < W; ++x) {
      // The phase at NLT.X is NLT.X mod 22, not 0 as in the full composition.
      const QRgb want = x < kLT.X ? src(x, y) : x >= kRT.X + dw ? src(x - dw, y) : src(kLT.X + x % 22, y);
      ASSERT_EQ(s.Top.Image().pixel(x, y), want) << x << "," << y;
    }
  for (int y = 0; y < 30 - kCR.Bottom; ++y)
    for (int x = 0; x < W; ++x) {
      const int sy = kCR.Bottom + y;
      const QRgb want = x < kLB.X ? src(x, sy) : x >= kRB.X + dw ? src(x - dw, sy) : src(kLB.X + x % 22, sy);
      ASSERT_EQ(s.Bottom.Image().pixel(x, y), want) << x << "," << y;
    }
  for (int r = 0; r < sideH; ++r) {
    // Strip row r is window row CR.Top + r.
    const int leftSrc = r < kLT.Y - kCR.Top        ? kCR.Top + r
                        : r >= sideH - (kCR.Bottom - kLB.Y) ? kLB.Y + r - (sideH - (kCR.Bottom - kLB.Y))
                                                            : kLT.Y + r % 18;
    const int rightSrc = r < kRT.Y - kCR.Top        ? kCR.Top + r
                         : r >= sideH - (kCR.Bottom - kRB.Y) ? kRB.Y + r - (sideH - (kCR.Bottom - kRB.Y))
                                                             : kRT.Y + r % 18;
    for (int x = 0; x < kCR.Left; ++x) ASSERT_EQ(s.Left.Image().pixel(x, r), src(x, leftSrc)) << x << "," << r;
    for (int x = 0; x < 40 - kCR.Right; ++x)
      ASSERT_EQ(s.Right.Image().pixel(x, r), src(kCR.Right + x, rightSrc)) << x << "," << r;
  }
  (void)dh;
}

TEST(ComposeFrameEdges, StretchedTopIsOneScaledCopyBetweenTheCorners) {
  const QImage picture = Pattern(60, 50);
  const Strips s = FrameEdges(TBitmap(picture), 62, 48, {false, true, false, false});
  for (int y = 0; y < kCR.Top; ++y)
    for (int x = 0; x < 62; ++x) {
      const int sx = x < kLT.X ? x : x >= kRT.X + 22 ? x - 22 : kLT.X + (x - kLT.X) / 2;
      ASSERT_EQ(s.Top.Image().pixel(x, y), picture.pixel(kSkin.Left + sx, kSkin.Top + y)) << x << "," << y;
    }
}

TEST(ComposeFrameEdges, AStripWithNothingToCoverKeepsItsSizeAndContent) {
  const QImage picture = Pattern(60, 50);
  Strips s;
  s.Top.SetSize(3, 3);
  s.Top.Canvas().Brush.Color = clRed;
  s.Top.Canvas().FillRect({0, 0, 3, 3});
  const QImage before = s.Top.Image().copy();
  // A client rectangle reaching the top: no top border at this size.
  ComposeFrameEdges(kLT, kRT, kLB, kRB, {4, 0, 35, 26}, kLT, kRT, kLB, kRB, {4, 0, 35, 26}, s.Left, s.Top, s.Right,
                    s.Bottom, TBitmap(picture), kSkin, 40, 30, false, false, false, false);
  EXPECT_EQ(s.Top.Image(), before);
  EXPECT_EQ(s.Bottom.Height(), 4);
}

// ---------------------------------------------------------------------------

TEST(ComposeHorizontalSkinImage, EndsOneToOneMiddleTiled) {
  const QImage picture = Pattern(30, 12);
  const TRect skin{2, 3, 22, 9};  // 20 x 6; ends 4 and 5, middle 11
  for (int w : {37, 29, 30, 9, 6}) {
    TBitmap dest;
    ComposeHorizontalSkinImage(4, 5, dest, TBitmap(picture), skin, w);
    ASSERT_EQ(dest.Image().size(), QSize(w, 6));
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < w; ++x) {
        const int sx = x >= w - 5 ? 20 - (w - x) : x < 4 ? x : 4 + (x - 4) % 11;
        ASSERT_EQ(dest.Image().pixel(x, y), picture.pixel(2 + sx, 3 + y)) << w << ": " << x << "," << y;
      }
  }
}

TEST(ComposeHorizontalSkinImage, AMiddleOfLengthZeroRepeatsOneColumn) {
  const QImage picture = Pattern(30, 12);
  TBitmap dest;
  ComposeHorizontalSkinImage(8, 12, dest, TBitmap(picture), {2, 3, 22, 9}, 26);
  for (int x = 8; x < 14; ++x) EXPECT_EQ(dest.Image().pixel(x, 2), picture.pixel(2 + 8, 5)) << x;
}

TEST(ComposeVerticalSkinImage, EndsOneToOneMiddleTiledAndAnEmptyMiddleDrawsNothing) {
  const QImage picture = Pattern(12, 30);
  const TRect skin{3, 2, 9, 22};  // 6 x 20; ends 4 and 5, middle 11
  TBitmap dest;
  ComposeVerticalSkinImage(4, 5, dest, TBitmap(picture), skin, 37);
  ASSERT_EQ(dest.Image().size(), QSize(6, 37));
  for (int y = 0; y < 37; ++y) {
    const int sy = y >= 32 ? 20 - (37 - y) : y < 4 ? y : 4 + (y - 4) % 11;
    ASSERT_EQ(dest.Image().pixel(1, y), picture.pixel(4, 2 + sy)) << y;
  }
  TBitmap empty;
  ComposeVerticalSkinImage(8, 12, empty, TBitmap(picture), skin, 30);
  for (int y = 8; y < 18; ++y) EXPECT_EQ(empty.Image().pixel(0, y), qRgb(255, 255, 255)) << y;
}

}  // namespace
