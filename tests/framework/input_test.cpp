#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "framework/tedit.h"
#include "framework/tform.h"

namespace {

// A form with a digits-only field between two ordinary ones, the way the
// main window filters its start number.
class EditInput : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 300, 120);
    before = NewEdit(0);
    digits = NewEdit(30);
    after = NewEdit(60);
    digits->OnKeyPress = [this](char& key) {
      seen += key;
      if (key < '0' || key > '9') key = '\0';
    };
    digits->OnExit = [this] { ++exits; };
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    digits->SetFocus();
    ASSERT_TRUE(digits->Editor()->hasFocus());
  }

  TEdit* NewEdit(int top) {
    auto* e = new TEdit(form.ClientArea());
    e->SetBounds(10, top, 200, 24);
    return e;
  }

  // A key that types `text`, as the keyboard delivers it.
  void Type(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(QApplication::focusWidget(), &press);
  }

  TForm form;
  TEdit* before = nullptr;
  TEdit* digits = nullptr;
  TEdit* after = nullptr;
  std::string seen;
  int exits = 0;
};

TEST_F(EditInput, TabAndShiftTabLeaveAFilteredFieldAndRunItsFocusLeftHandler) {
  QTest::keyClick(digits->Editor(), Qt::Key_Tab);
  EXPECT_TRUE(after->Editor()->hasFocus());
  EXPECT_EQ(exits, 1);
  digits->SetFocus();
  QTest::keyClick(digits->Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(before->Editor()->hasFocus());
  EXPECT_EQ(exits, 2);
  // Tab moved the focus; no character was made of it.
  EXPECT_EQ(seen.find('\t'), std::string::npos);
  EXPECT_EQ(digits->Text(), "");
}

}  // namespace
