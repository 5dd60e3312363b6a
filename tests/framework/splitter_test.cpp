// SPDX-License-Identifier: GPL-3.0-or-later
// The framework splitter's switches: snapping closed, a handler that refuses
// sizes, the live style, and its plain look with and without a bevel.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>

#include "framework/tform.h"
#include "framework/tsplitter.h"

namespace {

struct Splitter : ::testing::Test {
  void SetUp() override {
    form.SetClientSize(300, 60);
    form.BeginBuild();
    splitter = new TSplitter(form.ClientArea());
    splitter->SetBounds(100, 0, 5, 60);
    splitter->SetAlign(alLeft);
    splitter->SetMinSize(20);
    pane = new TControl(form.ClientArea());
    pane->SetBounds(0, 0, 100, 60);
    pane->SetAlign(alLeft);
    auto* rest = new TControl(form.ClientArea());
    rest->SetBounds(105, 0, 195, 60);
    rest->SetAlign(alClient);
    form.EndBuild();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  // `x` from where the bar starts before the drag; the pointer's screen
  // position does not follow the bar when a live drag moves it.
  void Send(QEvent::Type type, int x, Qt::MouseButtons held) {
    const QPointF global = form.ClientArea()->mapToGlobal(QPointF(100 + x, 30));
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, splitter->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(splitter, &e);
  }
  void Press() { Send(QEvent::MouseButtonPress, 2, Qt::LeftButton); }
  void MoveBy(int dx) { Send(QEvent::MouseMove, 2 + dx, Qt::LeftButton); }
  void ReleaseAt(int dx) { Send(QEvent::MouseButtonRelease, 2 + dx, Qt::NoButton); }

  TForm form;
  TSplitter* splitter = nullptr;
  TControl* pane = nullptr;
};

TEST_F(Splitter, AutoSnapClosesThePaneDraggedBelowMinSizeAndOffKeepsIt) {
  Press();
  MoveBy(-85);  // wants 15
  ReleaseAt(-85);
  EXPECT_EQ(pane->Width(), 20);

  splitter->SetAutoSnap(true);
  Press();
  MoveBy(-5);  // wants 15 again
  ReleaseAt(-5);
  EXPECT_EQ(pane->Width(), 0);
}

TEST_F(Splitter, OnCanResizeSeesEverySizeAndMayRefuseOrChangeIt) {
  std::vector<int> asked;
  splitter->OnCanResize = [&](int& size, bool& accept) {
    asked.push_back(size);
    if (size > 150) accept = false;  // refused: the last accepted size stays
    if (size == 130) size = 131;
  };
  splitter->SetResizeStyle(rsUpdate);
  Press();
  MoveBy(30);
  EXPECT_EQ(pane->Width(), 131) << "the live style follows at once";
  MoveBy(80);
  EXPECT_EQ(pane->Width(), 131);
  MoveBy(45);
  EXPECT_EQ(pane->Width(), 145);
  ReleaseAt(45);
  EXPECT_EQ(asked, (std::vector<int>{130, 180, 145}));
  EXPECT_EQ(pane->Width(), 145);
}

TEST_F(Splitter, ALiveDragStillStopsTheFarSideAtMinSize) {
  splitter->SetResizeStyle(rsUpdate);
  Press();
  MoveBy(50);
  MoveBy(120);
  MoveBy(400);
  ReleaseAt(400);
  EXPECT_EQ(pane->Width(), 300 - 5 - 20);
}

TEST_F(Splitter, OnMovedFollowsTheRelease) {
  int moved = 0;
  splitter->OnMoved = [&] { moved++; EXPECT_EQ(pane->Width(), 110); };
  Press();
  MoveBy(10);
  EXPECT_EQ(moved, 0);
  ReleaseAt(10);
  EXPECT_EQ(moved, 1);
}

TEST_F(Splitter, TheSplitCursorPointsAcrossTheBar) {
  auto enter = [&] {
    QEnterEvent e(QPointF(1, 1), splitter->mapToGlobal(QPointF(1, 1)), splitter->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(splitter, &e);
  };
  enter();
  EXPECT_EQ(splitter->Cursor(), crHSplit);
  splitter->SetAlign(alTop);
  enter();
  EXPECT_EQ(splitter->Cursor(), crVSplit);
  EXPECT_EQ(splitter->cursor().shape(), Qt::SplitVCursor);
  splitter->SetCursor(crHandPoint);  // a cursor of the program's own choice stays
  enter();
  EXPECT_EQ(splitter->Cursor(), crHandPoint);
}

TEST_F(Splitter, ThePlainLookIsItsColourAndTheBevelARaisedRidge) {
  splitter->SetColor(RGBColor(1, 2, 3));
  int painted = 0;
  splitter->OnPaint = [&] { painted++; };
  QImage shot = splitter->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) ASSERT_EQ(shot.pixel(x, y), qRgb(1, 2, 3));
  EXPECT_GE(painted, 1);

  splitter->SetBeveled(true);
  shot = splitter->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Along a vertical bar: highlight on the ridge's left, shadow on its right,
  // the ends left in the bar's colour.
  EXPECT_EQ(shot.pixel(1, 30), qRgb(255, 255, 255));
  EXPECT_EQ(shot.pixel(3, 30), qRgb(128, 128, 128));
  EXPECT_EQ(shot.pixel(2, 30), qRgb(1, 2, 3));
  EXPECT_EQ(shot.pixel(1, 0), qRgb(1, 2, 3));
  EXPECT_EQ(shot.pixel(0, 30), qRgb(1, 2, 3));
}

}  // namespace
