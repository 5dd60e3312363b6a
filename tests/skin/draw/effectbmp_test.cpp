// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel buffers and one-picture effects.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>

#include "drawtesthelpers.h"
#include "skin/draw/pixelkernels.h"
#include "skin/draw/tbseffectbmp.h"
#include "skin/draw/tbsfbitmap.h"

using drawtest::Pattern;
using drawtest::Random;

namespace {

struct RowSizeCase {
  int Width;
  int RowSize;
};

class RowSizeTest : public testing::TestWithParam<RowSizeCase> {};

TEST_P(RowSizeTest, RowsArePaddedToFourBytes) {
  const RowSizeCase c = GetParam();
  TbsEffectBmp bmp(c.Width, 3);
  EXPECT_EQ(bmp.RowSize(), c.RowSize);
  EXPECT_EQ(bmp.Size(), c.RowSize * 3);
  TbsFBitmap fast(Pattern(c.Width, 3));
  EXPECT_EQ(fast.RowSize(), c.RowSize);
  EXPECT_EQ(fast.RowPointers()[2], fast.Bits() + 2 * c.RowSize);
}

INSTANTIATE_TEST_SUITE_P(Widths, RowSizeTest,
                         testing::Values(RowSizeCase{1, 4}, RowSizeCase{2, 8}, RowSizeCase{3, 12}, RowSizeCase{4, 12},
                                         RowSizeCase{5, 16}, RowSizeCase{1920, 5760}));

TEST(PixelBuffer, StoresBlueGreenRedTopRowFirst) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(1, 0, qRgb(10, 20, 30));
  image.setPixel(2, 1, qRgb(200, 100, 50));
  TbsFBitmap fast(image);
  const uint8_t* p = fast.Bits() + 3;
  EXPECT_EQ(p[0], 30);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 10);
  TbsEffectBmp bmp(image);
  EXPECT_EQ(bmp.Pixel(2, 1), (TbsPixel{50, 100, 200}));
  EXPECT_EQ(bmp.ScanLine(1)[6], 50);
}

TEST(PixelBuffer, RoundTripsEveryPixelOfOddWidths) {
  for (int w : {1, 2, 3, 5, 7, 13, 67}) {
    const QImage image = Random(w, 5, uint32_t(w));
    EXPECT_EQ(TbsEffectBmp(image).ToImage(), image) << w;
    EXPECT_EQ(TbsFBitmap(image).ToImage(), image) << w;
  }
}

TEST(PixelBuffer, DrawsOneToOneAtAnOffsetAndHonoursTheClip) {
  const QImage image = Random(5, 4, 7);
  TbsEffectBmp bmp(image);
  TBitmap dest(12, 10);
  dest.Canvas().SetClipRect({0, 0, 12, 5});
  bmp.Draw(dest, 3, 2);
  const QImage& out = dest.Image();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 3 && x < 8 && y >= 2 && y < 5;
      EXPECT_EQ(out.pixel(x, y), inside ? image.pixel(x - 3, y - 2) : qRgb(255, 255, 255)) << x << "," << y;
    }
}

TEST(PixelBuffer, CopyFlippedTurnsRowsUpsideDown) {
  const QImage image = Random(6, 5, 3);
  TbsEffectBmp bmp(image), flipped(6, 5), wrongSize(6, 4);
  bmp.CopyFlipped(flipped);
  EXPECT_EQ(flipped.ToImage(), image.mirrored(false, true));
  bmp.CopyFlipped(wrongSize);
  EXPECT_EQ(wrongSize.ToImage(), TbsEffectBmp(6, 4).ToImage());
}

TEST(PixelBuffer, RowAccessCopiesOutAndBack) {
  TbsEffectBmp bmp(Random(5, 3, 9));
  std::vector<uint8_t> row(15);
  bmp.GetRow(2, row.data());
  EXPECT_EQ(std::memcmp(row.data(), bmp.ScanLine(2), 15), 0);
  bmp.SetRow(0, row.data());
  EXPECT_EQ(bmp.Pixel(4, 0), bmp.Pixel(4, 2));
}

// ---------------------------------------------------------------------------
// Effects against their formulas, evaluated here channel by channel.

int Clamp(double v) { return int(std::clamp(v, 0.0, 255.0)); }

using ChannelFormula = std::function<int(int)>;

void ExpectEveryChannel(const QImage& before, const TbsEffectBmp& after, const ChannelFormula& f) {
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) {
      const QRgb p = before.pixel(x, y);
      const TbsPixel q = after.Pixel(x, y);
      ASSERT_EQ(q.R, f(qRed(p))) << x << "," << y;
      ASSERT_EQ(q.G, f(qGreen(p))) << x << "," << y;
      ASSERT_EQ(q.B, f(qBlue(p))) << x << "," << y;
    }
}

TEST(Effects, BrightnessHalfTurnsBlackToTheEvenMiddleAndKeepsWhite) {
  QImage image(2, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(0, 0, 0));
  image.setPixel(1, 0, qRgb(255, 255, 255));
  TbsEffectBmp bmp(image);
  bmp.Brightness(0.5);
  EXPECT_EQ(bmp.Pixel(0, 0), (TbsPixel{128, 128, 128}));
  EXPECT_EQ(bmp.Pixel(1, 0), (TbsPixel{255, 255, 255}));
}

TEST(Effects, GrayOfPureRedIs76) {
  QImage image(1, 1, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(255, 0, 0));
  TbsEffectBmp bmp(image);
  bmp.GrayScale();
  EXPECT_EQ(bmp.Pixel(0, 0), (TbsPixel{76, 76, 76}));
}

TEST(Effects, BrightnessDarknessAndInvertFollowTheirFormulas) {
  const QImage image = Random(67, 9, 1);
  for (double k : {0.0, 0.3, 0.5, 0.77, 1.0, 1.5, -0.5}) {
    const double kc = std::clamp(k, 0.0, 1.0);
    TbsEffectBmp bright(image), dark(image);
    bright.Brightness(k);
    dark.Darkness(k);
    ExpectEveryChannel(image, bright, [&](int c) { return Clamp(std::nearbyint((1 - kc) * c + kc * 255)); });
    ExpectEveryChannel(image, dark, [&](int c) { return Clamp(std::nearbyint((1 - kc) * c)); });
  }
  TbsEffectBmp inverted(image);
  inverted.Invert();
  ExpectEveryChannel(image, inverted, [](int c) { return 255 - c; });
}

TEST(Effects, GrayScaleFollowsItsFormulaForEveryPixel) {
  const QImage image = Random(131, 17, 2);
  TbsEffectBmp bmp(image);
  bmp.GrayScale();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      const int g = Clamp(std::nearbyint(0.3 * qRed(p) + 0.59 * qGreen(p) + 0.11 * qBlue(p)));
      ASSERT_EQ(bmp.Pixel(x, y), (TbsPixel{uint8_t(g), uint8_t(g), uint8_t(g)})) << x << "," << y;
    }
}

TEST(Effects, EffectsLeaveRowPaddingZero) {
  TbsEffectBmp bmp(Random(5, 3, 4));
  bmp.Brightness(0.5);
  bmp.Invert();
  for (int y = 0; y < 3; ++y) EXPECT_EQ(bmp.ScanLine(y)[15], 0);
}

TEST(Effects, NoiseMovesAllThreeChannelsOfAPixelByOneValueInRange) {
  QImage image(300, 20, QImage::Format_RGB32);
  image.fill(qRgb(128, 100, 90));
  TbsEffectBmp bmp(image);
  bmp.Noise(50);
  std::set<int> seen;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 300; ++x) {
      const TbsPixel p = bmp.Pixel(x, y);
      const int v = p.R - 128;
      ASSERT_EQ(p.G - 100, v);
      ASSERT_EQ(p.B - 90, v);
      ASSERT_GE(v, -25);
      ASSERT_LE(v, 24);
      seen.insert(v);
    }
  EXPECT_EQ(seen.size(), 50u);  // every value of the range occurs
}

TEST(Effects, NoiseIsReproducibleBySeedAndClampsAtTheEnds) {
  const QImage image = Random(64, 8, 5);
  TbsEffectBmp a(image), b(image), c(image);
  a.Noise(50, 1);
  b.Noise(50, 1);
  c.Noise(50, 2);
  EXPECT_EQ(a.ToImage(), b.ToImage());
  EXPECT_NE(a.ToImage(), c.ToImage());
  QImage white(16, 1, QImage::Format_RGB32);
  white.fill(Qt::white);
  TbsEffectBmp w(white);
  w.Noise(1000);
  for (int x = 0; x < 16; ++x) EXPECT_LE(w.Pixel(x, 0).R, 255);
  TbsEffectBmp same(image);
  same.Noise(1);
  EXPECT_EQ(same.ToImage(), image);
}

// In place, from the top: rows above are read already blurred, the current
// row as it was; indexes near the far edges mirror, kept inside the picture.
QImage SplitBlurReference(const QImage& image, int a) {
  QImage img = image.copy();
  const int w = img.width(), h = img.height();
  for (int y = 0; y < h; ++y) {
    QImage before = img.copy();
    for (int x = 0; x < w; ++x) {
      const int y1 = y - a < 0 ? y : y - a;
      const int y2 = std::min(y + a >= h ? h - y : y + a, h - 1);
      const int x1 = x - a < 0 ? x : x - a;
      const int x2 = std::min(x + a >= w ? w - x : x + a, w - 1);
      const QRgb p[4] = {before.pixel(x1, y1), before.pixel(x1, y2), before.pixel(x2, y1), before.pixel(x2, y2)};
      const int r = (qRed(p[0]) + qRed(p[1]) + qRed(p[2]) + qRed(p[3])) >> 2;
      const int g = (qGreen(p[0]) + qGreen(p[1]) + qGreen(p[2]) + qGreen(p[3])) >> 2;
      const int b = (qBlue(p[0]) + qBlue(p[1]) + qBlue(p[2]) + qBlue(p[3])) >> 2;
      img.setPixel(x, y, qRgb(r, g, b));
    }
  }
  return img;
}

TEST(Effects, SplitBlurAveragesFourDiagonalNeighboursInPlace) {
  for (int a : {1, 2, 5}) {
    const QImage image = Random(77, 13, uint32_t(10 + a));
    TbsEffectBmp bmp(image);
    bmp.SplitBlur(a);
    EXPECT_EQ(bmp.ToImage(), SplitBlurReference(image, a)) << a;
  }
  TbsEffectBmp untouched(Random(9, 9, 3));
  const QImage before = untouched.ToImage();
  untouched.SplitBlur(0);
  EXPECT_EQ(untouched.ToImage(), before);
}

TEST(Effects, SplitBlurOnPicturesNoLargerThanItsAmountStaysInside) {
  for (auto [w, h, a] : {std::tuple{1, 1, 1}, {2, 1, 3}, {1, 4, 4}, {3, 3, 9}}) {
    const QImage image = Random(w, h, 11);
    TbsEffectBmp bmp(image);
    bmp.SplitBlur(a);
    EXPECT_EQ(bmp.ToImage(), SplitBlurReference(image, a)) << w << "x" << h << " a=" << a;
  }
}

// ---------------------------------------------------------------------------
// The vector paths give the same bytes as the scalar ones, tails included.

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = uint8_t(gen());
  return v;
}

TEST(Kernels, VectorPathsMatchScalarForms) {
  for (size_t n : {size_t(1), size_t(31), size_t(32), size_t(95), size_t(5760 + 7)}) {
    const std::vector<uint8_t> a = RandomBytes(n, 1), b = RandomBytes(n, 2);
    std::vector<uint8_t> table(256);
    for (int i = 0; i < 256; ++i) table[size_t(i)] = uint8_t((i * 37 + 11) ^ 0x5A);
    auto fast = a, slow = a;
    bspixels::ApplyByteTable(fast.data(), n, table.data());
    bspixels::ApplyByteTableScalar(slow.data(), n, table.data());
    EXPECT_EQ(fast, slow) << n;
    for (double k : {0.0, 0.2, 0.4, 0.5, 0.6000000000000001, 0.8, 1.0, 0.123456789}) {
      fast = a;
      slow = a;
      bspixels::BlendBytes(fast.data(), b.data(), n, k);
      bspixels::BlendBytesScalar(slow.data(), b.data(), n, k);
      EXPECT_EQ(fast, slow) << n << " k=" << k;
    }
    std::vector<uint8_t> avgFast(n), avgSlow(n);
    const auto c = RandomBytes(n, 3), d = RandomBytes(n, 4);
    bspixels::Average4(avgFast.data(), a.data(), b.data(), c.data(), d.data(), n);
    bspixels::Average4Scalar(avgSlow.data(), a.data(), b.data(), c.data(), d.data(), n);
    EXPECT_EQ(avgFast, avgSlow) << n;
  }
  for (int w : {1, 5, 6, 8, 9, 33, 1920}) {
    const auto row = RandomBytes(size_t(w) * 3, uint32_t(w));
    auto fast = row, slow = row;
    bspixels::GrayRow(fast.data(), w);
    bspixels::GrayRowScalar(slow.data(), w);
    EXPECT_EQ(fast, slow) << w;
    for (int amount : {2, 50, 513, 100000}) {
      fast = row;
      slow = row;
      bspixels::NoiseRow(fast.data(), w, amount, 77, 1000);
      bspixels::NoiseRowScalar(slow.data(), w, amount, 77, 1000);
      EXPECT_EQ(fast, slow) << w << " amount=" << amount;
    }
  }
}

TEST(Kernels, BlackPixelBitsMatchScalarAndClearStaleBits) {
  for (int w : {1, 10, 11, 19, 64, 65, 130, 1920}) {
    std::vector<uint8_t> row = RandomBytes(size_t(w) * 3 + 8, uint32_t(w));
    for (int x = 0; x < w; x += 3) std::memset(row.data() + 3 * x, 0, size_t(3 * std::min(2, w - x)));
    row[3 * (w / 2) + 1] = 0;
    std::vector<uint64_t> fast(size_t((w + 63) / 64), ~uint64_t(0)), slow(fast.size(), 0);
    bspixels::BlackPixelBits(row.data(), w, fast.data());
    bspixels::BlackPixelBitsScalar(row.data(), w, slow.data());
    EXPECT_EQ(fast, slow) << w;
  }
}

TEST(Kernels, GrayScaleMatchesItsFormulaOnEveryTieOfTheWeights) {
  // 0.3 R + 0.59 G + 0.11 B lands on .5 for many triples; those are where an
  // integer shortcut would go wrong.
  std::vector<uint8_t> row;
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 3)
      for (int b = 0; b < 256; ++b)
        if ((30 * r + 59 * g + 11 * b) % 100 == 50) row.insert(row.end(), {uint8_t(b), uint8_t(g), uint8_t(r)});
  auto fast = row, slow = row;
  const int w = int(row.size() / 3);
  bspixels::GrayRow(fast.data(), w);
  bspixels::GrayRowScalar(slow.data(), w);
  EXPECT_EQ(fast, slow);
}

}  // namespace
