// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned hint: window sizes from the skin's hint record, placement at
// the screen's edges, the skinned and default looks, the hint component's
// switches and delayed hints, and the application's hints coming out in the
// skinned window.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "embeddedskin.h"
#include "framework/tapplication.h"
#include "skin/controls/tbsskinhint.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

// A 40 x 20 hint picture, client rectangle 10,5,30,15 and its corners there;
// red text. Picture 1 is a mask of the picture's size, picture 2 one of
// another size.
const QImage kHintPicture = Pattern(40, 20);
QImage MaskPicture(int w, int h) {
  QImage m = Solid(w, h, qRgb(0, 0, 0));
  m.setPixel(0, 0, qRgb(255, 255, 255));  // one corner pixel cut off
  return m;
}

std::string HintSection(int picture, int mask, const std::string& font = "fontname=Arial\r\nfontheight=14\r\n") {
  return "[HINTWINDOW]\r\nwindowpictureindex=" + std::to_string(picture) +
         "\r\nmaskpictureindex=" + std::to_string(mask) +
         "\r\nlefttoppoint=10,5\r\nrighttoppoint=30,5\r\nleftbottompoint=10,15\r\nrightbottompoint=30,15\r\n"
         "clientrect=10,5,30,15\r\n" +
         font + "fontcolor=255\r\n";
}

struct Hint : ::testing::Test {
  void SetUp() override {
    Application()->SetMainForm(&form);
    hint = new TbsSkinHint(&form);
    hint->SetDefaultFont(TFont("Arial", 14));
  }
  void TearDown() override { Application()->SetMainForm(nullptr); }

  // A skin whose only parts are the hint record and the pictures.
  TbsSkinData* HintSkin(const std::string& section, const std::vector<QImage>& pictures) {
    return LoadSkin(&form, section + "[SKINCONTROLS]\r\ncount=0\r\n", pictures);
  }
  TbsSkinHintWindow& Show(const std::string& text, int x = 100, int y = 100) {
    TbsSkinHintWindow& w = *hint->HintWindow();
    w.ShowHintWindow(TRect{x, y, x, y}, text);
    return w;
  }
  // The default look's size for `text` in the same font: text extent + 4.
  QSize DefaultSize(const std::string& text) {
    TbsSkinData* saved = hint->SkinData();
    hint->SetSkinData(nullptr);
    const QSize s = Show(text).size();
    hint->SetSkinData(saved);
    return s;
  }

  TForm form;
  TbsSkinHint* hint = nullptr;
};

TEST_F(Hint, TheEmbeddedSkinSizesTheRenameHintAroundItsText) {
  hint->SetSkinData(LoadEmbeddedSkin(&form));
  const std::string text = "开始修改文件名";
  const QSize plain = DefaultSize(text);  // text width + 4, text height + 4
  TbsSkinHintWindow& w = Show(text);
  ASSERT_NE(w.HintSkinData(), nullptr);
  SaveRender(Grab(w), "hint-embedded");
  // Picture 34 x 15, client 7,2,27,13: width = text + 7 + 34 - 27, height = text + 2 + 15 - 13.
  EXPECT_EQ(w.width(), plain.width() - 4 + 14);
  EXPECT_EQ(w.height(), std::max(15, plain.height() - 4 + 4));
  EXPECT_GE(w.width(), 34);
  const int dw = w.width() - 34, dh = w.height() - 15;
  EXPECT_EQ(w.SizedClientRect, (TRect{7, 2, 27 + dw, 13 + dh}));
  EXPECT_EQ(w.SizedLeftTopPoint, (TPoint{7, 2}));
  EXPECT_EQ(w.SizedRightTopPoint, (TPoint{27 + dw, 2}));
  EXPECT_EQ(w.SizedLeftBottomPoint, (TPoint{7, 13 + dh}));
  EXPECT_EQ(w.SizedRightBottomPoint, (TPoint{27 + dw, 13 + dh}));
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.Caption(), text);
}

TEST_F(Hint, AOneCharacterHintKeepsThePicturesWidthAndThreeLinesAreThreeTimesAsTall) {
  hint->SetSkinData(LoadEmbeddedSkin(&form));
  const QSize one = Show(".").size();
  EXPECT_EQ(one.width(), 34) << "never narrower than the picture";
  EXPECT_GE(one.height(), 15);
  const int lineHeight = DefaultSize("x").height() - 4;
  const QSize three = Show("first line\nsecond\nthird").size();
  // Lines are a line spacing apart, which may add a pixel or so to each.
  EXPECT_GE(three.height() - 4, 3 * lineHeight) << "line breaks are honoured";
  EXPECT_LE(three.height() - 4, 3 * lineHeight + 4);
  EXPECT_EQ(three.width(), DefaultSize("first line\nsecond\nthird").width() + 10) << "the widest line";
}

TEST_F(Hint, AHintAtTheRightOrBottomEdgeMovesByItsSizePlusTwo) {
  hint->SetSkinData(LoadEmbeddedSkin(&form));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  TbsSkinHintWindow& w = Show("开始修改文件名", 100, 100);
  EXPECT_EQ(w.pos(), QPoint(100, 100));
  const int x = screen.right() - 5;
  Show("开始修改文件名", x, 100);
  EXPECT_EQ(w.pos(), QPoint(x - w.width() - 2, 100));
  const int y = screen.bottom() - 5;
  Show("开始修改文件名", 100, y);
  EXPECT_EQ(w.pos(), QPoint(100, y - w.height() - 2));
  Show("开始修改文件名", x, y);
  EXPECT_EQ(w.pos(), QPoint(x - w.width() - 2, y - w.height() - 2));
}

TEST_F(Hint, TheSkinnedLookCopiesTheCornersTilesTheEdgesAndCentresTheText) {
  hint->SetSkinData(HintSkin(HintSection(0, -1), {kHintPicture}));
  TbsSkinHintWindow& w = Show("WWWWWWWW");
  ASSERT_GT(w.width(), 40);
  const QImage shot = Grab(w);
  SaveRender(shot, "hint-pattern");
  const int W = shot.width(), H = shot.height();
  // Corners 1:1.
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 10; ++x) {
      ASSERT_EQ(shot.pixel(x, y), kHintPicture.pixel(x, y));
      ASSERT_EQ(shot.pixel(W - 10 + x, y), kHintPicture.pixel(30 + x, y));
      ASSERT_EQ(shot.pixel(x, H - 5 + y), kHintPicture.pixel(x, 15 + y));
      ASSERT_EQ(shot.pixel(W - 10 + x, H - 5 + y), kHintPicture.pixel(30 + x, 15 + y));
    }
  // The top edge tiled from its left end, in 20-pixel steps.
  for (int x = 10; x < W - 10; ++x)
    for (int y = 0; y < 5; ++y) ASSERT_EQ(shot.pixel(x, y), kHintPicture.pixel(10 + (x - 10) % 20, y)) << x;
  // The text in the record's colour, inside the sized client rectangle only.
  int inkLeft = W, inkRight = -1;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      if (shot.pixel(x, y) == qRgb(255, 0, 0)) {
        EXPECT_TRUE(PtInRect(w.SizedClientRect, TPoint{x, y})) << x << "," << y;
        inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
      }
  ASSERT_LE(inkLeft, inkRight) << "the text is drawn";
  const int leftGap = inkLeft - w.SizedClientRect.Left, rightGap = w.SizedClientRect.Right - 1 - inkRight;
  EXPECT_LE(std::abs(leftGap - rightGap), 3) << "centred";
}

TEST_F(Hint, WithoutSkinTheDefaultLookFramesTheTooltipColours) {
  hint->SetDefaultFont(TFont("Arial", 14, fsUnderline, clRed));  // the colour is the tooltip text's
  TbsSkinHintWindow& w = Show("Default");
  EXPECT_EQ(w.HintSkinData(), nullptr);
  const QImage shot = Grab(w);
  SaveRender(shot, "hint-default");
  const int W = shot.width(), H = shot.height();
  const QRgb shadow = qRgb(128, 128, 128), back = qRgb(255, 255, 225);
  for (int x = 0; x < W; ++x) {
    ASSERT_EQ(shot.pixel(x, 0), shadow);
    ASSERT_EQ(shot.pixel(x, H - 1), shadow);
  }
  for (int y = 0; y < H; ++y) {
    ASSERT_EQ(shot.pixel(0, y), shadow);
    ASSERT_EQ(shot.pixel(W - 1, y), shadow);
  }
  EXPECT_EQ(shot.pixel(1, 1), back);
  int black = 0, red = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) black += shot.pixel(x, y) == qRgb(0, 0, 0), red += shot.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_GT(black, W - 8) << "the underlined text in the tooltip text colour";
  EXPECT_EQ(red, 0);
}

TEST_F(Hint, UseSkinFontOffTakesTheDefaultFontButTheRecordsColour) {
  // The record asks for a large font; the default font is small and underlined.
  hint->SetSkinData(HintSkin(HintSection(0, -1, "fontname=Arial\r\nfontheight=30\r\n"), {kHintPicture}));
  const int skinFontHeight = Show("Text").height();
  hint->SetDefaultFont(TFont("Arial", 12, fsUnderline, clBlue));
  hint->SetUseSkinFont(false);
  TbsSkinHintWindow& w = Show("Text");
  EXPECT_LT(w.height(), skinFontHeight - 10);
  const QImage shot = Grab(w);
  int red = 0, blue = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      red += shot.pixel(x, y) == qRgb(255, 0, 0), blue += shot.pixel(x, y) == qRgb(0, 0, 255);
  EXPECT_GT(red, 10) << "the underline in the record's colour";
  EXPECT_EQ(blue, 0);
}

TEST_F(Hint, AMissingPictureDrawsTheDefaultLookAndAMaskOfAnotherSizeNoShape) {
  hint->SetSkinData(HintSkin(HintSection(5, -1), {kHintPicture}));
  EXPECT_EQ(Show("No picture").HintSkinData(), nullptr);
  EXPECT_EQ(Grab(*hint->HintWindow()).pixel(0, 0), qRgb(128, 128, 128));

  hint->SetSkinData(HintSkin(HintSection(0, 2), {kHintPicture, MaskPicture(40, 20), MaskPicture(41, 20)}));
  EXPECT_NE(Show("Odd mask").HintSkinData(), nullptr);
  EXPECT_FALSE(hint->HintWindow()->HintRegion().has_value());

  hint->SetSkinData(HintSkin(HintSection(0, 1), {kHintPicture, MaskPicture(40, 20)}));
  TbsSkinHintWindow& w = Show("Masked");
  ASSERT_TRUE(w.HintRegion().has_value());
  EXPECT_FALSE(w.HintRegion()->contains(QPoint(0, 0))) << "the white mask pixel is cut off";
  EXPECT_TRUE(w.HintRegion()->contains(QPoint(1, 0)));
  EXPECT_TRUE(w.HintRegion()->contains(QPoint(w.width() - 1, w.height() - 1)));
}

TEST_F(Hint, AlphaBlendMakesTheWindowTranslucentAndOffMakesItOpaqueAgain) {
  TbsSkinHintWindow& w = Show("opaque");
  EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);
  hint->SetAlphaBlend(true);
  hint->SetAlphaBlendValue(0);  // fully transparent is a value like any other
  Show("clear");
  EXPECT_DOUBLE_EQ(w.windowOpacity(), 0.0);
  hint->SetAlphaBlendValue(102);
  Show("translucent");
  EXPECT_DOUBLE_EQ(w.windowOpacity(), 102 / 255.0);
  hint->SetAlphaBlend(false);
  Show("opaque again");
  EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);
}

TEST_F(Hint, HugeTextsAreMeasuredAndCutAtTheScreen) {
  hint->SetSkinData(LoadEmbeddedSkin(&form));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  TbsSkinHintWindow& w = Show(std::string(10000, 'x'));
  EXPECT_EQ(w.width(), screen.width());
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "line\n";
  Show(lines);
  EXPECT_EQ(w.height(), screen.height());
  EXPECT_FALSE(Grab(w).isNull());
}

TEST_F(Hint, ActivatingASecondHintComponentDeactivatesTheFirst) {
  EXPECT_EQ(FindActiveSkinHint(), hint);
  auto* second = new TbsSkinHint(&form);
  second->SetActive(false);
  second->SetActive(true);
  EXPECT_FALSE(hint->Active());
  EXPECT_EQ(FindActiveSkinHint(), second);

  // Without an active one the skinned window shows nothing.
  second->SetActive(false);
  EXPECT_EQ(FindActiveSkinHint(), nullptr);
  EXPECT_FALSE(Show("nobody").isVisible());
}

TEST_F(Hint, ADelayedHintHiddenBeforeThePauseNeverShows) {
  Application()->SetHintPause(500);
  Application()->SetHintHidePause(2500);
  hint->ShowHintDelayed("later");
  ASSERT_NE(hint->HintTimer(), nullptr);
  EXPECT_EQ(hint->HintTimer()->interval(), 500);
  hint->HideHint();
  EXPECT_EQ(hint->HintTimer(), nullptr);
  QCoreApplication::processEvents();
  EXPECT_FALSE(hint->HintWindow()->isVisible());

  // Waiting, shown, hidden: each tick moves one step.
  hint->ShowHintDelayed("now");
  Tick(hint->HintTimer());
  EXPECT_TRUE(hint->HintWindow()->isVisible());
  EXPECT_EQ(hint->HintWindow()->Caption(), "now");
  ASSERT_NE(hint->HintTimer(), nullptr);
  EXPECT_EQ(hint->HintTimer()->interval(), 2500);
  Tick(hint->HintTimer());
  EXPECT_FALSE(hint->HintWindow()->isVisible());
  EXPECT_EQ(hint->HintTimer(), nullptr);
}

TEST_F(Hint, ShowHintNowOpensBelowThePointerByTheCursorsHeight) {
  QCursor::setPos(200, 150);
  hint->ShowHintDelayed("here");
  Tick(hint->HintTimer());
  EXPECT_EQ(hint->HintWindow()->pos(), QPoint(200, 150 + HintCursorHeight()));
}

// The application's own hint for a control, from hover to the window.
struct AppHint : Hint {
  void SetUp() override {
    Hint::SetUp();
    Application()->SetHintPause(5);
    form.SetShowHint(true);
    form.SetClientSize(200, 100);
    target = new TControl(form.ClientArea());
    target->SetBounds(10, 10, 80, 40);
    target->SetHint("开始修改文件名");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  void TearDown() override {
    Application()->CancelHint();
    Application()->SetHintPause(500);
    Hint::TearDown();
  }
  // Moves the pointer over the control and waits for the hint to show.
  THintWindow* Hover() {
    Application()->CancelHint();
    QTest::mouseMove(target, QPoint(20, 20));
    Mouse(*target, QEvent::MouseMove, QPoint(20, 20), Qt::NoButton);
    for (int i = 0; i < 100; ++i) {
      if (THintWindow* w = Application()->HintWindow(); w && w->isVisible()) return w;
      QTest::qWait(10);
    }
    return Application()->HintWindow();
  }
  TControl* target = nullptr;
};

TEST_F(AppHint, TheApplicationsHintsUseTheSkinnedWindowAndGoBackWhenTheComponentGoes) {
  hint->SetSkinData(LoadEmbeddedSkin(&form));
  EXPECT_EQ(Application()->HintShortPause(), 100);
  THintWindow* w = Hover();
  auto* skinned = dynamic_cast<TbsSkinHintWindow*>(w);
  ASSERT_NE(skinned, nullptr);
  EXPECT_TRUE(skinned->isVisible());
  EXPECT_EQ(skinned->Caption(), "开始修改文件名");
  EXPECT_NE(skinned->HintSkinData(), nullptr);

  delete hint;
  hint = nullptr;
  w = Hover();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(dynamic_cast<TbsSkinHintWindow*>(w), nullptr) << "the framework's own window, not one that shows nothing";
  EXPECT_TRUE(w->isVisible());
}

TEST_F(AppHint, TheShowHintEventReachesOnShowHintAndCanStopTheHint) {
  std::vector<std::string> seen;
  hint->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
    seen.push_back(text);
    EXPECT_EQ(info.HintControl, target);
    canShow = false;
  };
  THintWindow* w = Hover();
  EXPECT_FALSE(w && w->isVisible());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), "开始修改文件名");

  // A second component takes the event over; when it goes, the first one,
  // still active, has it back.
  auto* second = new TbsSkinHint(&form);
  int secondSaw = 0;
  second->OnShowHint = [&](std::string&, bool& canShow, THintInfo&) { secondSaw++, canShow = false; };
  seen.clear();
  Hover();
  EXPECT_EQ(secondSaw, 1);
  EXPECT_TRUE(seen.empty());
  ASSERT_TRUE(hint->Active());
  delete second;
  Hover();
  EXPECT_EQ(seen.size(), 1u);
}

}  // namespace
