// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology gets from the window layer: the window with its
// caption buttons, which press as a click does; an open popup menu with its
// items, their states and submenus, and the events a screen reader follows,
// with the system menu opened by its own key.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <map>
#include <vector>

#include "formtesthelpers.h"
#include "skin/form/accessibleform.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"

using namespace formtest;

namespace {

struct TSeenEvent {
  QAccessible::Event Type;
  QObject* Object;
  int Child;
};

std::vector<TSeenEvent>& Seen() {
  static std::vector<TSeenEvent> seen;
  return seen;
}

// A client is listening for the test's length: the events come to Seen().
struct Listening {
  Listening() {
    Seen().clear();
    InstallFormAccessibility();
    WatchSentAccessibleEvents(
        [](const QAccessibleEvent& e) { Seen().push_back({e.type(), e.object(), e.child()}); });
    QAccessible::setActive(true);
  }
  ~Listening() {
    WatchSentAccessibleEvents(nullptr);
    QAccessible::setActive(false);
  }
};

QAccessibleInterface* Of(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

std::map<QString, QAccessibleInterface*> ChildrenByName(QAccessibleInterface* parent) {
  std::map<QString, QAccessibleInterface*> named;
  for (int i = 0; i < parent->childCount(); ++i)
    if (QAccessibleInterface* c = parent->child(i)) named[c->text(QAccessible::Name)] = c;
  return named;
}

void Press(QAccessibleInterface* target, const QString& action = QAccessibleActionInterface::pressAction()) {
  ASSERT_TRUE(target->actionInterface());
  target->actionInterface()->doAction(action);
  QCoreApplication::processEvents();  // the press runs once the client's call has returned
}

TEST(WindowAccessibility, TheWindowHasItsCaptionAndItsCaptionButtonsPressAsAClickDoes) {
  FramedForm w;
  LoadSkin(*w.Data, FrameSkin());
  QAccessibleInterface* window = Of(&w.Form);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), "Frame");

  // The client area, then the five buttons drawn on the frame.
  ASSERT_EQ(window->childCount(), 6);
  EXPECT_EQ(window->child(0)->object(), w.Form.ClientArea());
  std::map<QString, QAccessibleInterface*> buttons;
  for (int i = 1; i < 6; ++i) {
    QAccessibleInterface* b = window->child(i);
    EXPECT_EQ(b->role(), QAccessible::Button);
    EXPECT_EQ(window->indexOfChild(b), i);
    EXPECT_EQ(b->parent(), window);
    buttons[b->text(QAccessible::Name)] = b;
  }
  ASSERT_EQ(buttons.size(), 5u);
  for (const char* name : {"Close", "Maximize", "Minimize", "Roll Up", "System menu"})
    EXPECT_TRUE(buttons.count(name)) << name;
  const TbsActiveSkinObject* max = w.Frame->FindObject("maxbutton");
  const QPoint origin = w.Form.mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(buttons["Maximize"]->rect(), QRect(origin.x() + max->Bounds.Left, origin.y() + max->Bounds.Top,
                                               RectWidthOf(max->Bounds), RectHeightOf(max->Bounds)));
  EXPECT_EQ(window->childAt(buttons["Maximize"]->rect().center().x(), buttons["Maximize"]->rect().center().y()),
            buttons["Maximize"]);
  EXPECT_EQ(buttons["System menu"]->text(QAccessible::Accelerator), "F10");
  EXPECT_TRUE(buttons["System menu"]->state().hasPopup);

  Press(buttons["Maximize"]);
  EXPECT_EQ(w.Frame->WindowState(), bswsMaximized);
  EXPECT_EQ(buttons["Maximize"]->text(QAccessible::Description), "Restore");
  Press(buttons["Maximize"]);
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  Press(buttons["Roll Up"]);
  EXPECT_TRUE(w.Frame->RolledUp());
  Press(buttons["Roll Up"]);
  EXPECT_FALSE(w.Frame->RolledUp());
  Press(buttons["System menu"]);
  EXPECT_TRUE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_TRUE(buttons["System menu"]->state().pressed);
  w.Frame->CloseMenus();

  // A button the window does not offer is there but cannot be pressed.
  w.Frame->SetBorderIcons(kDefaultFrameBorderIcons & ~biMaximize);
  EXPECT_TRUE(buttons["Maximize"]->state().disabled);
  EXPECT_TRUE(buttons["Maximize"]->actionInterface()->actionNames().isEmpty());
  Press(buttons["Maximize"]);
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal);
  Press(buttons["Close"]);
  EXPECT_FALSE(w.Form.isVisible());
}

TEST(MenuAccessibility, AnOpenMenuShowsItsItemsAndTellsOfOpeningHighlightAndClosing) {
  Listening client;
  FramedForm w;
  TPopupMenu own(&w.Form);
  own.Items()->Add("off", "&Disabled")->SetEnabled(false);
  TMenuItem* checked = own.Items()->Add("check", "C&hecked");
  checked->SetChecked(true);
  bool checkedClicked = false;
  checked->OnClick = [&] { checkedClicked = true; };
  own.Items()->Add("switch", "&Switch")->SetCheckable(true);  // off, yet a switch
  TMenuItem* more = own.Items()->Add("more", "&More");
  more->Add("inner", "&Inner");
  more->Add("other", "&Other");
  w.Frame->SetSystemMenu(&own);  // the frame's items join ours: minimise first, close last
  QTest::keyClick(&w.Form, Qt::Key_F10);
  ASSERT_TRUE(w.Frame->SkinMenu()->IsOpen());
  TbsSkinPopupWindow* popup = w.Frame->SkinMenu()->Window(0);

  QAccessibleInterface* menu = Of(popup);
  EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
  EXPECT_EQ(menu->text(QAccessible::Name), "System menu");
  // Found from the window it serves, after the client area and the buttons.
  QAccessibleInterface* window = Of(&w.Form);
  EXPECT_EQ(menu->parent(), window);
  EXPECT_EQ(window->childCount(), 1 + w.Frame->ObjectCount() + 1);
  EXPECT_EQ(window->child(window->childCount() - 1), menu);
  EXPECT_EQ(window->indexOfChild(menu), window->childCount() - 1);
  std::map<QString, QAccessibleInterface*> items = ChildrenByName(menu);
  for (const char* name : {"Minimize", "Maximize", "RollUp", "Disabled", "Checked", "More", "Close"})
    ASSERT_TRUE(items.count(name)) << name;
  EXPECT_EQ(items["Close"]->role(), QAccessible::MenuItem);
  EXPECT_EQ(items["Close"]->text(QAccessible::Accelerator), "Alt+F4");
  EXPECT_EQ(items["Close"]->parent(), menu);
  EXPECT_TRUE(items["Disabled"]->state().disabled);
  EXPECT_FALSE(items["Checked"]->state().disabled);
  EXPECT_TRUE(items["Checked"]->state().checked);
  EXPECT_FALSE(items["Minimize"]->state().checked);
  EXPECT_FALSE(items["Minimize"]->state().checkable);
  EXPECT_TRUE(items["Switch"]->state().checkable);
  EXPECT_FALSE(items["Switch"]->state().checked);
  EXPECT_TRUE(items["More"]->state().hasPopup);
  EXPECT_EQ(items["More"]->childCount(), 0);
  const QRect rect = items["More"]->rect();
  EXPECT_EQ(menu->childAt(rect.center().x(), rect.center().y()), items["More"]);

  // Opened, then the first item highlighted.
  ASSERT_EQ(Seen().size(), 2u);
  EXPECT_EQ(Seen()[0].Type, QAccessible::PopupMenuStart);
  EXPECT_EQ(Seen()[0].Object, popup);
  EXPECT_EQ(Seen()[1].Type, QAccessible::Focus);
  EXPECT_EQ(menu->child(Seen()[1].Child), items["Minimize"]);
  EXPECT_TRUE(items["Minimize"]->state().focused);

  // The arrows walk to the submenu's item, past the disabled one.
  Seen().clear();
  while (popup->ActiveItem() < 0 || menu->child(popup->ActiveItem()) != items["More"]) {
    QTest::keyClick(popup, Qt::Key_Down);
    ASSERT_FALSE(Seen().empty());
    ASSERT_NE(menu->child(Seen().back().Child), items["Disabled"]);
  }
  EXPECT_EQ(Seen().back().Type, QAccessible::Focus);
  QTest::keyClick(popup, Qt::Key_Right);
  TbsSkinPopupWindow* sub = w.Frame->SkinMenu()->Window(1);
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(items["More"]->childCount(), 1);
  QAccessibleInterface* subMenu = items["More"]->child(0);
  EXPECT_EQ(subMenu, Of(sub));
  EXPECT_EQ(subMenu->text(QAccessible::Name), "More");
  EXPECT_EQ(subMenu->parent(), items["More"]);
  EXPECT_EQ(subMenu->child(1)->text(QAccessible::Name), "Other");
  EXPECT_EQ(Seen()[Seen().size() - 2].Type, QAccessible::PopupMenuStart);
  EXPECT_EQ(Seen().back().Object, sub);
  QTest::keyClick(sub, Qt::Key_Escape);  // closed, and back on its item
  ASSERT_GE(Seen().size(), 2u);
  EXPECT_EQ(Seen()[Seen().size() - 2].Type, QAccessible::PopupMenuEnd);
  EXPECT_EQ(Seen()[Seen().size() - 2].Object, sub);
  EXPECT_EQ(Seen().back().Type, QAccessible::Focus);
  EXPECT_EQ(menu->child(Seen().back().Child), items["More"]);

  // Pressing an item runs it as a click does: the menu closes.
  Press(items["Checked"], QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(checkedClicked);
  EXPECT_FALSE(w.Frame->SkinMenu()->IsOpen());
  EXPECT_EQ(Seen().back().Type, QAccessible::PopupMenuEnd);
  EXPECT_EQ(Seen().back().Object, popup);
}

}  // namespace
