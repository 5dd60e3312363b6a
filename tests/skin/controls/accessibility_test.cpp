// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology reads of the skinned controls through Qt's
// accessibility interfaces: roles, names, states and actions of the button,
// the field, the list with its rows, the link and the hint window; the events
// when the list's current row moves; and the focus marks drawn for the
// keyboard.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <algorithm>
#include <vector>

#include "framework/tapplication.h"
#include "framework/tgroupbox.h"
#include "skin/controls/accessiblecontrols.h"
#include "skin/form/accessibleform.h"
#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskinedit.h"
#include "skin/controls/tbsskinhint.h"
#include "skin/controls/tbsskinhintwindow.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skin/controls/tbsskinlistbox.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

QAccessibleInterface* Of(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

struct Seen {
  QAccessible::Event Type;
  QObject* Object;
  int Child;
};
std::vector<Seen> gSeen;

// A client come: events on, each one the controls send recorded.
struct Client {
  Client() {
    gSeen.clear();
    QAccessible::setActive(true);
    WatchSentAccessibleEvents([](const QAccessibleEvent& e) { gSeen.push_back({e.type(), e.object(), e.child()}); });
  }
  ~Client() {
    WatchSentAccessibleEvents(nullptr);
    QAccessible::setActive(false);
  }
  static bool Has(QAccessible::Event type, QObject* object, int child) {
    for (const Seen& s : gSeen)
      if (s.Type == type && s.Object == object && s.Child == child) return true;
    return false;
  }
};

struct Accessibility : ::testing::Test {
  TForm form;
  bool Activate() {
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
  }
};

TEST_F(Accessibility, AButtonIsAPushButtonNamedByCaptionOrHintWhosePressClicksOnlyWhileEnabled) {
  form.SetHint("开始修改文件名");
  auto* button = new TbsSkinButton(form.ClientArea());
  int clicks = 0;
  button->OnClick = [&] { ++clicks; };
  QAccessibleInterface* a = Of(button);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->role(), QAccessible::PushButton);
  // No caption: the hint the hint window would show (the window's).
  EXPECT_EQ(a->text(QAccessible::Name), QString("开始修改文件名"));
  button->SetCaption("&Go");
  EXPECT_EQ(a->text(QAccessible::Name), QString("Go"));
  button->setAccessibleName("Start");
  EXPECT_EQ(a->text(QAccessible::Name), QString("Start"));

  ASSERT_TRUE(a->actionInterface());
  ASSERT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(a->state().focusable);
  button->SetEnabled(false);
  EXPECT_TRUE(a->state().disabled);
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);

  // A toggle of a group goes down as a click puts it down.
  button->SetEnabled(true);
  button->SetGroupIndex(1);
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(button->Down());
  EXPECT_TRUE(a->state().checked);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Accessibility, AFieldIsEditableTextNamedByItsGroupAndEditedAsTyping) {
  auto* group = new TGroupBox(form.ClientArea());
  group->SetCaption("命名范围");
  auto* field = new TbsSkinEdit(group);
  field->SetText("12");
  field->OnKeyPress = [](char& key) {
    if (key < '0' || key > '9') key = '\0';
  };
  QAccessibleInterface* a = Of(field->Editor());
  ASSERT_TRUE(a);
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  EXPECT_EQ(a->text(QAccessible::Name), QString("命名范围"));
  EXPECT_EQ(a->text(QAccessible::Value), QString("12"));
  EXPECT_TRUE(a->state().editable);
  EXPECT_FALSE(a->state().readOnly);
  field->setAccessibleName("命名范围 起始");
  EXPECT_EQ(a->text(QAccessible::Name), QString("命名范围 起始"));

  // Text and selection as the platform edit gives them.
  QAccessibleTextInterface* text = a->textInterface();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->characterCount(), 2);
  text->setSelection(0, 1, 2);
  int start = -1, end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(1, 2));
  EXPECT_EQ(field->SelText(), "2");

  // Edits go through the field's key judgement, as typed characters do.
  QAccessibleEditableTextInterface* edit = a->editableTextInterface();
  ASSERT_TRUE(edit);
  edit->replaceText(0, 2, "3a4");
  EXPECT_EQ(field->Text(), "34");
  edit->insertText(2, "5");
  edit->deleteText(0, 1);
  EXPECT_EQ(field->Text(), "45");
  a->setText(QAccessible::Value, "x7");
  EXPECT_EQ(field->Text(), "7");

  // Read-only and disabled fields take nothing.
  field->SetReadOnly(true);
  EXPECT_TRUE(a->state().readOnly);
  edit->insertText(0, "9");
  field->SetReadOnly(false);
  field->SetEnabled(false);
  EXPECT_TRUE(a->state().disabled);
  edit->insertText(0, "9");
  EXPECT_EQ(field->Text(), "7");
}

TEST_F(Accessibility, TheListsRowsAreItemsThatFollowItsLinesAndState) {
  ASSERT_TRUE(Activate());
  auto* box = new TbsSkinListBox(form.ClientArea());
  box->SetBounds(0, 0, 200, 100);
  box->setAccessibleName("文件列表");
  box->Items().Assign(std::vector<std::string>{"a.txt", "b.jpg", "c"});
  box->OnItemDescription = [](int index) { return "#" + std::to_string(index); };
  box->show();
  TbsListBox* list = box->InnerList();
  QAccessibleInterface* a = Of(list);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->role(), QAccessible::List);
  EXPECT_EQ(a->text(QAccessible::Name), QString("文件列表"));
  ASSERT_EQ(a->childCount(), 3);
  QAccessibleInterface* row = a->child(1);
  EXPECT_EQ(row->role(), QAccessible::ListItem);
  EXPECT_EQ(row->text(QAccessible::Name), QString("b.jpg"));
  EXPECT_EQ(row->text(QAccessible::Description), QString("#1"));
  EXPECT_EQ(a->indexOfChild(row), 1);
  EXPECT_EQ(row->parent(), a);
  EXPECT_TRUE(row->state().selectable);
  EXPECT_FALSE(row->state().selected);

  box->SetItemIndex(1);
  EXPECT_TRUE(row->state().selected);
  EXPECT_FALSE(row->state().focused);
  list->setFocus();
  EXPECT_TRUE(row->state().focused);
  EXPECT_FALSE(a->child(0)->state().focused);
  EXPECT_EQ(a->focusChild(), row);
  const QRect rowRect(list->mapToGlobal(QPoint(0, list->ItemHeight())), QSize(list->width(), list->ItemHeight()));
  EXPECT_EQ(row->rect(), rowRect);
  EXPECT_EQ(a->childAt(rowRect.center().x(), rowRect.center().y()), row);

  // New lines (another folder): the rows are read again, the old ones are gone.
  Client client;
  const QAccessible::Id old = QAccessible::uniqueId(row);
  box->Items().Assign(std::vector<std::string>{"d.png", "e"});
  EXPECT_EQ(QAccessible::accessibleInterface(old), nullptr);
  ASSERT_EQ(a->childCount(), 2);
  EXPECT_EQ(a->child(1)->text(QAccessible::Name), QString("e"));
  EXPECT_EQ(a->child(2), nullptr);
  EXPECT_TRUE(Client::Has(QAccessible::ObjectReorder, list, -1));
}

TEST_F(Accessibility, MovingTheCurrentRowTellsSelectionAndFocusWithTheRow) {
  ASSERT_TRUE(Activate());
  auto* box = new TbsSkinListBox(form.ClientArea());
  box->SetBounds(0, 0, 200, 100);
  box->Items().Assign(std::vector<std::string>{"a", "b", "c"});
  box->show();
  TbsListBox* list = box->InnerList();
  list->setFocus();
  ASSERT_TRUE(list->hasFocus());
  Client client;
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_TRUE(Client::Has(QAccessible::Selection, list, 0));
  EXPECT_TRUE(Client::Has(QAccessible::Focus, list, 0));
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_TRUE(Client::Has(QAccessible::Focus, list, 2));
  EXPECT_FALSE(Client::Has(QAccessible::Focus, list, 1));

  // Coming back to the list, the focus goes on to its current row once Qt
  // has told of the list's own (it does so after the focus-in event).
  form.setFocus();
  gSeen.clear();
  list->setFocus();
  EXPECT_FALSE(Client::Has(QAccessible::Focus, list, 2));
  QTest::qWait(1);
  EXPECT_TRUE(Client::Has(QAccessible::Focus, list, 2));
}

TEST_F(Accessibility, TheLinkIsALinkWithItsAddressOpenedByPressTabAndKeys) {
  ASSERT_TRUE(Activate());
  auto* label = new TbsSkinLinkLabel(form.ClientArea());
  label->SetCaption("Oradel工作室");
  label->SetURL("https://www.oradel.example/");
  std::vector<std::string> opened;
  label->OpenURL = [&](const std::string& url) {
    opened.push_back(url);
    return true;
  };
  label->show();
  QAccessibleInterface* a = Of(label);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->role(), QAccessible::Link);
  EXPECT_EQ(a->text(QAccessible::Name), QString("Oradel工作室"));
  EXPECT_EQ(a->text(QAccessible::Value), QString("https://www.oradel.example/"));
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(opened.size(), 1u);

  // Tab reaches it, a click does not focus it, Enter and Space open it.
  EXPECT_EQ(label->focusPolicy(), Qt::TabFocus);
  label->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(a->state().focused);
  QTest::keyClick(label, Qt::Key_Return);
  QTest::keyClick(label, Qt::Key_Space);
  QTest::keyClick(label, Qt::Key_A);
  EXPECT_EQ(opened, std::vector<std::string>(3, "https://www.oradel.example/"));
}

TEST_F(Accessibility, AHintIsAToolTipAndAReportAnAlertBothToldAsTheyShow) {
  Application()->SetMainForm(&form);
  auto* hint = new TbsSkinHint(&form);
  TbsSkinHintWindow window;
  QAccessibleInterface* a = Of(&window);
  ASSERT_TRUE(a);
  Client client;
  window.ShowHintWindow(TRect{10, 10, 10, 10}, "当前目录：/tmp/");
  EXPECT_EQ(a->role(), QAccessible::ToolTip);
  EXPECT_EQ(a->text(QAccessible::Name), QString("当前目录：/tmp/"));
  EXPECT_TRUE(Client::Has(QAccessible::ObjectShow, &window, -1));
  EXPECT_FALSE(Client::Has(QAccessible::Alert, &window, -1));
  window.SetAlert(true);
  window.ShowHintWindow(TRect{10, 10, 10, 10}, "已重命名 2 个文件");
  EXPECT_EQ(a->role(), QAccessible::AlertMessage);
  EXPECT_EQ(a->text(QAccessible::Name), QString("已重命名 2 个文件"));
  EXPECT_TRUE(Client::Has(QAccessible::Alert, &window, -1));
  window.hide();
  delete hint;
  Application()->SetMainForm(nullptr);
}

// The focused button differs from the hovered one by the dotted mark alone,
// in the caption colour; an empty focused list shows the mark at its edge.
TEST_F(Accessibility, FocusShowsAsADottedMarkApartFromTheHoverLook) {
  ASSERT_TRUE(Activate());
  auto* hovered = new TbsSkinButton(form.ClientArea());
  auto* focused = new TbsSkinButton(form.ClientArea());
  hovered->SetBounds(0, 0, 40, 30);
  focused->SetBounds(50, 0, 40, 30);
  hovered->show();
  focused->show();
  Enter(*hovered);
  focused->setFocus();
  ASSERT_TRUE(focused->hasFocus());
  const QImage h = Grab(*hovered), f = Grab(*focused);
  const QRgb ink = ToQColor(clBtnText).rgb();
  constexpr int kInset = TbsSkinButton::kFocusMarkInset;
  int marks = 0;
  for (int y = 0; y < h.height(); ++y)
    for (int x = 0; x < h.width(); ++x) {
      const bool onOutline = (x == kInset || x == h.width() - 1 - kInset || y == kInset || y == h.height() - 1 - kInset) &&
                             x >= kInset && x <= h.width() - 1 - kInset && y >= kInset && y <= h.height() - 1 - kInset;
      if (f.pixel(x, y) == h.pixel(x, y)) continue;
      EXPECT_TRUE(onOutline) << x << "," << y;
      EXPECT_EQ(f.pixel(x, y), ink) << x << "," << y;
      ++marks;
    }
  EXPECT_GT(marks, 2 * (40 - 2 * kInset) / 2);
  EXPECT_EQ(f.pixel(kInset, kInset), ink);
  EXPECT_EQ(f.pixel(kInset + 1, kInset), h.pixel(kInset + 1, kInset));

  auto* box = new TbsSkinListBox(form.ClientArea());
  box->SetBounds(0, 40, 100, 60);
  box->show();
  const QImage before = Grab(*box->InnerList());
  box->InnerList()->setFocus();
  const QImage after = Grab(*box->InnerList());
  const QRgb text = ToQColor(box->ItemTextColor()).rgb();
  EXPECT_NE(before.pixel(0, 0), text);
  EXPECT_EQ(after.pixel(0, 0), text);
  EXPECT_EQ(after.pixel(1, 0), before.pixel(1, 0));
  EXPECT_EQ(after.pixel(after.width() / 2, after.height() / 2), before.pixel(after.width() / 2, after.height() / 2));
}

}  // namespace
