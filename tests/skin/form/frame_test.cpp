// SPDX-License-Identifier: GPL-3.0-or-later
// The frame component on a real form: client rectangle, painted pixels,
// background, track sizes, window region, notices and the sizing loop.

#include <gtest/gtest.h>

#include "formtesthelpers.h"
#include <QPointer>
#include <QScreen>
#include <memory>

#include "skin/form/tbsactiveskinobject.h"

using namespace formtest;

namespace {

// The frame band of a w x h window by the strip rule, from the picture's
// pixels: corners 1:1; the edges between them tiled from the strip's own
// start (x = 0 across the top and bottom, the first side row down the sides).
template <class Pixel>
QRgb BandPixel(Pixel pixel, int w, int h, int x, int y) {
  constexpr int kEdgeX = 8, kEdgeW = 160, kTop = 26, kEdgeH = 90, kBottom = kPicH - 116;
  const int dw = w - kPicW, dh = h - kPicH;
  auto column = [&](int x) { return x < kEdgeX ? x : x >= w - kEdgeX ? x - dw : kEdgeX + x % kEdgeW; };
  if (y < kTop) return pixel(column(x), y);
  if (y >= h - kBottom) return pixel(column(x), y - dh);
  const int row = kTop + (y - kTop) % kEdgeH;
  return pixel(x < kEdgeX ? x : x - dw, row);
}

bool OnAnObject(const TbsSkinFrame& frame, int x, int y) {
  for (int i = 0; i < frame.ObjectCount(); ++i)
    if (frame.Object(i)->Visible && PtInRect(frame.Object(i)->Bounds, {x, y})) return true;
  return false;
}

// Counts band pixels (outside the client area and the objects) that differ
// from `expected(x, y)`.
template <class F>
int BandMismatches(FramedForm& w, F expected) {
  const QImage shot = w.Shot();
  const TRect client = w.Form.ClientRectInWindow();
  int bad = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      if (PtInRect(client, {x, y}) || OnAnObject(*w.Frame, x, y)) continue;
      if (shot.pixel(x, y) != expected(x, y)) ++bad;
    }
  return bad;
}

TEST(SkinnedFrame, TheClientAreaFollowsTheSkinsClientRectangleAtEverySize) {
  FramedForm w;
  LoadSkin(*w.Data, FrameSkin());
  for (QSize size : {QSize(400, 300), QSize(kPicW, kPicH), QSize(999, 555), QSize(177, 200)}) {
    w.Form.SetBounds(50, 40, size.width(), size.height());
    EXPECT_EQ(w.Form.ClientRectInWindow(),
              Rect(8, 26, size.width() - (kPicW - 168), size.height() - (kPicH - 116)))
        << size.width() << " x " << size.height();
  }
}

TEST(SkinnedFrame, PaintsTheFramePictureComposedAtTheWindowsSize) {
  FramedForm w(431, 297);
  LoadSkin(*w.Data, FrameSkin());
  EXPECT_EQ(BandMismatches(w, [](int x, int y) { return BandPixel(FramePixel, 431, 297, x, y); }), 0);

  w.Form.Perform(WM_NCACTIVATE, 0);
  EXPECT_EQ(BandMismatches(w, [](int x, int y) { return BandPixel(InactivePixel, 431, 297, x, y); }), 0)
      << "an inactive window shows the inactive picture";
}

TEST(SkinnedFrame, WithoutAnInactivePictureTheInactiveEffectIsRenderedFromTheMainPicture) {
  FramedForm w(300, 200);
  skinbytes::Package p = FrameSkin(FrameSkinText("autorenderinginactiveimage=1\r\ninactiveeffect=ieinvert\r\n"));
  p.Inactive.clear();
  LoadSkin(*w.Data, p);
  w.Form.Perform(WM_NCACTIVATE, 0);
  EXPECT_EQ(BandMismatches(w, [](int x, int y) { return BandPixel(FramePixel, 300, 200, x, y) ^ 0x00FFFFFFu; }), 0);
}

TEST(SkinnedFrame, TheClientBackgroundTilesThePicturesClientRectangle) {
  FramedForm w(400, 300);
  LoadSkin(*w.Data, FrameSkin());
  const QImage client = w.Form.ClientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Tiles of 160 x 90 from (0, 0).
  EXPECT_EQ(client.pixel(0, 0), FramePixel(8, 26));
  EXPECT_EQ(client.pixel(159, 89), FramePixel(167, 115));
  EXPECT_EQ(client.pixel(160, 0), FramePixel(8, 26));
  EXPECT_EQ(client.pixel(161, 91), FramePixel(9, 27));
}

TEST(DefaultFrame, BevelsCaptionLinesAndButtonFaceWithoutASkin) {
  FramedForm w(300, 200);
  const QImage shot = w.Shot();
  const QRgb light = qRgb(212, 208, 200), dark = qRgb(64, 64, 64), white = qRgb(255, 255, 255),
             shadow = qRgb(128, 128, 128);
  EXPECT_EQ(shot.pixel(0, 0), light);
  EXPECT_EQ(shot.pixel(0, 198), light);
  EXPECT_EQ(shot.pixel(299, 199), dark);
  EXPECT_EQ(shot.pixel(299, 0), dark);
  EXPECT_EQ(shot.pixel(1, 1), white);
  EXPECT_EQ(shot.pixel(298, 100), shadow);
  EXPECT_EQ(shot.pixel(2, 100), light) << "the inner bevel is button face";
  EXPECT_EQ(w.Form.ClientRectInWindow(), Rect(3, 22, 297, 197));
  EXPECT_EQ(shot.pixel(3, 22), light) << "the client area is filled with button face";
  // Caption lines from row 2 of the caption bar: highlight, then shadow.
  EXPECT_EQ(shot.pixel(24, 3 + 2), white);
  EXPECT_EQ(shot.pixel(24, 3 + 3), shadow);
  EXPECT_EQ(shot.pixel(24, 3 + 14), white);
  EXPECT_EQ(shot.pixel(24, 3 + 15), shadow) << "the last line is row caption height - 4";
  EXPECT_EQ(shot.pixel(24, 3 + 16), light);
  // The close button is the rightmost 17 x 17 square at y = 4, with a glyph.
  const TbsActiveSkinObject* close = w.Frame->FindObject("closebutton");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->Bounds, Rect(300 - 3 - 17, 4, 300 - 3, 21));
  int glyph = 0;
  for (int y = close->Bounds.Top; y < close->Bounds.Bottom; ++y)
    for (int x = close->Bounds.Left; x < close->Bounds.Right; ++x) glyph += shot.pixel(x, y) == qRgb(0, 0, 0);
  EXPECT_GT(glyph, 6);
  EXPECT_FALSE(w.Frame->FindObject("traybutton")->Visible) << "no tray icon in the default border icons";
}

TEST(TrackSizes, MinimumFromThePictureOrTheProperties) {
  FramedForm w;
  EXPECT_EQ(w.Form.MinMaxInfo().MinTrackSize, Point(120, 19 + 6)) << "unskinned";
  w.Frame->SetMinWidth(150);
  EXPECT_EQ(w.Form.MinMaxInfo().MinTrackSize, Point(150, 25));
  w.Frame->SetMinWidth(0);
  LoadSkin(*w.Data, FrameSkin());
  EXPECT_EQ(w.Form.MinMaxInfo().MinTrackSize, Point(kPicW, kPicH - 90));
  w.Frame->SetMinWidth(300);
  w.Frame->SetMinHeight(200);
  EXPECT_EQ(w.Form.MinMaxInfo().MinTrackSize, Point(300, 200));
  const QRect screen = w.Form.screen()->geometry();
  EXPECT_EQ(w.Form.MinMaxInfo().MaxTrackSize, Point(screen.width() - 2, screen.height() - 2))
      << "the maximised size: a pixel inside a screen without a taskbar";

  // Sizing by the bottom-right corner stops at the minimum.
  w.Form.resize(400, 300);
  Drag(w.Form, QPoint(399, 299), QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.Form.size() == QSize(300, 200); }));
  EXPECT_EQ(w.Frame->FrameWidth(), 300);
  EXPECT_EQ(w.Form.ClientRectInWindow(), Rect(8, 26, 292, 192));
}

TEST(SkinnedFrame, SizingByAnEdgeRunsTheLoopAndRebuildsTheFrame) {
  FramedForm w(400, 300);
  LoadSkin(*w.Data, FrameSkin());
  Drag(w.Form, QPoint(399, 150), QPoint(499, 150));
  // A window manager confirms the size later; offscreen and bare X at once.
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.Form.size() == QSize(500, 300); }));
  EXPECT_EQ(w.Form.pos(), w.Start.topLeft());
  EXPECT_EQ(w.Frame->FrameWidth(), 500);
  EXPECT_EQ(w.Frame->FindObject("closebutton")->Bounds.Right, 150 + 500 - kPicW) << "the buttons follow the caption's right edge";
  EXPECT_EQ(w.Frame->HotIndex(), -1);
  EXPECT_EQ(BandMismatches(w, [](int x, int y) { return BandPixel(FramePixel, 500, 300, x, y); }), 0);
}

TEST(WindowRegion, TheMaskCutsTheWindowAndAnEmptyMaskLeavesItRectangular) {
  FramedForm w(400, 300);
  LoadSkin(*w.Data, FrameSkin());
  EXPECT_FALSE(w.Frame->HasWindowRegion());
  EXPECT_TRUE(w.Form.mask().isEmpty());

  skinbytes::Package p = FrameSkin(
      "[PICTURES]\r\nmask=mask.bmp\r\n" + FrameSkinText().substr(std::string("[PICTURES]\r\n").size()));
  // Black inside; the top corners cut by a diagonal of 4 pixels.
  p.Mask = skinbytes::Bmp24(kPicW, kPicH, [](int x, int y) {
    return x + y < 4 || (kPicW - 1 - x) + y < 4 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
  });
  LoadSkin(*w.Data, p);
  ASSERT_TRUE(w.Frame->HasWindowRegion());
  const QRegion region = w.Form.mask();
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_FALSE(region.contains(QPoint(3, 0)));
  EXPECT_TRUE(region.contains(QPoint(4, 0)));
  EXPECT_FALSE(region.contains(QPoint(399, 0)));
  EXPECT_TRUE(region.contains(QPoint(395, 0)));
  EXPECT_TRUE(region.contains(QPoint(0, 150)));
  EXPECT_TRUE(region.contains(QPoint(399, 299)));
  EXPECT_TRUE(region.contains(QPoint(200, 150)));
  // Hit testing reads the kept strips: the cut corner is outside the shape.
  EXPECT_FALSE(PointInWindowShape({1, 1}, w.Frame->SizedMaskRectArea(), w.Frame->MaskStrips()));
  EXPECT_TRUE(PointInWindowShape({5, 1}, w.Frame->SizedMaskRectArea(), w.Frame->MaskStrips()));

  LoadSkin(*w.Data, FrameSkin());
  EXPECT_FALSE(w.Frame->HasWindowRegion()) << "a skin without a mask removes the region";
  EXPECT_TRUE(w.Form.mask().isEmpty());
}

// A control that logs the messages it receives.
class LoggingControl : public TControl {
 public:
  LoggingControl(QWidget* parent, std::string name, std::vector<std::pair<std::string, TMessage>>& log)
      : TControl(parent), FName(std::move(name)), FLog(log) {}
  void WndProc(TMessage& m) override {
    if (m.Msg == SkinMsgBeforeChange || m.Msg == SkinMsgChange) FLog.push_back({FName, m});
    TControl::WndProc(m);
  }

 private:
  std::string FName;
  std::vector<std::pair<std::string, TMessage>>& FLog;
};

TEST(SkinNotices, ReachEveryControlContainerFirstAndOnlyFromTheFramesSkin) {
  FramedForm w;
  std::vector<std::pair<std::string, TMessage>> log;
  auto* a = new LoggingControl(w.Form.ClientArea(), "A", log);
  new LoggingControl(a, "A1", log);
  auto* a2 = new LoggingControl(a, "A2", log);
  new LoggingControl(a2, "A2x", log);
  new LoggingControl(w.Form.ClientArea(), "B", log);
  LoadSkin(*w.Data, FrameSkin());
  std::vector<std::string> order;
  for (const auto& [name, m] : log) {
    order.push_back(name + (m.Msg == SkinMsgBeforeChange ? ":before" : ":change"));
    EXPECT_EQ(m.WParam, reinterpret_cast<intptr_t>(w.Data));
    EXPECT_EQ(m.LParam, TbsSkinData::kNoticeLParam);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"A:before", "A1:before", "A2:before", "A2x:before", "B:before",
                                             "A:change", "A1:change", "A2:change", "A2x:change", "B:change"}));
  log.clear();
  TbsSkinData other;
  LoadSkin(other, FrameSkin());
  EXPECT_TRUE(log.empty()) << "another skin's notices are not the frame's to pass on";
  EXPECT_TRUE(w.Frame->Skinned());
}

TEST(SkinnedFrame, ObjectsComeFromTheSkinAndTheDefaultsWithoutOne) {
  FramedForm w;
  EXPECT_EQ(w.Frame->ObjectCount(), 6) << "the six default buttons";
  LoadSkin(*w.Data, FrameSkin());
  ASSERT_EQ(w.Frame->ObjectCount(), 6) << "the menu-item look is not a frame object";
  EXPECT_EQ(w.Frame->Object(0)->IDName, "caption1");
  EXPECT_EQ(w.Frame->FindObject("closebutton")->Hint, "Close") << "default hint";
  int changes = 0;
  w.Frame->OnChangeSkinData = [&] { ++changes; };
  w.Frame->SetSkinData(w.Data);
  EXPECT_EQ(changes, 0) << "setting the same skin data does nothing";
  w.Frame->SetSkinData(nullptr);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(w.Frame->Skinned());
  EXPECT_EQ(w.Form.ClientRectInWindow(), Rect(3, 22, 397, 297)) << "back to the default frame";
}

TEST(SkinnedFrame, ClientSizePropertiesApplyAfterASkinChange) {
  FramedForm w;
  w.Frame->SetClientWidth(250);
  w.Frame->SetClientHeight(120);
  LoadSkin(*w.Data, FrameSkin());
  EXPECT_EQ(w.Form.ClientWidth(), 250);
  EXPECT_EQ(w.Form.ClientHeight(), 120);
  EXPECT_EQ(w.Form.size(), QSize(250 + 16, 120 + 34));
}

}  // namespace

namespace {
TEST(Renders, SaveForLooking) {
  const RenderFolder shots;
  FramedForm w(431, 297);
  w.Form.SetCaption("批量修改文件名");
  EXPECT_TRUE(shots.Save(w.Shot(), "default-active.png"));
  w.Form.Perform(WM_NCACTIVATE, 0);
  EXPECT_TRUE(shots.Save(w.Shot(), "default-inactive.png"));
  w.Form.Perform(WM_NCACTIVATE, 1);
  LoadSkin(*w.Data, FrameSkin());
  EXPECT_TRUE(shots.Save(w.Shot(), "skinned-active.png"));
  w.Form.Perform(WM_NCACTIVATE, 0);
  EXPECT_TRUE(shots.Save(w.Shot(), "skinned-inactive.png"));
}
}  // namespace

namespace {

TEST(Transparency, AFadeInWithoutAlphaBlendEndsOpaque) {
  TForm form;
  form.SetBounds(10, 10, 300, 200);
  auto* frame = new TbsSkinFrame(&form);
  frame->SetAlphaBlendAnimation(true);
  form.show();
  EXPECT_EQ(frame->CurrentAlpha(), 0) << "shown invisible, then faded in";
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->CurrentAlpha() == 255; }));
}

TEST(Transparency, AlphaBlendAppliesItsValueAndTheSameValueChangesNothing) {
  FramedForm w;
  w.Frame->SetAlphaBlend(true);
  EXPECT_EQ(w.Frame->CurrentAlpha(), 200);
  w.Frame->SetAlphaBlendValue(120);
  EXPECT_EQ(w.Frame->CurrentAlpha(), 120);
  w.Frame->SetAlphaBlend(false);
  EXPECT_EQ(w.Frame->CurrentAlpha(), 255);
  w.Frame->SetAlphaBlendValue(120);
  EXPECT_EQ(w.Frame->CurrentAlpha(), 255) << "off: the value waits";
}

TEST(Attaching, TheFrameTakesTheCaptionAwayAndGivesTheWindowProcedureBack) {
  TForm form;
  form.SetBounds(10, 10, 300, 200);
  auto frame = std::make_unique<TbsSkinFrame>(&form);
  EXPECT_FALSE(form.PlatformCaption());
  EXPECT_EQ(form.BorderIcons(), 0u);
  EXPECT_EQ(frame->BorderIcons(), kDefaultFrameBorderIcons);
  EXPECT_EQ(form.ClientRectInWindow(), Rect(3, 22, 297, 197));
  frame.reset();  // a component removed from a living form
  EXPECT_EQ(form.ClientRectInWindow(), Rect(0, 0, 300, 200)) << "the form's own procedure again";
}

// When the window ends the frame lets go of its form while the form is whole:
// afterwards Qt tears the form down child by child and no longer holds a
// TForm, so nothing may reach the form through the frame. Skin data created
// before the frame goes first, and its loss must not repaint the form.
TEST(Teardown, TheFrameLetsGoOfItsFormWhenTheWindowEnds) {
  auto form = std::make_unique<TForm>();
  form->SetBounds(10, 10, 300, 200);
  auto* data = new TbsSkinData(form.get());
  auto* frame = new TbsSkinFrame(form.get());
  frame->SetSkinData(data);
  LoadSkin(*data, FrameSkin());
  ASSERT_TRUE(frame->Skinned());
  QPointer<TbsSkinFrame> alive(frame);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));

  form->DestroyWindow();
  EXPECT_EQ(frame->Form(), nullptr);
  EXPECT_TRUE(frame->Skinned()) << "the frame keeps its look; it only stops touching the form";
  form.reset();  // the data goes before the frame; ASan and UBSan watch this
  EXPECT_TRUE(alive.isNull());
}

// A skin with values at the ends of the integer range: they arrive held
// within the skin range, and painting, sizing and hit-testing the frame with
// them does no arithmetic that overflows (the sanitizer run checks that).
TEST(ExtremeSkin, TheFrameWorksWithValuesAtTheEndsOfTheIntegerRange) {
  FramedForm w(300, 200);
  LoadSkin(*w.Data, FrameSkin(FrameSkinText(
                        "borderwidth=2147483647\r\nbuttonsoffset=-2147483648\r\n"
                        "hittestrighttoppoint=2147483647,6\r\ncaptionrect=30,4,2147483647,22\r\n",
                        "[caption1]\r\nfontheight=-2147483648\r\nskinrect=30,4,2147483647,22\r\n")));
  ASSERT_TRUE(w.Frame->Skinned());
  EXPECT_EQ(w.Data->BorderWidth, kSkinValueLimit);
  EXPECT_EQ(w.Data->ButtonsOffset, -kSkinValueLimit);
  for (QSize size : {QSize(300, 200), QSize(1, 1), QSize(800, 600)}) {
    w.Form.SetBounds(10, 10, size.width(), size.height());
    (void)w.Shot();
    for (QPoint p : {QPoint(0, 0), QPoint(size.width() - 1, 5), QPoint(size.width() / 2, size.height() / 2)}) {
      const QPoint g = w.Form.mapToGlobal(p);
      (void)w.Form.Perform(WM_NCHITTEST, 0, MakeLParam(g.x(), g.y()));
    }
  }
}

}  // namespace
