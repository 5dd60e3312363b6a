#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

#include "framework/sysutils.h"
#include "framework/tapplication.h"
#include "skin/controls/tbsskinbutton.h"
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
  std::vector<std::string> texts;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      texts.push_back(box->text().toStdString());
      box->accept();
    }
  });
  poll.start();
  const int reachedLoop = Application()->ExceptionsReachingTheLoop();

  Enter(*b);
  Press(*b);
  for (int i = 0; i < 200 && texts.empty(); ++i) QTest::qWait(10);
  Release(*b);
  ASSERT_FALSE(texts.empty());
  for (const std::string& text : texts) EXPECT_EQ(text, "repeat failed.");
  EXPECT_EQ(Application()->ExceptionsReachingTheLoop(), reachedLoop);
  EXPECT_EQ(size_t(clicks), texts.size());
  EXPECT_FALSE(b->findChild<QTimer*>("RepeatTimer")->isActive());
}

}  // namespace
