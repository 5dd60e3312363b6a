// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "framework/taction.h"
#include "framework/tmenuitem.h"
#include "framework/tpopupmenu.h"

namespace {

std::string Names(const TMenuItem& menu) {
  std::string out;
  for (int i = 0; i < menu.Count(); ++i) out += (i ? "," : "") + menu.Items(i)->Name();
  return out;
}

TEST(MenuModel, InsertAtTopAndAddAtEndKeepMenuOrder) {
  TMenuItem root;
  root.Add("own", "Own");
  for (const char* name : {"tray", "roll", "max", "min"}) {
    auto* item = new TMenuItem;
    item->SetName(name);
    root.Insert(0, item);
  }
  root.Add("close", "&Close");
  EXPECT_EQ(Names(root), "min,max,roll,tray,own,close");
  EXPECT_EQ(root.IndexOf(root.Find("tray")), 3);
  EXPECT_EQ(root.Find("missing"), nullptr);
  EXPECT_EQ(root.Items(6), nullptr);
  EXPECT_EQ(root.Items(-1), nullptr);
}

TEST(MenuModel, RemovedItemLeavesItsMenuAndFreedItemsDropOut) {
  TMenuItem root;
  TMenuItem* a = root.Add("a", "A");
  root.Add("b", "B");
  std::unique_ptr<TMenuItem> taken = root.Remove(a);
  ASSERT_EQ(taken.get(), a);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(Names(root), "b");
  // Freeing an item by itself takes it out of its menu.
  root.Add("c", "C");
  delete root.Find("b");  // NOLINT: the test frees one item directly on purpose
  EXPECT_EQ(Names(root), "c");
  // Moving an item to another menu takes it out of the first.
  TMenuItem other;
  other.Add(taken.release());
  EXPECT_EQ(Names(other), "a");
  EXPECT_EQ(a->Parent(), &other);
}

TEST(MenuModel, FreeingAMenuTreeFreesEveryLevel) {
  QPointer<TMenuItem> leaf;
  {
    TMenuItem root;
    TMenuItem* sub = root.Add("sub", "Sub");
    leaf = sub->Add("leaf", "Leaf");
  }
  EXPECT_TRUE(leaf.isNull());
}

TEST(MenuModel, RadioItemsUncheckTheirGroupOnly) {
  TMenuItem root;
  TMenuItem* r1 = root.Add("r1", "One");
  TMenuItem* r2 = root.Add("r2", "Two");
  TMenuItem* other = root.Add("r3", "Other group");
  TMenuItem* plain = root.Add("plain", "Plain");
  for (TMenuItem* item : {r1, r2, other}) item->SetRadioItem(true);
  other->SetGroupIndex(1);
  plain->SetChecked(true);
  other->SetChecked(true);
  r1->SetChecked(true);
  r2->SetChecked(true);
  EXPECT_FALSE(r1->Checked());
  EXPECT_TRUE(r2->Checked());
  EXPECT_TRUE(other->Checked());
  EXPECT_TRUE(plain->Checked());
}

TEST(MenuModel, ClickRunsOnlyEnabledItemsAndSurvivesAHandlerThatFreesTheMenu) {
  auto root = std::make_unique<TMenuItem>();
  int runs = 0;
  TMenuItem* item = root->Add("x", "&Exit", [&] { ++runs; });
  item->SetEnabled(false);
  EXPECT_FALSE(item->Click());
  item->SetEnabled(true);
  EXPECT_TRUE(item->Click());
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(root->Add("none", "No handler")->Click());
  // The handler frees the whole menu, item included.
  item->OnClick = [&] { ++runs; root.reset(); };
  EXPECT_TRUE(item->Click());
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(root, nullptr);
}

TEST(MenuModel, ActionGivesCaptionEnabledAndTheCommand) {
  TActionList list(nullptr);
  auto* action = new TAction(&list, "act");
  action->SetCaption("&Open");
  action->SetEnabled(false);
  int runs = 0;
  action->OnExecute = [&] { ++runs; };
  TMenuItem item;
  item.OnClick = [] { FAIL() << "the action runs instead"; };
  item.SetAction(action);
  EXPECT_EQ(item.Caption(), "&Open");
  EXPECT_FALSE(item.Enabled());
  EXPECT_FALSE(item.Click());
  action->SetEnabled(true);
  item.UpdateFromAction();
  EXPECT_TRUE(item.Click());
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(item.Accelerator(), 'o');
  item.SetCaption("-");
  EXPECT_TRUE(item.IsLine());
}

TEST(PopupMenuModel, PopupRunsOnPopupBeforeThePresenterAndFindsItemsAtAnyDepth) {
  TPopupMenu menu;
  std::string log;
  menu.OnPopup = [&] { log += "popup;"; menu.Items()->Add("late", "Late"); };
  TPopupMenu::SetPresenter([&](TPopupMenu& shown, int x, int y) {
    log += "show " + std::to_string(x) + "," + std::to_string(y) + " items " + std::to_string(shown.Items()->Count());
  });
  menu.Popup(30, 40);
  TPopupMenu::SetPresenter({});
  EXPECT_EQ(log, "popup;show 30,40 items 1");
  EXPECT_EQ(menu.PopupPoint(), Point(30, 40));
  TMenuItem* sub = menu.Items()->Add("sub", "Sub");
  TMenuItem* deep = sub->Add("deep", "Deep");
  deep->SetDefault(true);
  EXPECT_EQ(menu.FindItem("deep"), deep);
  EXPECT_EQ(menu.DefaultItem(), nullptr);  // only the menu's own level counts
  sub->SetDefault(true);
  EXPECT_EQ(menu.DefaultItem(), sub);
  EXPECT_TRUE(menu.AutoPopup());
  {
    QObject opener;
    menu.SetPopupComponent(&opener);
    EXPECT_EQ(menu.PopupComponent(), &opener);
  }
  EXPECT_EQ(menu.PopupComponent(), nullptr);
}

}  // namespace
