// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "framework/sysutils.h"
#include "framework/tapplication.h"
#include "messageboxes.h"
#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

// A held repeat button clicks from its timer: an error its OnClick raises
// there is shown from the timer's handler and never reaches the loop.
TEST(SkinHandlerErrors, AFailingRepeatClickIsShownFromTheTimerAndTheProgramGoesOn) {
  Application()->SetTitle("Title of the program");
  TForm form;
  auto* b = new TbsSkinButton(form.ClientArea());
  b->SetCanFocused(false);
  b->SetBounds(0, 0, 30, 25);
  b->SetRepeatMode(true);
  int clicks = 0;
  b->OnClick = [&] {
    ++clicks;
    throw EConvertError("repeat failed");
  };
  MessageBoxes boxes(5);
  const int reachedLoop = Application()->ExceptionsReachingTheLoop();

  Enter(*b);
  Press(*b);
  for (int i = 0; i < 200 && boxes.Shown.empty(); ++i) QTest::qWait(10);
  Release(*b);
  const std::vector<std::string> texts = boxes.Texts();
  ASSERT_FALSE(texts.empty());
  for (const std::string& text : texts) EXPECT_EQ(text, "repeat failed.");
  EXPECT_EQ(Application()->ExceptionsReachingTheLoop(), reachedLoop);
  EXPECT_EQ(size_t(clicks), texts.size());
  EXPECT_FALSE(b->findChild<QTimer*>("RepeatTimer")->isActive());
}

// Paging held in the track goes on from the repeat timer: an error the
// bar's OnChange raises there is shown from the timer and never reaches the loop.
TEST(SkinHandlerErrors, AFailingChangeWhilePagingIsShownFromTheRepeatTimer) {
  TForm form;
  auto* bar = new TbsSkinScrollBar(form.ClientArea());
  bar->SetKind(sbVertical);
  bar->SetBounds(0, 0, 19, 200);
  bar->SetMax(1000);
  bar->SetPageSize(10);
  int changes = 0;
  bar->OnChange = [&] {
    if (++changes > 1) throw EConvertError("paging failed");  // the first step runs on the press
  };
  MessageBoxes boxes(5);
  const int reachedLoop = Application()->ExceptionsReachingTheLoop();

  Enter(*bar, {9, 150});
  Press(*bar, {9, 150});
  for (int i = 0; i < 200 && boxes.Shown.empty(); ++i) QTest::qWait(10);
  Release(*bar, {9, 150});
  const std::vector<std::string> texts = boxes.Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0], "paging failed.");
  EXPECT_EQ(Application()->ExceptionsReachingTheLoop(), reachedLoop);
}

}  // namespace
