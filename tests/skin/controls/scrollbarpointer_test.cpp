// SPDX-License-Identifier: GPL-3.0-or-later
// The scroll bar while its button is held: Qt keeps sending the moves to the
// bar but no leave, so the bar itself must see the pointer go and come back.

#include <gtest/gtest.h>

#include <QTest>

#include "skin/controls/tbsskinscrollbar.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

// A default horizontal bar, 200 x 19: the track runs from 17 to 183 with a
// 16-pixel thumb, so position p puts the thumb's left at 17 + round(p x 1.5).
struct HeldTrack : ::testing::Test {
  TForm form;
  TbsSkinScrollBar* bar = new TbsSkinScrollBar(form.ClientArea());
  int pagesDown = 0, pagesUp = 0;
  HeldTrack() {
    bar->SetRange(0, 100, 0, 0);
    bar->SetLargeChange(10);
    bar->OnPageDown = [this] { ++pagesDown; };
    bar->OnPageUp = [this] { ++pagesUp; };
  }
  QTimer& Timer() { return bar->RepeatTimer(); }
};

TEST_F(HeldTrack, PagingTowardsMaxWaitsWhileThePointerIsOffTheBarAndGoesOnWhenItReturns) {
  const QPoint at(170, 9);
  Press(*bar, at);
  ASSERT_EQ(bar->Position(), 10);
  Tick(&Timer());  // the delay ends
  Tick(&Timer());
  ASSERT_EQ(bar->Position(), 20);
  ASSERT_EQ(Timer().interval(), TbsSkinScrollBar::kRepeatIntervalMs);

  const struct {
    const char* name;
    QPoint where;
  } offTheBar[] = {
      {"just below", {170, 19}},
      {"just past the right end", {200, 9}},
      {"above", {170, -1}},
      {"far away", {900, 600}},
  };
  for (const auto& row : offTheBar) {
    SCOPED_TRACE(row.name);
    DragTo(*bar, row.where);
    EXPECT_FALSE(Timer().isActive());
    const int before = bar->Position();
    QTest::qWait(3 * TbsSkinScrollBar::kRepeatIntervalMs);  // real ticks would page now
    EXPECT_EQ(bar->Position(), before);
    // Back over the track after the thumb: it goes on at the fast rate.
    DragTo(*bar, at);
    EXPECT_TRUE(Timer().isActive());
    EXPECT_EQ(Timer().interval(), TbsSkinScrollBar::kRepeatIntervalMs);
    Tick(&Timer());
    EXPECT_EQ(bar->Position(), before + 10);
  }
  EXPECT_EQ(pagesDown, 2 + 4);
  Release(*bar, at);
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(bar->RepeatKind(), 0);
}

TEST_F(HeldTrack, ComingBackBeforeTheThumbEndsThePaging) {
  Press(*bar, QPoint(170, 9));
  Tick(&Timer());
  DragTo(*bar, QPoint(170, 40));
  ASSERT_FALSE(Timer().isActive());
  DragTo(*bar, QPoint(20, 9));  // the thumb is already past this point
  Tick(&Timer());
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(bar->RepeatKind(), 0);
}

TEST_F(HeldTrack, PagingTowardsMinGoesOnOffTheBar) {
  bar->SetPosition(100);
  Press(*bar, QPoint(30, 9));
  ASSERT_EQ(bar->Position(), 90);
  Tick(&Timer());
  DragTo(*bar, QPoint(30, 60));
  EXPECT_TRUE(Timer().isActive());
  Tick(&Timer());
  EXPECT_EQ(bar->Position(), 80);
  EXPECT_EQ(pagesUp, 2);
}

}  // namespace
