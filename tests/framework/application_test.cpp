#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "framework/sysutils.h"
#include "framework/tapplication.h"
#include "framework/tform.h"

namespace {

TEST(ErrorBox, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(TApplication::ErrorBoxText("'' is not a valid integer value"),
            "'' is not a valid integer value.");
  EXPECT_EQ(TApplication::ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(TApplication::ErrorBoxText("Why?"), "Why?.");       // '?' sorts after '.'
  EXPECT_EQ(TApplication::ErrorBoxText("Stop!"), "Stop!");      // '!' sorts before '.'
  EXPECT_EQ(TApplication::ErrorBoxText("(x)"), "(x)");          // ')' too
  EXPECT_EQ(TApplication::ErrorBoxText("失败"), "失败.");
  EXPECT_EQ(TApplication::ErrorBoxText(""), "");
}

TEST(ErrorBox, AnExceptionThatReachesTheLoopIsShownAndTheProgramGoesOn) {
  Application()->SetTitle("Title of the program");
  TForm form;
  auto* control = new TControl(form.ClientArea());
  control->SetBounds(0, 0, 50, 50);
  control->OnClick = [] { throw EConvertError("'abc' is not a valid integer value"); };
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  std::string title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      title = box->windowTitle().toStdString();
      text = box->text().toStdString();
      icon = box->icon();
      box->accept();
    }
  });
  poll.start();
  QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(title, "Title of the program");
  EXPECT_EQ(text, "'abc' is not a valid integer value.");
  EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST(Hints, TheFirstNonEmptyHintUpThroughTheParentsIsShown) {
  TForm form;
  form.SetHint("from the form");
  auto* panel = new TControl(form.ClientArea());
  panel->SetBounds(0, 0, 100, 100);
  auto* inner = new TControl(panel);
  inner->SetBounds(10, 10, 50, 50);
  EXPECT_EQ(TApplication::GetHint(inner), "from the form");
  panel->SetHint("from the panel");
  EXPECT_EQ(TApplication::GetHint(inner), "from the panel");

  // ShowHint follows the parent until set on the control itself.
  form.SetShowHint(false);
  EXPECT_FALSE(inner->ShowHint());
  form.SetShowHint(true);
  EXPECT_TRUE(inner->ShowHint());
  inner->SetShowHint(false);
  EXPECT_FALSE(inner->ParentShowHint());
  EXPECT_FALSE(inner->ShowHint());
}

class MarkedHintWindow : public THintWindow {};

TEST(Hints, ShowAfterThePauseInTheReplaceableWindowClass) {
  Application()->SetHintWindowClass([] { return new MarkedHintWindow; });
  TForm form;
  form.SetShowHint(true);
  form.resize(200, 200);
  auto* target = new TControl(form.ClientArea());
  target->SetBounds(0, 0, 100, 100);
  target->SetHint("hello");
  auto* other = new TControl(form.ClientArea());
  other->SetBounds(100, 100, 100, 100);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QTest::mouseMove(other, QPoint(5, 5));
  QTest::mouseMove(target, QPoint(5, 5));
  QTest::qWait(Application()->HintPause() / 2);
  EXPECT_TRUE(!Application()->HintWindow() || !Application()->HintWindow()->isVisible());
  for (int i = 0; i < 100 && !(Application()->HintWindow() && Application()->HintWindow()->isVisible()); ++i)
    QTest::qWait(20);
  ASSERT_NE(dynamic_cast<MarkedHintWindow*>(Application()->HintWindow()), nullptr);
  EXPECT_TRUE(Application()->HintWindow()->isVisible());
  EXPECT_EQ(Application()->HintWindow()->Caption(), "hello");
  Application()->SetHintWindowClass(nullptr);
}

}  // namespace
