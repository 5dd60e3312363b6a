// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned folder tree on real folders: the root, expanding, selecting,
// refreshing, the skinned bars, renaming, the context menu's commands, and
// what a screen reader hears and the eye sees of the focus.

#include <QAccessible>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <sys/stat.h>

#include "../controls/embeddedskin.h"
#include "framework/tapplication.h"
#include "framework/tpanel.h"
#include "platform/shellfileops.h"
#include "shellhome.h"
#include "skin/shell/shellmenu.h"
#include "skin/shell/tbsskindirtreeview.h"

namespace {
class Tree : public ShellHome {
 protected:
  void SetUp() override {
    ShellHome::SetUp();
    Application()->OnException = [this](const std::exception& e) { Errors.push_back(e.what()); };
  }
  void TearDown() override { Application()->OnException = nullptr; }

  // A pane holding the tree (client) and its two bars (right, bottom), as the window has them.
  TbsSkinDirTreeView& Make(int width = 200, int height = 200) {
    Pane = std::make_unique<TPanel>();
    Pane->SetBounds(0, 0, width, height);
    View = new TbsSkinDirTreeView(Pane.get());
    View->SetBounds(0, 0, width, height);
    View->SetAlign(alClient);
    VBar = new TbsSkinScrollBar(Pane.get());
    VBar->SetKind(sbVertical);
    VBar->SetBounds(width - 19, 0, 19, height);
    VBar->SetAlign(alRight);
    HBar = new TbsSkinScrollBar(Pane.get());
    HBar->SetKind(sbHorizontal);
    HBar->SetBounds(0, height - 19, width, 19);
    HBar->SetAlign(alBottom);
    View->SetVScrollBar(VBar);
    View->SetHScrollBar(HBar);
    View->Loaded();
    Pane->show();
    return *View;
  }

  std::vector<std::string> Captions(QTreeWidgetItem* node) const {
    std::vector<std::string> names;
    for (int i = 0; i < node->childCount(); ++i) names.push_back(node->child(i)->text(0).toStdString());
    return names;
  }
  QTreeWidgetItem* Node(const std::string& text) const {
    QTreeWidgetItem* n = View->FindNode(text);
    EXPECT_TRUE(n) << text;
    return n;
  }
  // The in-place editor open now (a closed one lingers until the loop frees it).
  QLineEdit* Editor() const {
    for (QLineEdit* e : View->Tree()->findChildren<QLineEdit*>())
      if (e->isVisible()) return e;
    return nullptr;
  }
  QTreeWidgetItem* Root() const { return View->Tree()->topLevelItem(0); }

  std::unique_ptr<TPanel> Pane;
  TbsSkinDirTreeView* View = nullptr;
  TbsSkinScrollBar* VBar = nullptr;
  TbsSkinScrollBar* HBar = nullptr;
  std::vector<std::string> Errors;
};
}  // namespace

TEST_F(Tree, StartsWithTheDesktopExpandedAndSelected) {
  Dir("b10");
  Dir("b9");
  Dir("A");
  Dir(".hidden");
  File("file.txt");
  Make();
  ASSERT_EQ(View->Tree()->topLevelItemCount(), 1);
  EXPECT_EQ(Root()->text(0).toStdString(), "桌面");
  EXPECT_TRUE(Root()->isExpanded());
  EXPECT_EQ(View->Selected(), Root());
  EXPECT_EQ(View->SelectedPath(), Desktop);
  EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"主文件夹", "计算机", "回收站", "A", "b9", "b10"}));
  EXPECT_FALSE(View->ShowRoot());
  EXPECT_TRUE(View->RightClickSelect());
  EXPECT_EQ(View->ObjectTypes(), ShellObjectTypes({otFolders}));
  // Every node carries an icon from the one list.
  for (int i = 0; i < Root()->childCount(); ++i) EXPECT_FALSE(Root()->child(i)->icon(0).isNull()) << i;
}

// An expand arrow is drawn towards its row's text colour, on a dark skin's
// rows and on the selection alike: it stands out wherever the name does.
TEST_F(Tree, ExpandArrowsTakeTheColourOfTheirRowsText) {
  Dir("A");
  Dir("A/inner");
  Make();
  TFont font = View->DefaultFont();
  font.SetColor(RGBColor(230, 233, 236));
  View->SetDefaultFont(font);
  View->SetDefaultColor(RGBColor(29, 31, 35));
  QTreeWidget* tree = View->Tree();
  const auto arrowStandsOut = [&](const char* row) {
    const QImage shot = tree->viewport()->grab().toImage();
    const QRect item = tree->visualItemRect(Node("A"));
    const int left = std::max(0, item.left() - tree->indentation());
    const QColor background = shot.pixelColor(left, item.top());
    const QColor text = tree->palette().color(std::string(row) == "selected" ? QPalette::HighlightedText : QPalette::Text);
    // The pixel of the branch area that differs most from the row's background.
    int strongest = 0;
    for (int y = item.top(); y <= item.bottom(); ++y)
      for (int x = left; x < item.left(); ++x) {
        const int d = qGray(shot.pixel(x, y)) - qGray(background.rgb());
        if (std::abs(d) > std::abs(strongest)) strongest = d;
      }
    const int towardsText = qGray(text.rgb()) - qGray(background.rgb());
    EXPECT_GE(strongest * towardsText, towardsText * towardsText / 2)
        << row << ": strongest " << strongest << ", text " << towardsText;
  };
  arrowStandsOut("plain");
  View->Select(Node("A"));
  arrowStandsOut("selected");
}

TEST_F(Tree, SelectedPathIsEmptyWithoutSelectionAndADisplayNameForTheComputer) {
  Make();
  View->Select(Node("计算机"));
  EXPECT_EQ(View->SelectedPath(), "计算机");
  View->Select(Node("主文件夹"));
  EXPECT_EQ(View->SelectedPath() + "/", Home.Path());
  View->Select(nullptr);
  EXPECT_EQ(View->SelectedPath(), "");
  EXPECT_EQ(View->SelectedItem(), nullptr);
  EXPECT_EQ(View->ItemAt(0), TbsCustomShellTreeView::FolderOf(Root()));
  EXPECT_EQ(View->ItemAt(2)->NameInParent(), "计算机");
  EXPECT_EQ(View->ItemAt(1000), nullptr);
}

TEST_F(Tree, ExpandingAFolderWithoutSubfoldersRemovesItsButton) {
  Dir("parent");
  Dir("parent/child");
  Dir("lonely");
  Dir("lonely/.git");  // hidden: the tree does not show it
  Make();
  QTreeWidgetItem* parent = Node("parent");
  EXPECT_EQ(parent->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  EXPECT_EQ(Node("lonely")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
  rmdir((Desktop + "/parent/child").c_str());  // gone before the node is opened
  View->Tree()->expandItem(parent);
  EXPECT_EQ(parent->childCount(), 0);
  EXPECT_EQ(parent->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
}

TEST_F(Tree, SelectPathExpandsTheAncestors) {
  Dir("a");
  Dir("a/b");
  Dir("a/b/c");
  Make();
  EXPECT_FALSE(Node("a")->isExpanded());
  EXPECT_TRUE(View->SelectPath(Desktop + "/a/b/c"));
  EXPECT_EQ(View->SelectedPath(), Desktop + "/a/b/c");
  EXPECT_TRUE(Node("a")->isExpanded());
  EXPECT_TRUE(Node("b")->isExpanded());
  EXPECT_EQ(View->Selected()->text(0).toStdString(), "c");
  // A path outside the desktop goes through the computer.
  EXPECT_TRUE(View->SelectPath("/usr"));
  EXPECT_EQ(View->SelectedPath(), "/usr");
  EXPECT_TRUE(Node("计算机")->isExpanded());
  EXPECT_FALSE(View->SelectPath(Desktop + "/missing"));
  EXPECT_EQ(View->SelectedPath(), "/usr");
}

TEST_F(Tree, RefreshKeepsExpandedNodesAndTheSelection) {
  Dir("top");
  Dir("top/open");
  Dir("top/open/inner");
  Dir("top/closed");
  Dir("top/closed/x");
  Make();
  ASSERT_TRUE(View->SelectPath(Desktop + "/top/open/inner"));
  Dir("top/new");
  rmdir((Desktop + "/top/closed/x").c_str());
  rmdir((Desktop + "/top/closed").c_str());
  View->RefreshNode(Node("top"));
  QTreeWidgetItem* top = Node("top");
  EXPECT_EQ(Captions(top), (std::vector<std::string>{"new", "open"}));
  EXPECT_TRUE(top->isExpanded());
  EXPECT_TRUE(Node("open")->isExpanded());
  EXPECT_EQ(View->SelectedPath(), Desktop + "/top/open/inner");
  EXPECT_EQ(View->Selected()->text(0).toStdString(), "inner");
  View->Select(Node("new"));
  View->RefreshSelected();
  EXPECT_EQ(View->SelectedPath(), Desktop + "/top/new");
}

TEST_F(Tree, TheVerticalBarShowsAtOneNodeTooManyAndTheTreeNarrowsForIt) {
  Make(200, 200);
  const int fits = View->VisibleRowCount();
  ASSERT_GT(fits, 3);
  // The desktop and its three virtual items are 4 rows; fill up to exactly what fits.
  for (int i = 0; i < fits - 4; ++i) Dir("f" + std::to_string(i));
  View->RefreshNode(Root());
  EXPECT_EQ(View->ShownRowCount() <= fits, true);
  EXPECT_FALSE(VBar->Visible());
  const int full = Pane->ClientRect().Width();
  EXPECT_EQ(View->Width(), full);
  Dir("one-too-many");
  View->RefreshNode(Root());
  EXPECT_TRUE(VBar->Visible());
  EXPECT_EQ(View->Width(), full - 19);
  EXPECT_EQ(VBar->Max(), fits);  // rows - 1
  EXPECT_EQ(VBar->PageSize(), View->VisibleRowCount());
  // The bar drives the tree and follows it.
  VBar->SetPosition(1);
  EXPECT_EQ(View->Tree()->verticalScrollBar()->value(), 1);
  View->Tree()->verticalScrollBar()->setValue(0);
  EXPECT_EQ(VBar->Position(), 0);
  // Collapsing the desktop makes everything fit again: the bar goes, the tree widens.
  View->Tree()->collapseItem(Root());
  EXPECT_FALSE(VBar->Visible());
  EXPECT_EQ(View->Width(), full);
}

TEST_F(Tree, TheHorizontalBarShowsForAWideNameAndCoversTheCornerOnlyWithTheVerticalOne) {
  Dir(std::string(60, 'w'));
  Make(200, 300);
  EXPECT_TRUE(HBar->Visible());
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Both());
  EXPECT_EQ(View->Height(), Pane->ClientRect().Height() - 19);
  EXPECT_GT(HBar->Max(), View->Width());
  EXPECT_EQ(HBar->PageSize(), View->Width());
  for (int i = 0; i < 30; ++i) Dir("g" + std::to_string(i));
  View->RefreshNode(Root());
  EXPECT_TRUE(VBar->Visible());
  EXPECT_TRUE(HBar->Both());
  // A hidden tree hides its bars.
  View->SetVisible(false);
  EXPECT_FALSE(VBar->Visible());
  EXPECT_FALSE(HBar->Visible());
}

TEST_F(Tree, TheEmbeddedSkinGivesBlackTextOnWhite) {
  QObject owner;  // frees the skin data and its stored skin alike
  auto* skin = skintest::LoadEmbeddedSkin(&owner);
  Make();
  View->SetDefaultColor(clRed);  // the skin's record wins over the default
  View->SetSkinData(skin);
  EXPECT_NE(View->SkinIndex(), -1);
  EXPECT_EQ(ToQColor(View->TreeColor()), QColor(255, 255, 255));
  EXPECT_EQ(ToQColor(View->TreeFontColor()), QColor(0, 0, 0));
  EXPECT_EQ(View->Font().Name(), "Arial");
  EXPECT_EQ(View->Tree()->font().pixelSize(), 14);
  const QImage shot = View->Tree()->viewport()->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(255, 255, 255));
  View->SetSkinData(nullptr);
  View->SkinChanged();
  EXPECT_EQ(ToQColor(View->TreeColor()), QColor(255, 0, 0));
}

TEST_F(Tree, AMouseClickRaisesOnClickAndTheKeyboardDoesNot) {
  Dir("one");
  Dir("two");
  Make();
  int clicks = 0;
  View->OnClick = [&] { ++clicks; };
  QTreeWidget* tree = View->Tree();
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  QTest::keyClick(tree, Qt::Key_End);
  EXPECT_EQ(View->Selected()->text(0).toStdString(), "two");
  EXPECT_EQ(clicks, 0);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(Node("one")).center());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(View->SelectedPath(), Desktop + "/one");
  QTest::keyClick(tree, Qt::Key_Home);
  EXPECT_EQ(View->Selected(), Root());
  QTest::keyClicks(tree, "tw");  // type-ahead
  EXPECT_EQ(View->Selected()->text(0).toStdString(), "two");
}

TEST_F(Tree, NamesThatAreNotUtf8OrHoldANewlineShowAMarkAndKeepTheirBytes) {
  const std::string odd = "caf\xE9";
  Dir(odd);
  Dir("two\nlines");
  Make();
  QTreeWidgetItem* node = Node("caf\xEF\xBF\xBD");
  ASSERT_TRUE(node);
  View->Select(node);
  EXPECT_EQ(View->SelectedPath(), Desktop + "/" + odd);
  QTreeWidgetItem* lines = Node("two\xEF\xBF\xBDlines");  // one line on screen
  ASSERT_TRUE(lines);
  View->Select(lines);
  EXPECT_EQ(View->SelectedPath(), Desktop + "/two\nlines");
}

TEST_F(Tree, OnlyWhatMayBeRenamedIsEdited) {
  Dir("mine");
  Make();
  for (const char* fixed : {"桌面", "主文件夹", "计算机", "回收站"}) {
    View->StartEditing(Node(fixed));
    EXPECT_EQ(Editor(), nullptr) << fixed;
  }
  View->Select(Node("mine"));
  View->Tree()->setFocus();
  QTest::keyClick(View->Tree(), Qt::Key_F2);
  ASSERT_TRUE(Editor());
  EXPECT_EQ(Editor()->text().toStdString(), "mine");
}

TEST_F(Tree, RenameStartsEditingAndTheTypedNameRenamesTheFolder) {
  Dir("old");
  Dir("old/kid");
  Dir("taken");
  Make();
  View->Tree()->expandItem(Node("old"));
  View->Select(Node("old"));
  EXPECT_TRUE(RunShellVerb(View, *View->SelectedItem(), "Rename"));
  auto* editor = Editor();
  ASSERT_TRUE(editor);
  editor->setText("new");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // the edit ends once the editor has seen the key
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"), (std::map<std::string, std::string>{{"new", "dir"}, {"taken", "dir"}}));
  EXPECT_EQ(View->SelectedPath(), Desktop + "/new");
  EXPECT_EQ(View->Selected()->text(0).toStdString(), "new");
  // The children moved with it.
  View->Select(Node("kid"));
  EXPECT_EQ(View->SelectedPath(), Desktop + "/new/kid");

  View->Select(Node("new"));
  View->StartEditing(View->Selected());
  editor = Editor();
  ASSERT_TRUE(editor);
  editor->setText("taken");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // the edit ends once the editor has seen the key
  EXPECT_EQ(Errors, (std::vector<std::string>{"无法把“new”重命名为“taken”：名称已被占用"}));
  EXPECT_EQ(Node("new")->text(0).toStdString(), "new");
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"), (std::map<std::string, std::string>{{"new", "dir"}, {"taken", "dir"}}));
}

TEST_F(Tree, EditingANameThatIsNotUtf8KeepsTheBytesTheUserDidNotTouch) {
  const std::string mark = "\xEF\xBF\xBD";  // what the editor shows for a stray byte
  Dir("caf\xE9 photos");
  Dir("\xE9t\xE9");
  Dir("\xE4\xB8\xAD" "caf\xE9");
  Dir("plain");
  Make();
  auto edit = [&](const std::string& shown, const std::string& typed) {
    View->Select(Node(shown));
    View->StartEditing(View->Selected());
    QLineEdit* editor = Editor();
    ASSERT_TRUE(editor) << shown;
    EXPECT_EQ(editor->text().toStdString(), shown);
    editor->setText(QString::fromStdString(typed));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the edit ends once the editor has seen the key
  };
  // Appended at the end: the Latin-1 byte stays what it was.
  edit("caf" + mark + " photos", "caf" + mark + " photos 2024");
  EXPECT_EQ(View->SelectedPath(), Desktop + "/caf\xE9 photos 2024");
  EXPECT_EQ(View->Selected()->text(0).toStdString(), "caf" + mark + " photos 2024");
  // Changed between two stray bytes: both stay.
  edit(mark + "t" + mark, mark + "T" + mark);
  // Left alone: nothing is renamed.
  edit("\xE4\xB8\xAD" "caf" + mark, "\xE4\xB8\xAD" "caf" + mark);
  // A name that is all UTF-8 is renamed exactly as typed.
  edit("plain", "\xE4\xB8\xAD" "plain" + mark);
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"), (std::map<std::string, std::string>{
                                                       {"caf\xE9 photos 2024", "dir"},
                                                       {"\xE9T\xE9", "dir"},
                                                       {"\xE4\xB8\xAD" "caf\xE9", "dir"},
                                                       {"\xE4\xB8\xAD" "plain" + mark, "dir"}}));
  // An edit across the stray byte replaces it.
  edit("caf" + mark + " photos 2024", "cafe photos 2024");
  EXPECT_EQ(View->SelectedPath(), Desktop + "/cafe photos 2024");
  // A refused rename still says so, with the name it would have made.
  edit(mark + "T" + mark, mark + "T" + mark + "/");
  EXPECT_EQ(Errors, (std::vector<std::string>{"无法把“\xE9T\xE9”重命名为“\xE9T\xE9/”：名称无效"}));
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/").count("\xE9T\xE9"));
}

TEST_F(Tree, NewFolderMakesAFreeNameSelectsItAndStartsEditing) {
  Dir("box");
  Dir("box/新建文件夹");
  Make();
  View->Select(Node("box"));
  EXPECT_TRUE(RunShellVerb(View, *View->SelectedItem(), "newfolder"));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/box/"),
            (std::map<std::string, std::string>{{"新建文件夹", "dir"}, {"新建文件夹 (2)", "dir"}}));
  EXPECT_EQ(View->SelectedPath(), Desktop + "/box/新建文件夹 (2)");
  EXPECT_TRUE(Editor());
}

TEST_F(Tree, DeleteMovesTheFolderToTheTrashAndItsNodeGoes) {
  Dir("keep");
  Dir("gone");
  Dir("gone/inner");
  Make();
  View->Select(Node("gone"));
  EXPECT_TRUE(RunShellVerb(View, *View->SelectedItem(), "delete"));
  EXPECT_EQ(View->FindNode("gone"), nullptr);
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"), (std::map<std::string, std::string>{{"keep", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Home.Path() + ".local/share/Trash/files/gone/"),
            (std::map<std::string, std::string>{{"inner", "dir"}}));
}

TEST_F(Tree, ADeleteTheTrashCannotTakeKeepsTheFolderAndItsNodeAndSaysWhy) {
  Dir("keep");
  Home.MakeDir(".local");
  Home.WriteFile(".local/share", "not a folder");  // where the trash would be made
  Make();
  View->Select(Node("keep"));
  std::string error;
  try {
    RunShellVerb(View, *View->SelectedItem(), "delete");
  } catch (const std::exception& e) {
    error = e.what();
  }
  EXPECT_NE(error.find("keep"), std::string::npos) << error;
  EXPECT_NE(error.find("回收站"), std::string::npos) << error;
  EXPECT_EQ(View->FindNode("keep"), View->Selected());
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"), (std::map<std::string, std::string>{{"keep", "dir"}}));
}

TEST_F(Tree, CopyAndPasteWithANameConflictAddsTheCopyUnderAFreeName) {
  Dir("src");
  File("src/a.txt", "alpha");
  Dir("dest");
  Dir("dest/src");
  Make();
  View->Select(Node("src"));
  EXPECT_TRUE(RunShellVerb(View, *View->SelectedItem(), "copy"));
  View->Select(Node("dest"));
  EXPECT_TRUE(RunShellVerb(View, *View->SelectedItem(), "paste"));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/"),
            (std::map<std::string, std::string>{{"src", "dir"}, {"src (2)", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/src (2)/"), (std::map<std::string, std::string>{{"a.txt", "file:alpha"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/src/"), (std::map<std::string, std::string>{{"a.txt", "file:alpha"}}));
  // The pasted-into node is read again and shows the copy.
  View->Tree()->expandItem(Node("dest"));
  EXPECT_EQ(Captions(Node("dest")), (std::vector<std::string>{"src", "src (2)"}));
  // Pasting a folder into itself is refused and says so.
  View->Select(Node("src (2)"));
  PutFilesOnClipboard({Desktop + "/dest"}, false);
  EXPECT_THROW(RunShellVerb(View, *View->SelectedItem(), "paste"), std::exception);
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/src (2)/"), (std::map<std::string, std::string>{{"a.txt", "file:alpha"}}));
}

TEST_F(Tree, TheMenuOffersOnlyWhatWorksOnEachItem) {
  Dir("plain");
  Make();
  auto verbs = [&](const std::string& caption) {
    std::vector<std::string> v;
    for (const TShellVerb& s : ShellVerbsFor(*TbsCustomShellTreeView::FolderOf(Node(caption)))) v.push_back(s.Verb);
    return v;
  };
  EXPECT_EQ(verbs("plain"), (std::vector<std::string>{"open", "cut", "copy", "paste", "rename", "delete", "newfolder"}));
  EXPECT_EQ(verbs("回收站"), (std::vector<std::string>{"open"}));
  EXPECT_TRUE(verbs("计算机").empty());
  EXPECT_EQ(verbs("主文件夹"), (std::vector<std::string>{"open", "copy", "paste", "newfolder"}));
  View->Tree()->expandItem(Node("计算机"));
  EXPECT_EQ(verbs("/"), (std::vector<std::string>{"open", "copy", "paste", "newfolder"}));
}

TEST_F(Tree, ARightClickSelectsTheNodeAndOpensTheSkinnedMenu) {
  Dir("one");
  Dir("two");
  Make();
  QTreeWidget* tree = View->Tree();
  const QPoint at = tree->visualItemRect(Node("two")).center();
  QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, at);
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
  QApplication::sendEvent(tree->viewport(), &menuEvent);
  EXPECT_EQ(View->SelectedPath(), Desktop + "/two");
  ASSERT_TRUE(View->ShellMenu());
  EXPECT_TRUE(View->ShellMenu()->IsOpen());
  TMenuItem* items = View->ShellMenu()->Items();
  EXPECT_EQ(items->Find("delete")->Caption(), "删除(&D)");
  EXPECT_TRUE(items->Find("delete")->Enabled());
  View->ShellMenu()->CloseMenu();
  // The computer offers nothing: no menu.
  View->Select(Node("计算机"));
  QApplication::sendEvent(tree->viewport(), &menuEvent);
  EXPECT_EQ(View->ShellMenu(), nullptr);
}

TEST_F(Tree, AMenuCommandStillWorksAfterItsNodeWasReadAgain) {
  Dir("one");
  Make();
  View->Select(Node("one"));
  TbsSkinPopupMenu* menu = ShowShellMenu(View, View->SelectedItem(), 5, 5);
  ASSERT_TRUE(menu);
  View->RefreshNode(Root());  // the object the menu was opened for is freed
  View->Select(Node("one"));
  menu->CloseMenu();
  ASSERT_TRUE(menu->Items()->Find("copy")->Click());
  EXPECT_TRUE(Errors.empty()) << Errors.front();
  std::vector<std::string> paths;
  bool cut = true;
  ASSERT_TRUE(FilesOnClipboard(paths, cut));
  EXPECT_EQ(paths, (std::vector<std::string>{Desktop + "/one"}));
  EXPECT_FALSE(cut);
}

TEST_F(Tree, OnAddFolderMayVetoANodeAndObjectTypesChooseWhatIsShown) {
  Dir("keep");
  Dir("xskip");
  Dir("onlyfile");
  File("onlyfile/a.txt");
  File("note.txt");
  Make();
  View->OnAddFolder = [](QObject*, TbsShellFolder* folder, bool& canAdd) {
    canAdd = folder->NameInParent()[0] != 'x';
  };
  View->RefreshNode(Root());
  EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"主文件夹", "计算机", "回收站", "keep", "onlyfile"}));
  EXPECT_EQ(Node("onlyfile")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
  View->SetObjectTypes(ShellObjectTypes({otFolders, otNonFolders}));
  EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"主文件夹", "计算机", "回收站", "keep", "note.txt", "onlyfile"}));
  // With files shown, a folder holding only a file can be opened.
  EXPECT_EQ(Node("onlyfile")->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  EXPECT_EQ(Node("keep")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
}

TEST_F(Tree, AnUnknownRootIsRefusedAndTheTreeStaysAsItWas) {
  Dir("sub");
  Make();
  View->SetRoot(Desktop + "/sub");
  EXPECT_EQ(Root()->text(0).toStdString(), "sub");
  EXPECT_EQ(View->SelectedPath(), Desktop + "/sub");
  try {
    View->SetRoot("rfNoSuchRoot");
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Error setting path: \"rfNoSuchRoot\"");
  }
  EXPECT_EQ(View->Root(), Desktop + "/sub");
  EXPECT_EQ(Root()->text(0).toStdString(), "sub");
  View->SetRoot("RFDESKTOP");
  EXPECT_EQ(Root()->text(0).toStdString(), "桌面");
}

TEST_F(Tree, AScreenReaderHearsTheFoldersAndTheSelectionShowsWhereTheFocusIs) {
  Dir("a");
  Dir("a folder with a long name");
  Make(300, 200);
  QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(View->Tree());
  EXPECT_EQ(tree->role(), QAccessible::Tree);
  EXPECT_EQ(tree->text(QAccessible::Name), "文件夹");
  QStringList rows;
  for (int i = 0; i < tree->childCount(); ++i) rows << tree->child(i)->text(QAccessible::Name);
  EXPECT_TRUE(rows.contains("a")) << rows.join('|').toStdString();
  EXPECT_TRUE(rows.contains("主文件夹")) << rows.join('|').toStdString();
  EXPECT_FALSE(rows.contains("1")) << "the hidden header's number as a column name";

  auto* elsewhere = new QLineEdit(Pane.get());
  elsewhere->setGeometry(0, 0, 10, 10);
  elsewhere->show();
  Pane->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Pane.get()));
  QTreeWidgetItem* a = Node("a");
  View->Select(a);
  // Past the end of the short name: only the selection's bar shows there.
  auto bar = [&] {
    const QRect row = View->Tree()->visualItemRect(a);
    return QColor(View->Tree()->viewport()->grab().toImage().pixel(row.right() - 6, row.center().y()));
  };
  auto highlight = [&] { return View->Tree()->palette().color(QPalette::Highlight); };
  View->Tree()->setFocus();
  const QColor focused = bar();
  EXPECT_EQ(highlight(), QColor(10, 36, 106));  // the highlight, as it has always been
  EXPECT_EQ(View->Tree()->palette().color(QPalette::HighlightedText), QColor(255, 255, 255));
  elsewhere->setFocus();
  EXPECT_EQ(highlight(), QColor(191, 191, 191));  // a quarter of the way from white to the black text
  EXPECT_EQ(View->Tree()->palette().color(QPalette::HighlightedText), QColor(0, 0, 0));
  EXPECT_EQ(bar(), highlight());
  View->Tree()->setFocus();
  EXPECT_EQ(bar(), focused);
  EXPECT_NE(bar(), QColor(191, 191, 191));
  View->StartEditing(a);  // its own editor has the keyboard: the focus is still the tree's
  ASSERT_NE(Editor(), nullptr);
  ASSERT_TRUE(Editor()->hasFocus());
  EXPECT_EQ(highlight(), QColor(10, 36, 106));
}
