// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <vector>

#include "framework/sysutils.h"
#include "framework/tapplication.h"
#include "framework/tedit.h"
#include "framework/tform.h"
#include "messageboxes.h"

namespace {

TEST(ErrorBox, AddsAFullStopOnlyAfterCharactersThatSortAfterItAndNeverAfterASentenceEnd) {
  EXPECT_EQ(TApplication::ErrorBoxText("'' is not a valid integer value"),
            "'' is not a valid integer value.");
  EXPECT_EQ(TApplication::ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(TApplication::ErrorBoxText("Stop!"), "Stop!");      // '!' sorts before '.'
  EXPECT_EQ(TApplication::ErrorBoxText("(x)"), "(x)");          // ')' too
  EXPECT_EQ(TApplication::ErrorBoxText("失败"), "失败.");
  EXPECT_EQ(TApplication::ErrorBoxText(""), "");
  for (const char* ended : {"Why?", "未做任何更改。", "不行！", "为什么？"})
    EXPECT_EQ(TApplication::ErrorBoxText(ended), ended);
}

// A handler's error ends where the framework called the handler: shown there,
// and never unwound through Qt's event delivery to the loop's last resort.
class HandlerErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    Application()->SetTitle("Title of the program");
    form.SetBounds(0, 0, 300, 200);
    reachedLoop = Application()->ExceptionsReachingTheLoop();
  }
  void ShowForm() {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  void ExpectOneBox(const std::string& text) {
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Title, "Title of the program");
    EXPECT_EQ(boxes.Shown[0].Text, text);
    EXPECT_EQ(boxes.Shown[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(Application()->ExceptionsReachingTheLoop(), reachedLoop);
  }

  TForm form;
  MessageBoxes boxes;
  int reachedLoop = 0;
};

TEST_F(HandlerErrors, AFailingClickIsShownAndTheProgramGoesOn) {
  auto* control = new TControl(form.ClientArea());
  control->SetBounds(0, 0, 50, 50);
  int clicks = 0;
  control->OnClick = [&] {
    if (++clicks == 1) throw EConvertError("'abc' is not a valid integer value");
  };
  ShowForm();
  QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
  ExpectOneBox("'abc' is not a valid integer value.");
  QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST_F(HandlerErrors, AFailingKeyPressIsShownAndItsCharacterDropped) {
  auto* edit = new TEdit(form.ClientArea());
  edit->SetBounds(0, 0, 100, 24);
  edit->OnKeyPress = [](char& key) {
    if (key == 'x') throw EConvertError("no x here");
  };
  ShowForm();
  edit->SetFocus();
  QTest::keyClicks(edit->Editor(), "axb");
  ExpectOneBox("no x here.");
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(HandlerErrors, AFailingChangeInsideThePlatformEditIsShown) {
  auto* edit = new TEdit(form.ClientArea());
  edit->SetBounds(0, 0, 100, 24);
  edit->OnChange = [] { throw EConvertError("changed"); };
  ShowForm();
  edit->SetFocus();
  QTest::keyClick(edit->Editor(), Qt::Key_1);
  ExpectOneBox("changed.");
  EXPECT_EQ(edit->Text(), "1");
}

TEST_F(HandlerErrors, AFailingCloseHandlerIsShownAndTheFormStaysOpen) {
  form.OnClose = [](TCloseAction&) { throw EConvertError("cannot close"); };
  ShowForm();
  EXPECT_FALSE(form.close());
  ExpectOneBox("cannot close.");
  EXPECT_TRUE(form.isVisible());
  form.OnClose = nullptr;
  EXPECT_TRUE(form.close());
}

TEST_F(HandlerErrors, AFailingTimerHandlerIsShownAndTheTimerGoesOn) {
  // The hint timer runs the program's hint window class.
  int made = 0;
  Application()->SetHintWindowClass([&]() -> THintWindow* {
    if (++made == 1) throw EConvertError("no hint window");
    return new THintWindow;
  });
  Application()->SetHintPause(10);
  form.SetShowHint(true);
  auto* target = new TControl(form.ClientArea());
  target->SetBounds(0, 0, 100, 100);
  target->SetHint("hello");
  auto* other = new TControl(form.ClientArea());
  other->SetBounds(100, 100, 100, 100);
  ShowForm();
  QTest::mouseMove(other, QPoint(5, 5));
  QTest::mouseMove(target, QPoint(5, 5));
  for (int i = 0; i < 100 && boxes.Shown.empty(); ++i) QTest::qWait(10);
  ExpectOneBox("no hint window.");
  // The next hint is shown as usual.
  QTest::mouseMove(other, QPoint(5, 5));
  QTest::mouseMove(target, QPoint(6, 6));
  for (int i = 0; i < 100 && !(Application()->HintWindow() && Application()->HintWindow()->isVisible()); ++i)
    QTest::qWait(10);
  EXPECT_EQ(made, 2);
  Application()->CancelHint();
  Application()->SetHintWindowClass(nullptr);
  Application()->SetHintPause(500);
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
