// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <set>
#include <vector>

#include "framework/tbitmap.h"

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(TBitmap& b, TColor color) {
  PixelSet set;
  const QImage& img = b.Image();
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (FromQColor(QColor(img.pixel(x, y))) == color) set.insert({x, y});
  return set;
}

TBitmap White(int w, int h) {
  TBitmap b(w, h);
  b.Canvas().Brush.Color = clWhite;
  b.Canvas().FillRect(Rect(0, 0, w, h));
  return b;
}

TEST(Canvas, LinesLeaveOutTheirEndPoint) {
  TBitmap b = White(12, 12);
  b.Canvas().Pen.Color = clRed;
  b.Canvas().MoveTo(1, 1);
  b.Canvas().LineTo(5, 1);  // horizontal
  b.Canvas().MoveTo(2, 3);
  b.Canvas().LineTo(5, 6);  // diagonal
  b.Canvas().MoveTo(8, 8);
  b.Canvas().LineTo(8, 8);  // zero length draws nothing
  EXPECT_EQ(PixelsOf(b, clRed),
            (PixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {2, 3}, {3, 4}, {4, 5}}));

  TBitmap p = White(6, 6);
  p.Canvas().Pen.Color = clBlue;
  p.Canvas().Polyline({{0, 0}, {2, 0}, {2, 2}});  // corners once, last point left out
  EXPECT_EQ(PixelsOf(p, clBlue), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {2, 1}}));
}

TEST(Canvas, RectanglesLeaveOutRightAndBottom) {
  TBitmap b = White(6, 6);
  b.Canvas().Pen.Color = clRed;
  b.Canvas().Brush.Style = bsClear;
  b.Canvas().Rectangle(Rect(1, 1, 4, 4));
  EXPECT_EQ(PixelsOf(b, clRed),
            (PixelSet{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}));
  b.Canvas().Brush.Style = bsSolid;
  b.Canvas().Brush.Color = clBlue;
  b.Canvas().FillRect(Rect(4, 4, 6, 5));
  EXPECT_EQ(PixelsOf(b, clBlue), (PixelSet{{4, 4}, {5, 4}}));
}

TEST(Canvas, CopyRectScalesToNearestPixels) {
  TBitmap src = White(2, 1);
  src.Canvas().SetPixel(0, 0, clRed);
  src.Canvas().SetPixel(1, 0, clBlue);
  TBitmap dst = White(4, 2);
  dst.Canvas().CopyRect(Rect(0, 0, 4, 2), src.Canvas(), Rect(0, 0, 2, 1));
  EXPECT_EQ(PixelsOf(dst, clRed), (PixelSet{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
  EXPECT_EQ(PixelsOf(dst, clBlue), (PixelSet{{2, 0}, {3, 0}, {2, 1}, {3, 1}}));
}

TEST(Canvas, TransparentDrawKeysOnTheBottomLeftPixel) {
  TBitmap glyph = White(3, 2);
  glyph.Canvas().SetPixel(0, 1, clLime);  // bottom-left: the transparent colour
  glyph.Canvas().SetPixel(2, 0, clLime);
  glyph.Canvas().SetPixel(1, 0, clRed);
  glyph.Transparent = true;
  TBitmap dst(3, 2);
  dst.Canvas().Brush.Color = clBlue;
  dst.Canvas().FillRect(Rect(0, 0, 3, 2));
  dst.Canvas().Draw(0, 0, glyph);
  EXPECT_EQ(PixelsOf(dst, clBlue), (PixelSet{{0, 1}, {2, 0}}));
  EXPECT_EQ(PixelsOf(dst, clRed), (PixelSet{{1, 0}}));
}

// A picture drawn through a clip of many rectangles: a region with a hole
// cut by the painter, and the widget's own paint region with an opaque
// child cut out, seen from a parent that is not at the window's corner.
QRgb Gradient(int x, int y) { return qRgb(x * 5 % 256, y * 7 % 256, (x + y) % 256); }

TBitmap GradientBitmap(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Canvas().SetPixel(x, y, FromQColor(QColor(Gradient(x, y))));
  return b;
}

TEST(Canvas, APictureDrawnThroughAClipOfManyRectanglesLandsExactlyInIt) {
  const TBitmap picture = GradientBitmap(40, 30);
  QImage target(50, 40, QImage::Format_RGB32);
  target.fill(Qt::black);
  QPainter painter(&target);
  painter.translate(3, 2);
  painter.setClipRegion(QRegion(0, 0, 40, 30) - QRegion(10, 8, 12, 9));
  TCanvas(&painter).Draw(1, 1, picture);
  painter.end();
  for (int y = 0; y < target.height(); ++y)
    for (int x = 0; x < target.width(); ++x) {
      const int lx = x - 3, ly = y - 2;  // painter coordinates
      const bool clipped = lx >= 0 && ly >= 0 && lx < 40 && ly < 30 && !(lx >= 10 && ly >= 8 && lx < 22 && ly < 17);
      const bool covered = clipped && lx >= 1 && ly >= 1 && lx < 41 && ly < 31;
      ASSERT_EQ(target.pixel(x, y), covered ? Gradient(lx - 1, ly - 1) : qRgb(0, 0, 0)) << x << "," << y;
    }
}

class TPictureWidget : public QWidget {
 public:
  using QWidget::QWidget;
  TBitmap Picture;
  int ClipRectangles = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    ClipRectangles = painter.paintEngine()->systemClip().rectCount();
    TCanvas(&painter).Draw(0, 0, Picture);
  }
};

class TSolidWidget : public QWidget {
 public:
  explicit TSolidWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

TEST(Canvas, AWidgetsPictureAroundAnOpaqueChildIsWhereTheWidgetIs) {
  QWidget window;
  window.resize(70, 60);
  auto* parent = new TPictureWidget(&window);
  parent->setAttribute(Qt::WA_OpaquePaintEvent);
  parent->setGeometry(7, 5, 40, 30);
  parent->Picture = GradientBitmap(40, 30);
  auto* child = new TSolidWidget(parent);
  child->setGeometry(10, 8, 12, 9);
  // Shown, so the paint goes through the window's buffer as on screen.
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTRY_VERIFY(parent->ClipRectangles > 1);
  const QImage shot = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inChild = x >= 10 && y >= 8 && x < 22 && y < 17;
      ASSERT_EQ(shot.pixel(7 + x, 5 + y), inChild ? qRgb(255, 0, 0) : Gradient(x, y)) << x << "," << y;
    }
}

// Paint buffers take one block of memory in turn.
TEST(PaintBitmap, ComesWhiteInTheMemoryAnEarlierPaintLeftDirty) {
  const uchar* earlier = nullptr;
  {
    TBitmap paint(40, 30, TBitmap::ForPaint);
    paint.Canvas().Brush.Color = clRed;
    paint.Canvas().FillRect(Rect(0, 0, 40, 30));
    earlier = paint.Image().constBits();
  }
  TBitmap next(30, 40, TBitmap::ForPaint);
  EXPECT_EQ(next.Image().constBits(), earlier);
  EXPECT_EQ(PixelsOf(next, clWhite).size(), std::size_t(30 * 40));
  // A copy owns its pixels, as a copy of any bitmap does.
  TBitmap copy(next);
  EXPECT_NE(copy.Image().constBits(), next.Image().constBits());
}

TEST(PaintBitmap, APictureKeptAfterItsPaintKeepsItsPixels) {
  QImage kept;
  {
    TBitmap paint(20, 20, TBitmap::ForPaint);
    paint.Canvas().Brush.Color = clBlue;
    paint.Canvas().FillRect(Rect(0, 0, 20, 20));
    kept = paint.Image();  // shares the lent memory
  }
  TBitmap next(20, 20, TBitmap::ForPaint);
  next.Canvas().Brush.Color = clRed;
  next.Canvas().FillRect(Rect(0, 0, 20, 20));
  EXPECT_NE(next.Image().constBits(), kept.constBits());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(kept.pixel(x, y), QColor(Qt::blue).rgb()) << x << "," << y;
}

TEST(PaintBitmap, TheMemoryGoesBackToTheSystemOnceTheUpdateIsOver) {
  void* block = nullptr;
  {
    TBitmap paint(64, 64, TBitmap::ForPaint);
    block = const_cast<uchar*>(paint.Image().constBits());
  }
  unsigned char resident = 0;
  EXPECT_EQ(mincore(block, 4096, &resident), 0) << "kept for the next paint of the update";
  QCoreApplication::sendPostedEvents();
  errno = 0;
  EXPECT_EQ(mincore(block, 4096, &resident), -1);
  EXPECT_EQ(errno, ENOMEM) << "no longer mapped";
}

TEST(PaintBitmap, PreparedMemoryIsPresentBeforeThePaintThatTakesIt) {
  QCoreApplication::sendPostedEvents();  // no block kept from an earlier test
  const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
  TBitmap::PreparePaintMemory(8 * page);
  const uchar* block = nullptr;
  {
    TBitmap first(1, 1, TBitmap::ForPaint);  // touches its first page only
    block = first.Image().constBits();
    std::vector<unsigned char> resident(8);
    ASSERT_EQ(mincore(const_cast<uchar*>(block), 8 * page, resident.data()), 0);
    for (std::size_t i = 0; i < resident.size(); ++i) EXPECT_TRUE(resident[i] & 1) << "page " << i;
  }
  TBitmap::PreparePaintMemory(8 * page);  // the block kept for the update stays
  TBitmap next(16, 16, TBitmap::ForPaint);
  EXPECT_EQ(next.Image().constBits(), block);
}

TEST(Colors, SystemColoursHaveFixedValues) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGBColor(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clHighlight), RGBColor(10, 36, 106));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGBColor(255, 255, 225));
  EXPECT_EQ(ColorToRGB(8421504), RGBColor(128, 128, 128));  // plain colours pass through
  EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
}

}  // namespace

namespace {
TEST(Fonts, LayoutFacesResolveToInstalledFamiliesAndCoverChinese) {
  const QFont arial = TFont("Arial", 14).ToQFont();
  EXPECT_EQ(QFontInfo(arial).family(), "Liberation Sans");
  EXPECT_EQ(arial.pixelSize(), 14);
  EXPECT_EQ(TFont("MS Sans Serif", -11).ToQFont().pixelSize(), 11);
  // Chinese text falls back to the font configuration's Chinese font (the
  // tests' own picks WenQuanYi Micro Hei), which has the captions' glyphs.
  ASSERT_EQ(arial.families().join(", ").toStdString(), "Liberation Sans, WenQuanYi Micro Hei");
  const QFontMetrics chinese(QFont(arial.families()[1]));
  for (const QChar c : QString::fromUtf8("批量修改文件名查找前缀命名范围当前目录："))
    EXPECT_TRUE(chinese.inFontUcs4(c.unicode())) << int(c.unicode());
}
}  // namespace
