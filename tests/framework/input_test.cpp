// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QContextMenuEvent>
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

TEST_F(EditInput, EveryTypedCharacterReachesTheHandlerAndAWideOneComesAsAStandIn) {
  // A French number row, a full-width digit and a Chinese character.
  for (const char* typed : {"é", "１", "中", "7"}) Type(QString::fromUtf8(typed));
  EXPECT_EQ(seen, "???7");
  EXPECT_EQ(digits->Text(), "7");

  // A handler that keeps the stand-in lets the character itself in, whole.
  std::string keptSeen;
  after->OnKeyPress = [&](char& key) { keptSeen += key; };
  after->SetFocus();
  Type(QString::fromUtf8("中"));
  Type(QString::fromUtf8("é"));
  Type(QString::fromUtf8("\U0001F600"));  // beyond 16 bits: one character, one offer
  EXPECT_EQ(keptSeen, "???");
  EXPECT_EQ(after->Text(), "中é\U0001F600");

  // A key that types several characters has each of them judged.
  after->OnKeyPress = [](char& key) { if (key == 'a') key = 'b'; else if (key == '?') key = '\0'; };
  after->SetText("");
  Type(QString::fromUtf8("a中c"));
  EXPECT_EQ(after->Text(), "bc");
}

TEST_F(EditInput, InputMethodTextIsJudgedCharacterByCharacter) {
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("１2中3x"));
  QApplication::sendEvent(digits->Editor(), &commit);
  EXPECT_EQ(seen, "?2?3x");
  EXPECT_EQ(digits->Text(), "23");

  // Without a handler the committed text goes in unchanged.
  after->SetFocus();
  QInputMethodEvent chinese;
  chinese.setCommitString(QString::fromUtf8("批量"));
  QApplication::sendEvent(after->Editor(), &chinese);
  EXPECT_EQ(after->Text(), "批量");
}

TEST_F(EditInput, PastedTextIsJudgedCharacterByCharacter) {
  QGuiApplication::clipboard()->setText(QString::fromUtf8("4a5中6"));
  QTest::keyClick(digits->Editor(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(digits->Text(), "456");
  EXPECT_EQ(seen, "4a5?6");

  // A paste the handler drops whole leaves a selection standing.
  digits->SelectAll();
  QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
  digits->PasteFromClipboard();
  EXPECT_EQ(digits->Text(), "456");

  QGuiApplication::clipboard()->setText(QString::fromUtf8("前缀"));
  after->PasteFromClipboard();
  EXPECT_EQ(after->Text(), "前缀");
}

TEST_F(EditInput, TheContextMenusPasteIsJudgedToo) {
  QGuiApplication::clipboard()->setText(QStringLiteral("7x8"));
  bool pasted = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("&Paste"))) {
          action->trigger();
          pasted = true;
        }
      menu->close();
    }
  });
  poll.start();
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), digits->Editor()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(digits->Editor(), &menuEvent);
  EXPECT_TRUE(pasted);
  EXPECT_EQ(digits->Text(), "78");
  EXPECT_EQ(seen, "7x8");
}

TEST_F(EditInput, DroppedTextIsJudgedToo) {
  QMimeData dropped;
  dropped.setText(QString::fromUtf8("1中a2"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(digits->Editor(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(digits->Editor(), &drop);
  EXPECT_EQ(digits->Text(), "12");
  EXPECT_EQ(seen, "1?a2");
}

}  // namespace
