// SPDX-License-Identifier: GPL-3.0-or-later
// Glyphs, text fitting and window helpers. Each glyph is drawn on white at
// (2, 3) and its set of painted pixels compared with the set its lines and
// boxes cover (lines without the end point, boxes without right and bottom).

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <functional>

#include "drawtesthelpers.h"
#include "realx.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinwindow.h"

namespace {

using drawtest::PixelSet;

PixelSet HLine(int x0, int x1, int y) {  // x0 .. x1 - 1
  PixelSet s;
  for (int x = x0; x < x1; ++x) s.insert({x, y});
  return s;
}
PixelSet VLine(int x, int y0, int y1) {
  PixelSet s;
  for (int y = y0; y < y1; ++y) s.insert({x, y});
  return s;
}
PixelSet Diagonal(int x0, int y0, int dx, int n) {  // n pixels stepping (dx, 1)
  PixelSet s;
  for (int i = 0; i < n; ++i) s.insert({x0 + dx * i, y0 + i});
  return s;
}
PixelSet BoxOutline(int l, int t, int r, int b) {
  PixelSet s = HLine(l, r, t);
  s.merge(HLine(l, r, b - 1));
  s.merge(VLine(l, t, b));
  s.merge(VLine(r - 1, t, b));
  return s;
}
PixelSet Union(std::initializer_list<PixelSet> sets) {
  PixelSet s;
  for (PixelSet p : sets) s.merge(p);
  return s;
}

struct GlyphCase {
  const char* Name;
  std::function<void(TCanvas&, int, int, TColor)> Draw;
  PixelSet Expected;
};

PixelSet DrawnAt23(const std::function<void(TCanvas&, int, int, TColor)>& draw) {
  TBitmap bmp(20, 20);
  draw(bmp.Canvas(), 2, 3, clNavy);
  return drawtest::Painted(bmp.Image(), qRgb(255, 255, 255), 2, 3);
}

TEST(Glyphs, CaptionGlyphsCoverExactlyTheirLinesAndBoxes) {
  PixelSet rollDown, rollUp;
  for (int i = 0; i <= 4; ++i) {
    rollDown.merge(HLine(5 - i, 5 + i, 6 - i));
    rollUp.merge(HLine(1 + i, 9 - i, 6 - i));
  }
  const std::vector<GlyphCase> cases = {
      {"Close", DrawCloseGlyph,
       Union({Diagonal(1, 1, 1, 8), Diagonal(9, 1, -1, 8), Diagonal(2, 1, 1, 8), Diagonal(8, 1, -1, 8)})},
      {"SysMenu", DrawSysMenuGlyph, BoxOutline(1, 3, 9, 6)},
      {"Minimize", DrawMinimizeGlyph, Union({HLine(1, 9, 8), HLine(1, 9, 9)})},
      {"Maximize", DrawMaximizeGlyph, Union({BoxOutline(0, 0, 11, 10), BoxOutline(0, 0, 11, 2)})},
      {"Restore", DrawRestoreGlyph,
       Union({BoxOutline(2, 0, 10, 6), BoxOutline(2, 0, 10, 2), BoxOutline(0, 4, 7, 10), BoxOutline(0, 4, 7, 6)})},
      {"RollDown", DrawRollDownGlyph, rollDown},
      {"RollUp", DrawRollUpGlyph, rollUp},
      {"Tray", DrawTrayGlyph, Union({HLine(2, 7, 2), HLine(2, 7, 3), HLine(2, 7, 4), HLine(2, 7, 5), HLine(2, 7, 6)})},
  };
  for (const GlyphCase& c : cases) EXPECT_EQ(DrawnAt23(c.Draw), c.Expected) << c.Name;
}

TEST(Glyphs, GlyphsUseTheGivenColourAndBoxesStayHollow) {
  TBitmap bmp(20, 20);
  bmp.Canvas().Brush.Color = clRed;
  DrawMaximizeGlyph(bmp.Canvas(), 2, 3, clBtnShadow);
  EXPECT_EQ(bmp.Image().pixel(2, 3), qRgb(128, 128, 128));
  EXPECT_EQ(bmp.Image().pixel(6, 8), qRgb(255, 255, 255));
  EXPECT_EQ(bmp.Canvas().Brush.Style, bsSolid);
}

TEST(Glyphs, ArrowsAndCheckCoverTheirLines) {
  const TRect r{0, 0, 16, 12};  // centre (8, 6)
  PixelSet left, right, up, down;
  for (int i = 0; i <= 3; ++i) {
    left.merge(VLine(8 - 2 + i, 6 - i, 6 + i + 1));
    up.merge(HLine(8 - i, 8 + i + 1, 6 - 2 + i));
  }
  for (int n = 3; n >= 0; --n) {
    right.merge(VLine(8 + 2 - n, 6 - n, 6 + n + 1));  // drawn from cy + n up to cy - n - 1, excluded
    down.merge(HLine(8 - n, 8 + n + 1, 6 + 2 - n));
  }
  const std::vector<std::pair<int, PixelSet>> arrows = {{akLeft, left}, {akRight, right}, {akUp, up}, {akDown, down}};
  for (const auto& [kind, expected] : arrows) {
    TBitmap bmp(16, 12);
    DrawArrowGlyph(bmp.Canvas(), r, clBlack, kind);
    EXPECT_EQ(drawtest::Painted(bmp.Image(), qRgb(255, 255, 255)), expected) << "kind " << kind;
  }
  PixelSet check;
  for (int i = 0; i <= 2; ++i) {
    check.merge(Diagonal(0, 5 - i, 1, 2));        // (0, 5 - i) .. (2, 7 - i), end left out
    for (int j = 0; j < 5; ++j) check.insert({2 + j, 7 - i - j});  // (2, 7 - i) .. (7, 2 - i), end left out
  }
  EXPECT_EQ(DrawnAt23([](TCanvas& c, int x, int y, TColor col) { DrawCheckGlyph(c, x, y, col); }), check);
}

TEST(Glyphs, GlyphFrameDrawsOneFrameWithTheBottomLeftColourTransparent) {
  QImage strip(64, 8, QImage::Format_RGB32);
  strip.fill(qRgb(255, 0, 255));  // the transparent colour, taken from the bottom-left pixel
  for (int x = 0; x < 64; ++x) strip.setPixel(x, 2, qRgb(0, x, 0));
  TBitmap dest(40, 12);
  DrawGlyphFrame(dest.Canvas(), 5, 1, TBitmap(strip), 4, 1);
  const QImage& out = dest.Image();
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool drawn = y == 3 && x >= 5 && x < 21;
      EXPECT_EQ(out.pixel(x, y), drawn ? qRgb(0, x - 5, 0) : qRgb(255, 255, 255)) << x << "," << y;
    }
  TBitmap untouched(8, 8);
  DrawGlyphFrame(untouched.Canvas(), 0, 0, TBitmap(strip), 0, 1);
  DrawGlyphFrame(untouched.Canvas(), 0, 0, TBitmap(), 4, 1);
  EXPECT_EQ(drawtest::Painted(untouched.Image(), qRgb(255, 255, 255)), PixelSet{});
}

TEST(Text, TruncateKeepsWhatFitsAndEndsInEllipsis) {
  drawtest::EnsureApp();
  TBitmap bmp(10, 10);
  TCanvas& c = bmp.Canvas();
  c.Font = TFont("Arial", -12);
  std::string fits = "Short";
  TruncateTextToWidth(c, fits, c.TextWidth("Short"));
  EXPECT_EQ(fits, "Short");

  std::string longer = "A rather long caption";
  const int max = c.TextWidth("A rather...");
  TruncateTextToWidth(c, longer, max);
  EXPECT_EQ(longer, "A rather...");

  std::string tiny = "Anything";
  TruncateTextToWidth(c, tiny, c.TextWidth("...") - 1);
  EXPECT_EQ(tiny, "...");

  std::string wide = "\xE6\x96\x87\xE4\xBB\xB6\xE5\x90\x8D";  // three CJK characters
  TruncateTextToWidth(c, wide, c.TextWidth("\xE6\x96\x87...") );
  EXPECT_EQ(wide, "\xE6\x96\x87...");  // characters are removed whole
}

TEST(Text, VCenteredTextStaysInsideItsRectangle) {
  drawtest::EnsureApp();
  TBitmap bmp(60, 30);
  TCanvas& c = bmp.Canvas();
  c.Font = TFont("Arial", -12);
  c.Brush.Style = bsClear;
  DrawTextVCentered(c, "WWWWWWWWWWWW", {10, 5, 40, 25});
  const PixelSet painted = drawtest::Painted(bmp.Image(), qRgb(255, 255, 255));
  ASSERT_FALSE(painted.empty());
  for (auto [x, y] : painted) {
    EXPECT_GE(x, 12);  // Left + 2
    EXPECT_LT(x, 40);
    EXPECT_GE(y, 5);
    EXPECT_LT(y, 25);
  }
}

// What the X server and the window manager hold, read back with the X tools,
// never through Qt: a property of the window, the root window's size, a strut.
QString XTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(realx::kPatienceMs)) return {};
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString OpacityProperty(QWidget& window) {
  return XTool("xprop", {"-id", QString::number(window.winId()), "_NET_WM_WINDOW_OPACITY"}).trimmed();
}

TEST(RealXWindow, AlphaReachesTheWindowSystemAsItsOpacityProperty) {
  drawtest::EnsureApp();
  BR_REQUIRE_REAL_X();
  QWidget window;
  window.resize(120, 80);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, realx::kPatienceMs));
  // The property is alpha / 255 of the full 32-bit range (0xFFFFFFFF / 255 = 16843009).
  struct Row { int Alpha; qint64 Expected; } rows[] = {{51, 51 * 16843009LL}, {128, 128 * 16843009LL}, {-5, 0}};
  for (const Row& row : rows) {
    SetWindowAlphaValue(&window, row.Alpha);
    QString expected = QString("_NET_WM_WINDOW_OPACITY(CARDINAL) = %1").arg(row.Expected);
    EXPECT_TRUE(QTest::qWaitFor([&] { return OpacityProperty(window) == expected; }, realx::kPatienceMs))
        << row.Alpha << ": " << OpacityProperty(window).toStdString();
  }
  SetWindowAlphaValue(&window, 300);  // held at opaque: the whole range, or no property at all
  EXPECT_TRUE(QTest::qWaitFor([&] {
    const QString p = OpacityProperty(window);
    return p.endsWith("= 4294967295") || p.contains("not found");
  }, 2000)) << OpacityProperty(window).toStdString();
}

TEST(RealXWindow, TheWorkAreaLeavesOutAPanelsStrutAndTheFullAreaIsTheScreen) {
  drawtest::EnsureApp();
  BR_REQUIRE_REAL_X();
  const QString info = XTool("xdpyinfo", {});
  const QRegularExpressionMatch m = QRegularExpression(R"(dimensions:\s+(\d+)x(\d+) pixels)").match(info);
  ASSERT_TRUE(m.hasMatch()) << "xdpyinfo gave no screen size";
  const int w = m.captured(1).toInt(), h = m.captured(2).toInt();

  // A panel along the top reserves 40 pixels; the window manager takes them
  // out of the work area.
  constexpr int kPanel = 40;
  QWidget panel;
  panel.setGeometry(0, 0, w, kPanel);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel, realx::kPatienceMs));
  XTool("xprop", {"-id", QString::number(panel.winId()), "-f", "_NET_WM_STRUT_PARTIAL", "32c", "-set",
                  "_NET_WM_STRUT_PARTIAL", QString("0, 0, %1, 0, 0, 0, 0, 0, 0, %2, 0, 0").arg(kPanel).arg(w - 1)});
  QWidget window;
  window.setGeometry(100, 200, 150, 100);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, realx::kPatienceMs));

  TRect r;
  EXPECT_TRUE(QTest::qWaitFor([&] { return GetMonitorWorkArea(&window, true, r) && r == TRect{0, kPanel, w, h}; }, realx::kPatienceMs))
      << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
  ASSERT_TRUE(GetMonitorWorkArea(&window, false, r));
  EXPECT_EQ(r, (TRect{0, 0, w, h}));
  ASSERT_TRUE(GetMonitorWorkArea(nullptr, true, r)) << "without a window: the primary screen";
  EXPECT_EQ(r, (TRect{0, kPanel, w, h}));
}

}  // namespace
