// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's folder tree and its two skinned bars, on a temporary
// home whose desktop folder each test fills.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <cstdlib>

#include "realx.h"
#include "windowtest.h"
#include "app/tmainform.h"
#include "framework/tapplication.h"
#include "platform/pastejob.h"
#include "platform/shellfileops.h"
#include "skin/shell/shellmenu.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using realx::Xdo;

class MainWindowTree : public wintest::Window {
 protected:
  void SetUp() override {
    Window::SetUp();
    setenv("XDG_DATA_HOME", (Home.Path() + ".local/share").c_str(), 1);
  }
  void TearDown() override {
    Window::TearDown();
    unsetenv("XDG_DATA_HOME");
  }

  void Click(const std::string& caption) {
    QTreeWidgetItem* node = Form->ShellTreeView1->FindNode(caption);
    ASSERT_TRUE(node) << caption;
    QTreeWidget* tree = Form->ShellTreeView1->Tree();
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
  }
};

TEST_F(MainWindowTree, TheTreeStartsOnTheDesktopWithTheSkinsLookAndNoBars) {
  Home.MakeDir("Desktop/Photos");
  TmainForm& f = Open();
  TbsSkinDirTreeView* tree = f.ShellTreeView1;
  QTreeWidgetItem* root = tree->Tree()->topLevelItem(0);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->text(0).toStdString(), "桌面");
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(tree->Selected(), root);
  EXPECT_EQ(tree->SelectedPath() + "/", Desktop);
  EXPECT_EQ(tree->Indent(), 19);
  EXPECT_FALSE(tree->ShowRoot());
  EXPECT_EQ(tree->SkinData(), f.bsSkinData);
  EXPECT_NE(tree->SkinIndex(), -1);
  EXPECT_EQ(ToQColor(tree->TreeColor()), QColor(255, 255, 255));
  EXPECT_EQ(ToQColor(tree->TreeFontColor()), QColor(0, 0, 0));
  EXPECT_EQ(tree->VScrollBar(), f.bsSkinScrollBar1);
  EXPECT_EQ(tree->HScrollBar(), f.bsSkinScrollBar2);
  EXPECT_FALSE(f.bsSkinScrollBar1->Visible());
  EXPECT_FALSE(f.bsSkinScrollBar2->Visible());
  EXPECT_EQ(f.bsSkinScrollBar1->SkinDataName(), "vscrollbar");
  EXPECT_EQ(f.bsSkinScrollBar2->SkinDataName(), "hscrollbar");
  EXPECT_EQ(f.bsSkinScrollBar1->Kind(), sbVertical);
  EXPECT_FALSE(f.bsSkinScrollBar1->CanFocused());
  // The tree fills the pane inside its frame.
  EXPECT_EQ(tree->BoundsRect(), f.bsSkinPanel1->ClientRect());
}

TEST_F(MainWindowTree, ManyFoldersBringTheSkinnedBarAndThePaneGivesItRoom) {
  for (int i = 0; i < 40; ++i) Home.MakeDir("Desktop/folder " + std::to_string(i));
  TmainForm& f = Open();
  TbsSkinDirTreeView* tree = f.ShellTreeView1;
  const TRect pane = f.bsSkinPanel1->ClientRect();
  EXPECT_TRUE(f.bsSkinScrollBar1->Visible());
  const int barWidth = f.bsSkinScrollBar1->Width();  // the skin's bar picture decides it
  EXPECT_GT(barWidth, 0);
  EXPECT_EQ(tree->Width(), pane.Width() - barWidth);
  EXPECT_EQ(f.bsSkinScrollBar1->BoundsRect().Left, tree->BoundsRect().Right);
  EXPECT_EQ(f.bsSkinScrollBar1->Max(), 43);  // the desktop, 3 places, 40 folders: rows - 1
  // Scrolling with the skinned bar moves the tree.
  f.bsSkinScrollBar1->SetPosition(5);
  EXPECT_EQ(tree->Tree()->indexAt(QPoint(5, 2)).row(), 5 - 1);  // row 5 is the 5th child of the desktop
  tree->Tree()->collapseItem(tree->Tree()->topLevelItem(0));
  EXPECT_FALSE(f.bsSkinScrollBar1->Visible());
  EXPECT_EQ(tree->Width(), pane.Width());
}

// Arrows move the highlight only; Enter lists the highlighted folder; a
// batch renames the listed folder and lists that same folder afterwards.
TEST_F(MainWindowTree, TheListAndTheTreeAgreeOnTheFolderABatchRenames) {
  Home.MakeDir("Desktop/one");
  Home.MakeDir("Desktop/two");
  Home.WriteFile("Desktop/one/a.txt", "a");
  Home.WriteFile("Desktop/two/b.txt", "b");
  TmainForm& f = Open();
  Click("one");
  QTreeWidget* tree = f.ShellTreeView1->Tree();
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  ASSERT_EQ(f.ShellTreeView1->SelectedPath(), Desktop + "two");
  EXPECT_EQ(f.CurrentDir(), Desktop + "one/") << "an arrow lists nothing";
  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(f.CurrentDir(), Desktop + "one/");
  EXPECT_EQ(f.ListBox1->Items().Items(), (std::vector<std::string>{"My1.txt"}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "two/"), (std::map<std::string, std::string>{{"b.txt", "file:b"}}));
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_EQ(f.CurrentDir(), Desktop + "two/");
  EXPECT_EQ(f.ListBox1->Items().Items(), (std::vector<std::string>{"b.txt"}));
}

// The tree shows the disk as it is now: after its own cut and paste, after
// folders made outside once their parent is opened again, and on F5.
TEST_F(MainWindowTree, TheTreeReadsAgainWhatItsCommandsAndOthersChanged) {
  Home.MakeDir("Desktop/one");
  Home.MakeDir("Desktop/one/moved");
  Home.MakeDir("Desktop/two");
  Home.MakeDir("Desktop/two/x");
  TmainForm& f = Open();
  TbsSkinDirTreeView& view = *f.ShellTreeView1;
  QTreeWidget* tree = view.Tree();
  const auto children = [&](const char* caption) {
    std::vector<std::string> names;
    if (QTreeWidgetItem* n = view.FindNode(caption))
      for (int i = 0; i < n->childCount(); ++i) names.push_back(n->child(i)->text(0).toStdString());
    return names;
  };
  tree->expandItem(view.FindNode("one"));
  tree->expandItem(view.FindNode("two"));
  ASSERT_EQ(children("one"), (std::vector<std::string>{"moved"}));

  // Cut in one folder, pasted in another: gone from the first, shown in the second.
  Click("moved");
  ASSERT_TRUE(RunShellVerb(&view, *view.SelectedItem(), "cut"));
  Click("two");
  ASSERT_TRUE(RunShellVerb(&view, *view.SelectedItem(), "paste"));
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(children("one"), std::vector<std::string>{});
  EXPECT_EQ(children("two"), (std::vector<std::string>{"moved", "x"}));

  // Made by another program: shown once the folder is opened again.
  Home.MakeDir("Desktop/two/y");
  tree->collapseItem(view.FindNode("two"));
  tree->expandItem(view.FindNode("two"));
  QCoreApplication::processEvents();
  EXPECT_EQ(children("two"), (std::vector<std::string>{"moved", "x", "y"}));

  // F5 reads the selected folder again and lists it.
  Home.MakeDir("Desktop/two/z");
  Home.WriteFile("Desktop/two/new.txt", "n");
  Click("two");
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_F5);
  EXPECT_EQ(children("two"), (std::vector<std::string>{"moved", "x", "y", "z"}));
  EXPECT_EQ(f.CurrentDir(), Desktop + "two/");
  EXPECT_EQ(f.ListBox1->Items().Items(), (std::vector<std::string>{"new.txt"}));
}

TEST_F(MainWindowTree, AFolderRenamedInTheTreeIsListedUnderItsNewName) {
  Home.MakeDir("Desktop/old");
  Home.WriteFile("Desktop/old/a.txt", "a");
  TmainForm& f = Open();
  Click("old");
  EXPECT_EQ(f.CurrentDir(), Desktop + "old/");
  QTreeWidget* tree = f.ShellTreeView1->Tree();
  QTest::keyClick(tree, Qt::Key_F2);
  QLineEdit* editor = nullptr;
  for (QLineEdit* e : tree->findChildren<QLineEdit*>())
    if (e->isVisible()) editor = e;
  ASSERT_TRUE(editor);
  editor->setText("new");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(TempFolder::ContentsOf(Desktop), (std::map<std::string, std::string>{{"new", "dir"}}));
  Click("new");
  EXPECT_EQ(f.CurrentDir(), Desktop + "new/");
  EXPECT_EQ(f.ListBox1->Items().Items(), (std::vector<std::string>{"a.txt"}));
}

// A paste from the tree's menu runs on a worker in the window's batch strip:
// the tree takes no other command meanwhile, Escape stops it, every file
// pasted is whole, and the message says it stopped.
TEST_F(MainWindowTree, APasteRunsBesideTheWindowAndEscapeStopsIt) {
  Home.MakeDir("Desktop/src");
  Home.MakeDir("Desktop/dest");
  for (int i = 0; i < 40; ++i) Home.WriteFile("Desktop/src/f" + std::to_string(i), std::string(5000, char('a' + i % 26)));
  std::atomic<bool> reached{false}, released{false};
  TPasteJob::TestHookAfterEachFile = [&](std::size_t done) {
    if (done != 5) return;
    reached = true;
    for (int i = 0; i < 500 && !released; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  };
  TmainForm& f = Open();
  Click("dest");
  PutFilesOnClipboard({Desktop + "src"}, false);
  std::vector<std::string> boxes = wintest::CollectBoxes([&] {
    EXPECT_TRUE(RunShellVerb(f.ShellTreeView1, *f.ShellTreeView1->SelectedItem(), "paste"));
    ASSERT_TRUE(wintest::WaitFor([&] { return reached.load(); }));
    EXPECT_TRUE(f.PasteRunning());
    EXPECT_FALSE(f.ShellTreeView1->Enabled());
    EXPECT_THROW(RunShellVerb(f.ShellTreeView1, *f.ShellTreeView1->SelectedItem(), "newfolder"), std::exception);
    QTest::keyClick(&f, Qt::Key_Escape);
    released = true;
    ASSERT_TRUE(wintest::WaitFor([&] { return !f.PasteRunning(); }));
  });
  TPasteJob::TestHookAfterEachFile = nullptr;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("已停止复制", 0), 0u) << boxes[0];
  EXPECT_TRUE(f.ShellTreeView1->Enabled());
  EXPECT_FALSE(f.BatchRunning());
  const auto copied = TempFolder::ContentsOf(Desktop + "dest/src/");
  EXPECT_EQ(copied.size(), 5u);  // the five done before the stop, no temporary left
  for (const auto& [name, what] : copied) EXPECT_EQ(what, "file:" + TempFolder::ReadAll(Desktop + "src/" + name)) << name;
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "src/").size(), 40u);
  // The tree read the folder pasted into again.
  EXPECT_TRUE(f.ShellTreeView1->FindNode("src") && f.ShellTreeView1->Selected()->childCount() == 1);
}

// Real pointer and keys from the X server: a right click selects the folder
// and opens the skinned menu; its commands delete, make and rename folders.
class RealInputMainWindowTree : public MainWindowTree {
 protected:
  void RightClick(const std::string& caption) {
    QTreeWidget* tree = Form->ShellTreeView1->Tree();
    QTreeWidgetItem* node = Form->ShellTreeView1->FindNode(caption);
    ASSERT_TRUE(node) << caption;
    const QPoint at = tree->viewport()->mapToGlobal(tree->visualItemRect(node).center());
    Xdo({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "3"});
  }
  bool MenuOpen() const {
    return QTest::qWaitFor([&] { return Form->ShellTreeView1->ShellMenu() && Form->ShellTreeView1->ShellMenu()->IsOpen(); }, realx::kPatienceMs);
  }
};

TEST_F(RealInputMainWindowTree, TheContextMenuDeletesMakesAndRenamesFolders) {
  BR_REQUIRE_REAL_X();
  Home.MakeDir("Desktop/keep");
  Home.MakeDir("Desktop/gone");
  TmainForm& f = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f, realx::kPatienceMs));
  TbsSkinDirTreeView* tree = f.ShellTreeView1;

  RightClick("gone");
  EXPECT_EQ(tree->SelectedPath() + "/", Desktop + "gone/");
  ASSERT_TRUE(MenuOpen());
  Xdo({"key", "d"});  // 删除(&D)
  ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->FindNode("gone"); }, realx::kPatienceMs));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop), (std::map<std::string, std::string>{{"keep", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Home.Path() + ".local/share/Trash/files/"), (std::map<std::string, std::string>{{"gone", "dir"}}));

  RightClick("keep");
  ASSERT_TRUE(MenuOpen());
  Xdo({"key", "w"});  // 新建文件夹(&W): made, selected, and its name being edited
  ASSERT_TRUE(QTest::qWaitFor([&] { return tree->SelectedPath() == Desktop + "keep/新建文件夹"; }, realx::kPatienceMs));
  Xdo({"key", "ctrl+a"});
  Xdo({"type", "photos"});
  Xdo({"key", "Return"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return tree->FindNode("photos") != nullptr; }, realx::kPatienceMs));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "keep/"), (std::map<std::string, std::string>{{"photos", "dir"}}));
  EXPECT_EQ(tree->SelectedPath(), Desktop + "keep/photos");
}

}  // namespace
