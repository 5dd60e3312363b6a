// SPDX-License-Identifier: GPL-3.0-or-later
// The file list and the mouse wheel: a notch scrolls the same whether it
// comes whole or in the small pieces of a high-resolution wheel, and the
// wheel over the list's own scroll bars scrolls the list.

#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include "embeddedskin.h"
#include "skin/controls/tbsskinlistbox.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

std::vector<std::string> Names(int n, const std::string& stem = "file") {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back(stem + std::to_string(i) + ".txt");
  return names;
}

void SendWheel(QWidget& w, int delta, QPoint at = {5, 5}) {
  QWheelEvent e(at, w.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &e);
}

// Ten rows on screen, a hundred names: the vertical bar shows.
struct FileList {
  TForm form;
  TbsSkinData* data = LoadEmbeddedSkin(&form);
  TbsSkinListBox* box = new TbsSkinListBox(form.ClientArea());

  FileList() {
    box->SetBounds(0, 0, 200, 1 + 10 * 19 + 1);
    box->SetSkinData(data);
    box->Items().Assign(Names(100));
  }
  TbsListBox& Inner() { return *box->InnerList(); }
  // The wheel as the window system delivers it at the middle of `w`: to the
  // widget under the pointer, passed on to its parents while they ignore it.
  void WheelFromTheWindowSystem(QWidget& w, int delta) {
    const QPoint inForm = w.mapTo(&form, QPoint(w.width() / 2, w.height() / 2));
    QWidget* under = form.childAt(inForm);
    ASSERT_EQ(under, &w);
    const QPoint at = under->mapFrom(&form, inForm);
    QWheelEvent e(at, under->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&e);  // Qt propagates only what comes from the window system
    qApp->notify(under, &e);
  }
};

struct Wheel : ::testing::Test, FileList {};

TEST_F(Wheel, OneNotchScrollsFourLinesHoweverItArrives) {
  struct Row {
    const char* name;
    std::vector<int> deltas;
    int top;
  };
  const Row rows[] = {
      {"one notch down", {-120}, 4},
      {"a notch in eight events of 15", std::vector<int>(8, -15), 4},
      {"a notch in four events of 30", std::vector<int>(4, -30), 4},
      {"a notch in uneven pieces", {-7, -50, -1, -62}, 4},
      {"two notches in sixteen events", std::vector<int>(16, -15), 8},
      {"half a notch: the list's own part so far", std::vector<int>(4, -15), 1},
      {"a notch down and one back up", {-120, 120}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FileList fresh;
    for (int d : row.deltas) SendWheel(fresh.Inner(), d);
    EXPECT_EQ(fresh.Inner().TopIndex(), row.top);
    EXPECT_EQ(fresh.box->VScrollBar()->Position(), row.top) << "the bar follows";
  }
}

TEST_F(Wheel, TurningTheOtherWayDropsWhatWasLeftOver) {
  Inner().SetTopIndex(50);
  SendWheel(Inner(), -105);  // most of a notch down: two of the list's lines so far
  ASSERT_EQ(Inner().TopIndex(), 52);
  SendWheel(Inner(), 120);  // a whole notch up scrolls a whole notch's lines up
  EXPECT_EQ(Inner().TopIndex(), 48);
  for (int i = 0; i < 7; ++i) SendWheel(Inner(), 15);
  EXPECT_EQ(Inner().TopIndex(), 48 - 2);
}

TEST_F(Wheel, OverTheVerticalBarTheListScrolls) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  TbsSkinScrollBar* bar = box->VScrollBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_FALSE(bar->CanFocused());
  WheelFromTheWindowSystem(*bar, -120);
  EXPECT_EQ(Inner().TopIndex(), 4);
  EXPECT_EQ(bar->Position(), 4);
  for (int i = 0; i < 8; ++i) WheelFromTheWindowSystem(*bar, 15);
  EXPECT_EQ(Inner().TopIndex(), 0);
  // And over the list itself, through the same delivery.
  WheelFromTheWindowSystem(Inner(), -120);
  EXPECT_EQ(Inner().TopIndex(), 4);
}

TEST_F(Wheel, WithOnlyTheHorizontalBarANotchStepsItOnce) {
  box->Items().Assign(std::vector<std::string>{std::string(80, 'W') + ".txt", "short.txt"});
  box->SetHorizontalExtent(true);
  ASSERT_EQ(box->VScrollBar(), nullptr);
  ASSERT_NE(box->HScrollBar(), nullptr);
  TbsSkinScrollBar& bar = *box->HScrollBar();
  ASSERT_GT(bar.SmallChange(), 0);
  for (int i = 0; i < 8; ++i) SendWheel(Inner(), -15);
  EXPECT_EQ(bar.Position(), bar.SmallChange());
  EXPECT_EQ(Inner().HScrollOffset, bar.SmallChange());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  WheelFromTheWindowSystem(bar, -120);
  EXPECT_EQ(bar.Position(), 2 * bar.SmallChange()) << "over the horizontal bar too";
}

TEST(WheelSteps, KeepsTheRemainderAndBoundsAbsurdDeltas) {
  TbsWheelSteps lines(3);
  EXPECT_EQ(lines.Take(39), 0);
  EXPECT_EQ(lines.Take(1), 1);
  EXPECT_EQ(lines.Remainder(), 0);
  EXPECT_EQ(lines.Take(-20), 0);
  EXPECT_EQ(lines.Take(-60), -2);
  EXPECT_EQ(lines.Take(INT_MIN), -TbsWheelSteps::kMaxSteps);
  EXPECT_EQ(lines.Take(INT_MAX), TbsWheelSteps::kMaxSteps);
}

}  // namespace
