// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as assistive technology reads and works it through Qt's
// accessibility interfaces: every control of the tool strip and the list by
// name and role, the whole job done by accessible actions alone (checked on
// the disk), the preview's new names in the rows, and the batch strip.

#include <QAccessible>
#include <chrono>
#include <thread>

#include "app/tbatchstrip.h"
#include "renamer/trenamebatch.h"
#include "skin/controls/tbslistbox.h"
#include "windowtest.h"

namespace {

using namespace std::chrono_literals;

QAccessibleInterface* Of(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

QStringList RowNames(QAccessibleInterface* list) {
  QStringList names;
  for (int i = 0; i < list->childCount(); ++i) names << list->child(i)->text(QAccessible::Name);
  return names;
}

void Press(QAccessibleInterface* a) { a->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); }

class AccessibleWindow : public wintest::Window {
 protected:
  void TearDown() override {
    TRenameBatch::TestHookAfterEachFile = nullptr;
    wintest::Window::TearDown();
  }
};

TEST_F(AccessibleWindow, EveryControlHasItsNameAndRoleAndTheJobIsDoneByActionsAlone) {
  Write("a.txt", "A");
  Write("b.txt", "B");
  TmainForm& f = Open();

  struct Field {
    TbsSkinEdit* Edit;
    const char* Name;
    const char* Value;
  };
  for (const Field& field : {Field{f.EdtFindEx, "查找文件", "*.*"}, Field{f.EdtFrontName, "批量命名前缀", "My"},
                             Field{f.EdtRangestart, "命名范围 起始", "0"}, Field{f.EdtRangeend, "命名范围 结束", "2"}}) {
    QAccessibleInterface* a = Of(field.Edit->Editor());
    EXPECT_EQ(a->role(), QAccessible::EditableText) << field.Name;
    EXPECT_EQ(a->text(QAccessible::Name), QString(field.Name));
    EXPECT_EQ(a->text(QAccessible::Value), QString(field.Value)) << field.Name;
  }
  EXPECT_TRUE(Of(f.EdtRangeend->Editor())->state().disabled);
  QAccessibleInterface* button = Of(f.btnQuillo);
  EXPECT_EQ(button->role(), QAccessible::PushButton);
  EXPECT_EQ(button->text(QAccessible::Name), QString("开始修改文件名"));
  QAccessibleInterface* link = Of(f.bsSkinLinkLabel1);
  EXPECT_EQ(link->role(), QAccessible::Link);
  EXPECT_EQ(link->text(QAccessible::Name), QString("Oradel工作室"));
  QAccessibleInterface* list = Of(f.ListBox1->InnerList());
  EXPECT_EQ(list->role(), QAccessible::List);
  EXPECT_EQ(list->text(QAccessible::Name), QString("文件列表"));
  EXPECT_EQ(RowNames(list), (QStringList{"a.txt", "b.txt"}));

  // The prefix a screen reader sets is the prefix the batch uses.
  QAccessibleInterface* prefix = Of(f.EdtFrontName->Editor());
  prefix->editableTextInterface()->replaceText(0, prefix->textInterface()->characterCount(), "Q");
  EXPECT_EQ(f.EdtFrontName->Text(), "Q");
  Press(button);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"Q1.txt", "file:A"}, {"Q2.txt", "file:B"}}));
  EXPECT_EQ(RowNames(list), (QStringList{"Q1.txt", "Q2.txt"}));
}

TEST_F(AccessibleWindow, ThePreviewsNewNamesAreInTheRowsWhichFollowTheListing) {
  Write("a.txt");
  Write("b.jpg");
  MakeDir("My2.jpg");
  TmainForm& f = Open();
  f.SetPreview(true);
  QAccessibleInterface* list = Of(f.ListBox1->InnerList());
  ASSERT_EQ(list->childCount(), 2);
  EXPECT_EQ(list->child(0)->text(QAccessible::Description), QString("改名为 My1.txt"));
  EXPECT_EQ(list->child(1)->text(QAccessible::Description), QString("改名为 My2.jpg（已存在）"));
  f.EdtFindEx->SetText("*.jpg");
  f.filesearchExecute();
  EXPECT_EQ(RowNames(list), QStringList{"b.jpg"});
  EXPECT_EQ(list->child(0)->text(QAccessible::Description), QString("改名为 My1.jpg"));
  f.SetPreview(false);
  EXPECT_EQ(list->child(0)->text(QAccessible::Description), QString());
}

TEST_F(AccessibleWindow, WhileABatchRunsTheButtonIsUnavailableAndTheStripsCancelStopsIt) {
  constexpr int kFiles = 300;
  for (int i = 0; i < kFiles; ++i) Write("f" + std::to_string(i) + ".txt");
  TRenameBatch::TestHookAfterEachFile = [](std::size_t) { std::this_thread::sleep_for(6ms); };
  TmainForm& f = Open();
  QAccessibleInterface* button = Of(f.btnQuillo);
  Press(button);
  ASSERT_TRUE(f.BatchRunning());
  EXPECT_TRUE(button->state().disabled);
  ASSERT_TRUE(wintest::WaitFor([&] { return f.BatchStrip->Visible(); }, 3000));

  QAccessibleInterface* strip = Of(f.BatchStrip);
  EXPECT_EQ(strip->role(), QAccessible::ProgressBar);
  EXPECT_EQ(strip->text(QAccessible::Name), QString("正在重命名"));
  QAccessibleValueInterface* value = strip->valueInterface();
  ASSERT_TRUE(value);
  EXPECT_EQ(value->maximumValue().toInt(), kFiles);
  EXPECT_EQ(value->minimumValue().toInt(), 0);
  EXPECT_EQ(value->currentValue().toULongLong(), f.BatchStrip->Done());
  ASSERT_EQ(strip->childCount(), 1);
  QAccessibleInterface* cancel = strip->child(0);
  EXPECT_EQ(cancel->role(), QAccessible::PushButton);
  EXPECT_EQ(cancel->text(QAccessible::Name), QString("取消"));
  EXPECT_EQ(cancel->parent(), strip);
  Press(cancel);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_FALSE(button->state().disabled);
  // Stopped between two files: some kept their names.
  int moved = 0;
  for (const auto& [name, bytes] : Contents()) moved += name.rfind("My", 0) == 0;
  EXPECT_GT(moved, 0);
  EXPECT_LT(moved, kFiles);
}

}  // namespace
