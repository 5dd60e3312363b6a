// SPDX-License-Identifier: GPL-3.0-or-later
// Window regions from mask pictures.

#include <gtest/gtest.h>

#include <cstring>

#include "drawtesthelpers.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"

namespace {

QImage Filled(int w, int h, QRgb c) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(c);
  return image;
}

// Inside = exactly the black pixels, checked pixel by pixel.
void ExpectRegionIsBlackPixels(const QRegion& region, const QImage& mask, int dx, int dy) {
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      ASSERT_EQ(region.contains(QPoint(x + dx, y + dy)), (mask.pixel(x, y) & 0xFFFFFF) == 0) << x << "," << y;
}

TEST(MaskToRegionData, WritesTheHeaderAndOneRectanglePerRunInScanOrder) {
  QImage mask = Filled(6, 2, qRgb(255, 255, 255));
  for (int x : {1, 2, 4}) mask.setPixel(x, 0, qRgb(0, 0, 0));
  mask.setPixel(5, 1, qRgb(0, 0, 0));
  const std::vector<uint8_t> block = MaskToRegionData(mask, 10, 20);
  ASSERT_EQ(block.size(), 32u + 3 * 16u);
  int32_t words[8 + 12];
  std::memcpy(words, block.data(), block.size());
  const int32_t expected[] = {32, 1, 3, 0, 10, 20, 16, 22,   // header: bounds = offset + picture size
                              11, 20, 13, 21, 14, 20, 15, 21, 15, 21, 16, 22};
  for (int i = 0; i < 20; ++i) EXPECT_EQ(words[i], expected[i]) << "word " << i;
}

TEST(MaskToRegionData, EmptyPictureGivesNoBlock) {
  EXPECT_TRUE(MaskToRegionData(QImage(), 0, 0).empty());
  EXPECT_FALSE(RegionFromMask(TBitmap()).has_value());
}

TEST(MaskToRegionData, AllBlackGivesOneRectanglePerRowAllWhiteNone) {
  const QImage black = Filled(7, 5, qRgb(0, 0, 0));
  EXPECT_EQ(RegionDataHeader(MaskToRegionData(black, 0, 0)).Count, 5u);
  const std::optional<QRegion> full = RegionFromMask(TBitmap(black));
  ASSERT_TRUE(full.has_value());
  EXPECT_TRUE((*full ^ QRegion(0, 0, 7, 5)).isEmpty());

  const QImage white = Filled(7, 5, qRgb(255, 255, 255));
  EXPECT_EQ(RegionDataHeader(MaskToRegionData(white, 0, 0)).Count, 0u);
  const std::optional<QRegion> none = RegionFromMask(TBitmap(white));
  ASSERT_TRUE(none.has_value());  // a region, but an empty one: that part is invisible
  EXPECT_TRUE(none->isEmpty());
}

TEST(MaskToRegionData, OnlyPureBlackIsInside) {
  QImage mask = Filled(4, 1, qRgb(0, 0, 0));
  mask.setPixel(1, 0, qRgb(0, 0, 1));
  mask.setPixel(2, 0, qRgb(1, 0, 0));
  const std::optional<QRegion> region = RegionFromMask(TBitmap(mask));
  ASSERT_TRUE(region.has_value());
  ExpectRegionIsBlackPixels(*region, mask, 0, 0);
}

TEST(MaskToRegionData, RunListGrowsPastTenThousandRectangles) {
  QImage mask = Filled(240, 100, qRgb(255, 255, 255));
  for (int y = 0; y < 100; ++y)
    for (int x = y % 2; x < 240; x += 2) mask.setPixel(x, y, qRgb(0, 0, 0));
  const std::vector<uint8_t> block = MaskToRegionData(mask, 0, 0);
  EXPECT_EQ(RegionDataHeader(block).Count, 12000u);
  EXPECT_EQ(block.size(), 32u + 12000u * 16u);
  ExpectRegionIsBlackPixels(RegionFromData(block), mask, 0, 0);
}

TEST(MaskToRegionData, ShapedMaskBecomesExactlyItsBlackPixels) {
  const QImage mask = drawtest::Random(53, 31, 5).convertToFormat(QImage::Format_Mono).convertToFormat(QImage::Format_RGB32);
  const QRegion region = RegionFromData(MaskToRegionData(mask, 3, 4));
  ExpectRegionIsBlackPixels(region, mask, 3, 4);
  // It combines with other regions like any region.
  const QRegion joined = region | QRegion(0, 0, 3, 3);
  EXPECT_TRUE(joined.contains(QPoint(1, 1)));
}

// ---------------------------------------------------------------------------
// A 20 x 16 frame mask: black except a cut top-left corner (3 x 2 white) and
// a white notch in the middle of the top edge; CR = (3, 4, 17, 12).

const TPoint kLT{5, 6}, kRT{15, 6}, kLB{5, 10}, kRB{15, 10};
const TRect kCR{3, 4, 17, 12};

QImage FrameMask() {
  QImage mask = Filled(20, 16, qRgb(0, 0, 0));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) mask.setPixel(x, y, qRgb(255, 255, 255));
  mask.setPixel(9, 0, qRgb(255, 255, 255));
  return mask;
}

std::optional<QRegion> Region(const QImage& mask, int w, int h) {
  const TbsSizedGeometry g = ComputeSizedGeometry({0, 0, 20, 16}, kLT, kRT, kLB, kRB, kCR, w, h);
  return BuildSkinRegion(kLT, kRT, kLB, kRB, kCR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                         g.SizedRightBottomPoint, g.SizedClientRect, TBitmap(mask), w, h);
}

TEST(BuildSkinRegion, AtItsOwnSizeIsTheMask) {
  const std::optional<QRegion> region = Region(FrameMask(), 20, 16);
  ASSERT_TRUE(region.has_value());
  ExpectRegionIsBlackPixels(*region, FrameMask(), 0, 0);
}

TEST(BuildSkinRegion, GrownTheTopBandTilesFromTheSizedPointAndCornersStay) {
  const int w = 35, h = 22;  // the top band (5 .. 15, notch at 9) repeats every 10 from x = 5
  const std::optional<QRegion> region = Region(FrameMask(), w, h);
  ASSERT_TRUE(region.has_value());
  for (int x = 0; x < w; ++x) {
    const bool notch = x >= 5 && x < 30 && (x - 5) % 10 == 4;
    EXPECT_EQ(region->contains(QPoint(x, 0)), x >= 3 && !notch) << x;
  }
  EXPECT_FALSE(region->contains(QPoint(2, 1)));
  EXPECT_TRUE(region->contains(QPoint(34, 21)));
  EXPECT_TRUE(region->contains(QPoint(20, 10)));  // client area
  EXPECT_FALSE(region->contains(QPoint(35, 10)));
}

TEST(BuildSkinRegion, NoneWhenTooSmallWhenTheClientIsEmptyOrWithoutMask) {
  EXPECT_FALSE(Region(FrameMask(), 9, 16).has_value());  // NRT.X < NLT.X
  EXPECT_FALSE(Region(FrameMask(), 20, 11).has_value());  // NLB.Y < NLT.Y
  EXPECT_FALSE(Region(QImage(), 30, 20).has_value());
  EXPECT_FALSE(BuildSkinRegion(kLT, kRT, kLB, kRB, kCR, kLT, kRT, kLB, kRB, {3, 4, 3, 12}, TBitmap(FrameMask()), 20, 16)
                   .has_value());
}

TEST(ComposeMaskStrips, SideStripsCoverOnlyTheClientRows) {
  TBitmap left, top, right, bottom;
  const TbsSizedGeometry g = ComputeSizedGeometry({0, 0, 20, 16}, kLT, kRT, kLB, kRB, kCR, 30, 25);
  ComposeMaskStrips(kLT, kRT, kLB, kRB, kCR, g.SizedLeftTopPoint, g.SizedRightTopPoint, g.SizedLeftBottomPoint,
                    g.SizedRightBottomPoint, g.SizedClientRect, TBitmap(FrameMask()), 30, left, top, right, bottom);
  EXPECT_EQ(left.Image().size(), QSize(3, 17));
  EXPECT_EQ(right.Image().size(), QSize(3, 17));
  EXPECT_EQ(top.Image().size(), QSize(30, 4));
  EXPECT_EQ(bottom.Image().size(), QSize(30, 4));
}

}  // namespace
