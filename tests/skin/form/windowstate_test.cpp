// SPDX-License-Identifier: GPL-3.0-or-later
// Window states kept by the frame: maximise, minimise, restore, roll-up,
// the caption double-click and moving.

#include <gtest/gtest.h>

#include <QScreen>

#include "formtesthelpers.h"
#include "framework/tapplication.h"

using namespace formtest;

namespace {

QRect ScreenRect(QWidget& w) { return w.screen()->geometry(); }

void DoubleClick(TForm& form, const QPoint& p) {
  SendMouse(&form, QEvent::MouseButtonDblClick, form.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton);
  Release(form, p);
}

struct States : ::testing::Test {
  void SetUp() override {
    LoadSkin(*w.Data, FrameSkin());
    start = w.Form.geometry();
  }
  FramedForm w{400, 300};
  QRect start;
};

TEST_F(States, MaximiseFillsTheScreenOnePixelInAndRestoreReturnsTheBounds) {
  w.Frame->SetWindowState(bswsMaximized);
  EXPECT_EQ(w.Form.geometry(), ScreenRect(w.Form).adjusted(1, 1, -1, -1)) << "no taskbar: one pixel inside";
  EXPECT_EQ(w.Frame->NormalBounds(), FromQRect(start));
  w.Frame->SetWindowState(bswsNormal);
  EXPECT_EQ(w.Form.geometry(), start);
  EXPECT_EQ(w.Frame->NormalBounds(), TRect{});
}

TEST_F(States, MaximiseOnFullScreenCoversTheWholeScreen) {
  w.Frame->SetMaximizeOnFullScreen(true);
  w.Frame->SetWindowState(bswsMaximized);
  EXPECT_EQ(w.Form.geometry(), ScreenRect(w.Form));
}

TEST_F(States, MinimisingAMaximisedWindowThenRestoringReturnsTheBoundsBeforeTheMaximise) {
  w.Frame->SetWindowState(bswsMaximized);
  w.Frame->SetWindowState(bswsMinimized);
  const QRect screen = ScreenRect(w.Form);
  EXPECT_EQ(w.Form.geometry(), QRect(screen.left(), screen.bottom() + 1 - (kPicH - 90), kPicW, kPicH - 90))
      << "a caption bar at the bottom-left";
  w.Frame->SetWindowState(bswsNormal);
  EXPECT_EQ(w.Form.geometry(), start);
}

TEST_F(States, MinimisedWindowsTakeTheNextFreeSlot) {
  FramedForm other(300, 200);
  LoadSkin(*other.Data, FrameSkin());
  w.Frame->SetWindowState(bswsMinimized);
  other.Frame->SetWindowState(bswsMinimized);
  EXPECT_EQ(other.Form.pos(), w.Form.pos() + QPoint(kPicW, 0));
}

TEST_F(States, TheMainFormMinimisesTheApplicationAndKeepsItsOwnState) {
  Application()->SetMainForm(&w.Form);
  w.Frame->SetWindowState(bswsMinimized);
  Application()->SetMainForm(nullptr);
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  EXPECT_TRUE(w.Form.isMinimized());
  EXPECT_EQ(w.Frame->NormalBounds(), TRect{});
}

TEST_F(States, RollUpLeavesTheFrameAndUnrollingGivesTheHeightBack) {
  int changes = 0;
  w.Frame->OnChangeRollUpState = [&] { ++changes; };
  w.Frame->SetRollUp(true);
  EXPECT_EQ(w.Form.height(), kPicH - 90);
  EXPECT_EQ(w.Form.ClientHeight(), 0);
  EXPECT_EQ(w.Frame->RolledUpHeight(), 300);
  w.Frame->SetRollUp(true);
  EXPECT_EQ(changes, 1) << "rolling up twice changes nothing";
  w.Frame->SetRollUp(false);
  EXPECT_EQ(w.Form.geometry(), start);
  EXPECT_EQ(changes, 2);
}

TEST_F(States, RollUpNeedsItsIconAndANonMinimisedWindow) {
  w.Frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
  w.Frame->SetRollUp(true);
  EXPECT_FALSE(w.Frame->RolledUp());
  w.Form.SetBorderStyle(bsSingle);
  DoubleClick(w.Form, QPoint(200, 12));
  EXPECT_FALSE(w.Frame->RolledUp()) << "nor does the double-click";
  w.Frame->SetBorderIcons(kDefaultFrameBorderIcons);
  w.Frame->SetWindowState(bswsMinimized);
  w.Frame->SetRollUp(true);
  EXPECT_FALSE(w.Frame->RolledUp());
}

TEST_F(States, ASkinChangeWhileRolledUpKeepsTheNewMinimumHeight) {
  w.Frame->SetMinHeight(250);
  w.Frame->SetRollUp(true);
  EXPECT_EQ(w.Form.height(), kPicH - 90) << "rolled up, the minimum height does not apply";
  std::string text = FrameSkinText();
  text.replace(text.find("clientrect=8,26,168,116"), 23, "clientrect=8,30,168,116");
  LoadSkin(*w.Data, FrameSkin(text));
  EXPECT_TRUE(w.Frame->RolledUp());
  EXPECT_EQ(w.Form.height(), kPicH - 86);
  w.Frame->SetRollUp(false);
  EXPECT_EQ(w.Form.height(), 300);
}

TEST_F(States, CaptionDoubleClickMaximisesRestoresOrRollsUp) {
  DoubleClick(w.Form, QPoint(200, 12));
  EXPECT_EQ(w.Frame->WindowState(), bswsMaximized);
  DoubleClick(w.Form, QPoint(200, 12));
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  EXPECT_EQ(w.Form.geometry(), start);
  w.Form.SetBorderStyle(bsSingle);
  DoubleClick(w.Form, QPoint(200, 12));
  EXPECT_TRUE(w.Frame->RolledUp()) << "not sizeable: the double-click rolls up";
  DoubleClick(w.Form, QPoint(200, 12));
  EXPECT_FALSE(w.Frame->RolledUp());
  w.Form.SetBorderStyle(bsSizeable);
  w.Frame->SetBorderIcons(biSystemMenu | biRollUp);
  DoubleClick(w.Form, QPoint(200, 12));
  EXPECT_TRUE(w.Frame->RolledUp()) << "without the maximise icon it rolls up";
}

TEST_F(States, AMaximisedWindowCannotBeDraggedOrSized) {
  w.Frame->SetWindowState(bswsMaximized);
  const QRect maximised = ToQRect(w.Frame->MaximizeArea());
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.Form.geometry() == maximised; }));
  Drag(w.Form, QPoint(200, 12), QPoint(300, 100));
  EXPECT_EQ(w.Form.geometry(), maximised);
  const QPoint corner = w.Form.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(w.Form.Perform(WM_NCHITTEST, 0, MakeLParam(corner.x(), corner.y())), HTOBJECT);
}

TEST_F(States, MagneticEdgesSnapAtFourPixelsButNotAtFive) {
  w.Frame->SetMagnetic(true);
  const QRect screen = ScreenRect(w.Form);
  // Drags the caption so the window's left edge would land at `left`; true
  // when it ends at `expected` (a window manager confirms moves later).
  auto dragTo = [&](int left, int expected) {
    Drag(w.Form, QPoint(200, 12), QPoint(200 + left - w.Form.x(), 12));
    return QTest::qWaitFor([&] { return w.Form.x() == expected; });
  };
  EXPECT_TRUE(dragTo(screen.left() + 4, screen.left()));
  ASSERT_TRUE(dragTo(screen.left() + 40, screen.left() + 40));
  EXPECT_TRUE(dragTo(screen.left() + 5, screen.left() + 5));
  w.Frame->SetMagnetic(false);
  ASSERT_TRUE(dragTo(screen.left() + 40, screen.left() + 40));
  EXPECT_TRUE(dragTo(screen.left() + 4, screen.left() + 4)) << "off: no snapping";
}

}  // namespace
