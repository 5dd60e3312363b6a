// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window, driven with mouse and key events on a temporary home
// whose desktop folder each test fills.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QInputMethodEvent>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <unistd.h>
#include <functional>

#include "../platform/tempfolder.h"
#include "app/tmainform.h"
#include "framework/tapplication.h"
#include "messageboxes.h"
#include "realx.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "windowtest.h"

namespace {

using realx::Xdo;

// Runs `action` and reads and closes every message box it opens.
std::vector<MessageBoxes::Box> CollectBoxes(const std::function<void()>& action) {
  MessageBoxes boxes;
  QWidget* active = QApplication::activeWindow();
  action();
  QTest::qWait(30);
  // The desktop gives the activation back when a box closes; do so here too.
  if (active && !boxes.Shown.empty()) {
    active->activateWindow();
    (void)QTest::qWaitForWindowActive(active);  // best effort, as on a desktop
  }
  return boxes.Shown;
}

using wintest::WaitFor;

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", Home.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");  // the undo journal goes under the temporary home too
    Home.MakeDir("Desktop");
    Desktop = Home.Path() + "Desktop/";
  }

  void Write(const std::string& name, const std::string& bytes = "x") const {
    Home.WriteFile("Desktop/" + name, bytes);
  }

  TmainForm& Open() {
    Form = std::make_unique<TmainForm>();
    Application()->SetMainForm(Form.get());  // as the program does: hints look for their component there
    Form->show();
    Form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    return *Form;
  }

  std::vector<std::string> Listed() const { return Form->ListBox1->Items().Items(); }

  void ClickTreeItem(const std::string& name) {
    QTreeWidget* tree = Form->ShellTreeView1->Tree();
    const auto found = tree->findItems(QString::fromStdString(name), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << name;
    const QPoint at = tree->visualItemRect(found[0]).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
  }

  // The batch runs on its worker; the click is done once the list is read again.
  void ClickRename() {
    QTest::mouseClick(Form->btnQuillo, Qt::LeftButton, {}, QPoint(28, 27));
    EXPECT_TRUE(WaitFor([&] { return !Form->BatchRunning(); }));
  }

  std::string ShownHint() const {
    THintWindow* w = Application()->HintWindow();
    return w && w->isVisible() ? w->Caption() : std::string();
  }

  TempFolder Home;
  std::string Desktop;
  std::unique_ptr<TmainForm> Form;
};

TEST_F(MainWindow, StartsWithTheLayoutAndListsTheDesktopFiles) {
  Write("b.jpg");
  Write("a.txt");
  Write("c");
  TmainForm& f = Open();
  EXPECT_EQ(f.windowTitle().toStdString(), "批量修改文件名");
  EXPECT_EQ(f.ClientWidth(), 746);
  EXPECT_EQ(f.ClientHeight(), 467);
  EXPECT_EQ(f.EdtFindEx->Text(), "*.*");
  EXPECT_EQ(f.EdtFrontName->Text(), "My");
  EXPECT_EQ(f.EdtRangestart->Text(), "0");
  EXPECT_FALSE(f.EdtRangeend->Enabled());
  EXPECT_EQ(f.CurrentDir(), Desktop);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"a.txt", "b.jpg", "c"}));
  EXPECT_EQ(f.EdtRangeend->Text(), "3");
  // Aligned layout: left pane, splitter, right pane with the tool strip over the list.
  EXPECT_EQ(f.bsSkinPanel1->BoundsRect(), Rect(0, 0, 225, 467));
  EXPECT_EQ(f.bsSkinSplitter1->BoundsRect(), Rect(225, 0, 228, 467));
  EXPECT_EQ(f.bsSkinPanel2->BoundsRect(), Rect(228, 0, 746, 467));
  EXPECT_EQ(f.bsSkinPanel3->BoundsRect(), Rect(1, 1, 517, 58));
  EXPECT_EQ(f.ListBox1->BoundsRect(), Rect(1, 58, 517, 466));
  EXPECT_EQ(f.GroupBox4->Left(), 1);
  EXPECT_EQ(f.GroupBox1->Left(), 121);
  EXPECT_EQ(f.GroupBox2->Left(), 217);
  EXPECT_EQ(f.btnQuillo->BoundsRect(), Rect(353, 1, 410, 56));
}

TEST_F(MainWindow, RenameGivesEveryListedFileTheNextNumberAndListsAgain) {
  Write("a.txt", "alpha");
  Write("b.jpg", "beta");
  Write("c", "gamma");
  Write("x.tar.gz", "delta");
  Open();
  ClickRename();
  EXPECT_EQ(TempFolder::ContentsOf(Desktop),
            (std::map<std::string, std::string>{{"My1.txt", "file:alpha"},
                                                {"My2.jpg", "file:beta"},
                                                {"My3", "file:gamma"},
                                                {"My4.gz", "file:delta"}}));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"My1.txt", "My2.jpg", "My3", "My4.gz"}));
  EXPECT_EQ(Form->EdtRangeend->Text(), "4");
}

TEST_F(MainWindow, RenameKeepsPrefixBlanksAndTrimsTheMask) {
  Write("one.txt", "1");
  Write("two.dat", "2");
  Open();
  Form->EdtFindEx->SetText("  *.txt\t");
  Form->EdtFrontName->SetText(" P ");
  Form->EdtRangestart->SetText("9");
  ClickTreeItem("桌面");
  EXPECT_EQ(Form->FindMask(), "*.txt");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"one.txt"}));
  EXPECT_EQ(Form->EdtRangeend->Text(), "10");
  ClickRename();
  EXPECT_EQ(TempFolder::ContentsOf(Desktop),
            (std::map<std::string, std::string>{{" P 10.txt", "file:1"}, {"two.dat", "file:2"}}));
}

TEST_F(MainWindow, RenameNeverReplacesAFileThatAlreadyHasTheNewName) {
  Write("a.txt", "first");
  Write("b.txt", "second");
  Write("c.txt", "third");
  Write("My2.txt", "keep me");
  Open();
  Form->EdtFindEx->SetText("?.txt");
  ClickTreeItem("桌面");
  ClickRename();
  EXPECT_EQ(TempFolder::ContentsOf(Desktop),
            (std::map<std::string, std::string>{{"My1.txt", "file:first"},
                                                {"b.txt", "file:second"},
                                                {"My2.txt", "file:keep me"},
                                                {"My3.txt", "file:third"}}));
}

TEST_F(MainWindow, TheListFollowsMouseClicksInTheTreeOnly) {
  Write("top.txt");
  Home.MakeDir("Desktop/Empty");
  Home.MakeDir("Desktop/Photos");
  Write("Photos/p1.jpg", "p");
  Write("Photos/p2.jpg", "p");
  Open();
  EXPECT_TRUE(Form->ShellTreeView1->SelectPath(Desktop + "Photos"));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"top.txt"}));  // no click, no new listing
  ClickTreeItem("Photos");
  EXPECT_EQ(Form->CurrentDir(), Desktop + "Photos/");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"p1.jpg", "p2.jpg"}));
  EXPECT_EQ(Form->EdtRangeend->Text(), "2");
  ClickTreeItem("Empty");
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(Form->EdtRangeend->Text(), "0");
}

TEST_F(MainWindow, RenameWithAnEmptyListDoesNothing) {
  Home.MakeDir("Desktop/Empty");
  Open();
  ClickTreeItem("Empty");
  const auto before = TempFolder::ContentsOf(Desktop);
  const auto boxes = CollectBoxes([&] { ClickRename(); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(TempFolder::ContentsOf(Desktop), before);
}

TEST_F(MainWindow, StartFieldTakesDigitsOnly) {
  Open();
  QLineEdit* editor = Form->EdtRangestart->Editor();
  editor->setFocus();
  editor->end(false);
  // Every digit, between the characters on either side of them in ASCII.
  QTest::keyClicks(editor, "/1a2-3x4 5e6.7+8:9");
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Form->EdtRangestart->Text(), "0123456789");
}

TEST_F(MainWindow, LeavingAnEmptyStartFieldShowsTheConversionError) {
  Write("a.txt");
  Open();
  QLineEdit* editor = Form->EdtRangestart->Editor();
  QTest::mouseClick(editor, Qt::LeftButton);
  ASSERT_TRUE(editor->hasFocus());
  editor->selectAll();
  QTest::keyClick(editor, Qt::Key_Delete);
  ASSERT_EQ(Form->EdtRangestart->Text(), "");
  const auto boxes = CollectBoxes([&] { QTest::mouseClick(Form->EdtFrontName->Editor(), Qt::LeftButton); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Title, "文件名批量修改器");
  EXPECT_EQ(boxes[0].Text, "'' is not a valid integer value.");
  EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
  EXPECT_EQ(Form->EdtRangeend->Text(), "1");  // keeps its old value

  // A valid number recomputes the range end when the field is left.
  QTest::mouseClick(editor, Qt::LeftButton);
  QTest::keyClicks(editor, "41");
  const auto none = CollectBoxes([&] { QTest::mouseClick(Form->EdtFrontName->Editor(), Qt::LeftButton); });
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(Form->EdtRangeend->Text(), "42");
}

TEST_F(MainWindow, AStartThatIsNotANumberStopsTheRenameWithAnError) {
  Write("a.txt", "a");
  Open();
  // Empty, past either end of the 32-bit range, not a number.
  for (const std::string start : {"", "2147483648", "-2147483649", "1x"}) {
    Form->EdtRangestart->SetText(start);
    const auto boxes = CollectBoxes([&] { ClickRename(); });
    ASSERT_EQ(boxes.size(), 1u) << start;
    EXPECT_EQ(boxes[0].Text, "'" + start + "' is not a valid integer value.");
    EXPECT_EQ(TempFolder::ContentsOf(Desktop),
              (std::map<std::string, std::string>{{"a.txt", "file:a"}}));
  }
}

TEST_F(MainWindow, NamesThatAreNotTextGoThroughTheListUnchanged) {
  const std::string odd("caf\xe9 menu.txt", 13);  // Latin-1, not UTF-8
  Write(odd, "bytes");
  Write(" lead\nline", "nl");
  Open();
  ASSERT_EQ(Listed(), (std::vector<std::string>{" lead\nline", odd}));
  ClickRename();
  EXPECT_EQ(TempFolder::ContentsOf(Desktop),
            (std::map<std::string, std::string>{{"My1", "file:nl"}, {"My2.txt", "file:bytes"}}));
}

TEST_F(MainWindow, TheRangeEndCountsPastTheTopOfTheStartRange) {
  Write("a.txt");
  Write("b.txt");
  Open();
  Form->EdtRangestart->SetText("2147483647");
  ClickTreeItem("桌面");
  EXPECT_EQ(Form->EdtRangeend->Text(), "2147483649");
}

TEST_F(MainWindow, ListClickSetsTheFolderHintAndItAppears) {
  Write("a.txt");
  Open();
  QWidget* list = Form->ListBox1->InnerList();
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(Form->ListBox1->Hint(), "当前目录：" + Desktop);
  EXPECT_TRUE(Form->ListBox1->ShowHint());
  QTest::mouseMove(Form->ShellTreeView1->Tree()->viewport(), QPoint(10, 100));
  QTest::mouseMove(list, QPoint(30, 40));
  EXPECT_TRUE(WaitFor([&] { return ShownHint() == "当前目录：" + Desktop; })) << ShownHint();
}

TEST_F(MainWindow, RenameButtonHintSaysWhetherThereIsAnythingToRename) {
  Write("a.txt");
  Home.MakeDir("Desktop/Empty");
  Open();
  QTest::mouseMove(Form->btnQuillo, QPoint(20, 20));
  EXPECT_EQ(Form->Hint(), "开始修改文件名");
  EXPECT_TRUE(WaitFor([&] { return ShownHint() == "开始修改文件名"; })) << ShownHint();
  // In the skin's hint window, drawn from the embedded skin.
  const auto* skinned = dynamic_cast<const TbsSkinHintWindow*>(Application()->HintWindow());
  ASSERT_NE(skinned, nullptr);
  EXPECT_EQ(skinned->HintSkinData(), Form->bsSkinData);
  EXPECT_GE(skinned->width(), 34);

  ClickTreeItem("Empty");
  QTest::mouseMove(Form->btnQuillo, QPoint(25, 25));
  EXPECT_EQ(Form->Hint(), "当前选择目录下没有文件");
  EXPECT_TRUE(WaitFor([&] { return ShownHint() == "当前选择目录下没有文件"; })) << ShownHint();
}

TEST_F(MainWindow, TheSplitterAndTheLinkLabelKeepTheirDefaultLooksWhateverTheSkin) {
  TmainForm& f = Open();
  EXPECT_EQ(f.bsSkinSplitter1->SkinData(), nullptr);
  EXPECT_EQ(f.bsSkinSplitter1->Width(), 3) << "the stored width, not the skin's";
  EXPECT_EQ(f.bsSkinSplitter1->MinSize(), 10);
  EXPECT_EQ(f.bsSkinLinkLabel1->SkinData(), nullptr);
  EXPECT_EQ(f.bsSkinLinkLabel1->SkinIndex(), -1);
  EXPECT_EQ(f.bsSkinHint1->SkinData(), f.bsSkinData);
  EXPECT_EQ(FindActiveSkinHint(), f.bsSkinHint1);
}

// Dragged far right, the splitter stops where the list's pane still shows
// the whole tool strip; and the window opens inside its screen's work area.
TEST_F(MainWindow, TheSplitterAndTheScreenKeepTheToolStripInReach) {
  TmainForm& f = Open();
  EXPECT_TRUE(f.screen()->availableGeometry().contains(f.geometry()))
      << "window " << f.geometry().x() << "," << f.geometry().y() << " " << f.width() << "x" << f.height();
  const QPoint grip(1, f.bsSkinSplitter1->Height() / 2);
  QTest::mousePress(f.bsSkinSplitter1, Qt::LeftButton, {}, grip);
  QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(400, 0)), f.bsSkinSplitter1->mapToGlobal(QPointF(grip + QPoint(400, 0))),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(f.bsSkinSplitter1, &move);
  QTest::mouseRelease(f.bsSkinSplitter1, Qt::LeftButton, {}, grip + QPoint(400, 0));
  EXPECT_GT(f.bsSkinPanel1->Width(), 225) << "the drag moved the splitter";
  const int linkRight = f.bsSkinLinkLabel1->Left() + f.bsSkinLinkLabel1->Width();
  EXPECT_GE(f.bsSkinPanel3->Width(), linkRight) << "the link label is cut off";
  EXPECT_EQ(f.bsSkinPanel2->Width(), linkRight + 2) << "stopped short of where the strip still shows";
}

TEST_F(MainWindow, TheWindowWearsTheEmbeddedSkinWhereTheLayoutAsksForIt) {
  Write("a.txt");
  TmainForm& f = Open();
  ASSERT_TRUE(f.bsSkinData->HasSkin());
  EXPECT_EQ(f.SkinForm->SkinData(), f.bsSkinData);
  // The client keeps its stored size inside the skin's frame (8, 26 / 9, 8).
  EXPECT_EQ(f.ClientRectInWindow(), Rect(8, 26, 8 + 746, 26 + 467));
  // Only the tool strip and the button are bound; the two panes keep the default look.
  EXPECT_GE(f.bsSkinPanel3->SkinIndex(), 0);
  EXPECT_GE(f.btnQuillo->SkinIndex(), 0);
  EXPECT_GE(f.ListBox1->SkinIndex(), 0);
  EXPECT_EQ(f.bsSkinPanel1->SkinIndex(), -1);
  EXPECT_EQ(f.bsSkinPanel2->SkinIndex(), -1);
  EXPECT_EQ(f.bsSkinData->ControlRecords[f.bsSkinPanel3->SkinIndex()]->IDName, "panel");
  EXPECT_EQ(f.bsSkinData->ControlRecords[f.btnQuillo->SkinIndex()]->IDName, "resizebutton");
}

TEST_F(MainWindow, LosingTheSkinDataLeavesEveryPartInItsDefaultLook) {
  Write("a.txt", "a");
  TmainForm& f = Open();
  delete f.bsSkinData;  // references clear themselves
  f.bsSkinData = nullptr;
  EXPECT_EQ(f.SkinForm->SkinData(), nullptr);
  EXPECT_EQ(f.bsSkinPanel3->SkinData(), nullptr);
  EXPECT_EQ(f.btnQuillo->SkinData(), nullptr);
  const QImage shot = f.grab().toImage();  // paints everything without a skin
  EXPECT_FALSE(shot.isNull());
  ClickRename();  // and the window still works
  EXPECT_EQ(Listed(), (std::vector<std::string>{"My1.txt"}));
}

TEST_F(MainWindow, WithoutADesktopFolderNothingIsListedUntilAFolderIsClicked) {
  rmdir(Desktop.c_str());
  Home.WriteFile(".bashrc", "shell");
  Home.WriteFile(".profile", "login");
  Open();
  EXPECT_TRUE(Listed().empty()) << "the home folder's files are not offered";
  EXPECT_EQ(Form->EdtRangeend->Text(), "0");
  const auto home = TempFolder::ContentsOf(Home.Path());
  EXPECT_TRUE(CollectBoxes([&] { ClickRename(); }).empty());
  EXPECT_EQ(TempFolder::ContentsOf(Home.Path()), home);
  ClickTreeItem("计算机");  // virtual too: its name is no folder
  EXPECT_TRUE(Listed().empty());
  ClickTreeItem("主文件夹");  // the user's own choice
  EXPECT_EQ(Form->CurrentDir(), Home.Path());
  EXPECT_EQ(Listed(), (std::vector<std::string>{".bashrc", ".profile"}));
}

TEST_F(MainWindow, AVirtualFolderNeverListsAFolderOfTheSameNameInTheWorkingDirectory) {
  rmdir(Desktop.c_str());
  Home.MakeDir("桌面");
  Home.WriteFile("桌面/trap.txt", "x");
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(Home.Path().c_str()), 0);
  Open();
  const std::vector<std::string> listed = Listed();
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_TRUE(listed.empty());
}

TEST_F(MainWindow, AMaskWithASlashMatchesNothing) {
  Write("a.txt", "a");
  Home.MakeDir("Desktop/sub");
  Write("sub/s.txt", "s");
  Home.WriteFile("outside.txt", "o");
  Open();
  Form->EdtRangestart->SetText("5");
  for (const std::string mask : {"../*", "sub/*", "/", "./*.*", "*/*"}) {
    Form->EdtFindEx->SetText(mask);
    ClickTreeItem("桌面");
    EXPECT_TRUE(Listed().empty()) << mask;
    EXPECT_EQ(Form->EdtRangeend->Text(), "5") << mask;
    ClickRename();
  }
  EXPECT_EQ(TempFolder::ContentsOf(Desktop),
            (std::map<std::string, std::string>{{"a.txt", "file:a"}, {"sub", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "sub/"), (std::map<std::string, std::string>{{"s.txt", "file:s"}}));
  EXPECT_TRUE(TempFolder::ContentsOf(Home.Path()).count("outside.txt"));
}

// No name can be that long: refused at once, nothing journalled.
TEST_F(MainWindow, APrefixTooLongForAnyNameRenamesNothingAndSaysWhy) {
  Write("a", "a");
  Open();
  const auto before = TempFolder::ContentsOf(Desktop);
  Form->EdtFrontName->SetText(std::string(254, 'x'));
  Form->EdtRangestart->SetText("9");  // the first number, 10, makes 256 bytes
  auto boxes = CollectBoxes([&] { ClickRename(); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "批量命名前缀太长：前缀加上序号已有 256 个字节，文件名最多 255 个字节.");
  EXPECT_EQ(TempFolder::ContentsOf(Desktop), before);
  EXPECT_EQ(Form->Batch().JournalPath(), "");
  // One byte less fits: a name of 255 bytes is still a name.
  Form->EdtRangestart->SetText("0");
  boxes = CollectBoxes([&] { ClickRename(); });
  EXPECT_TRUE(boxes.empty());
  WaitFor([&] { return !Form->BatchRunning(); });
  EXPECT_EQ(TempFolder::ContentsOf(Desktop), (std::map<std::string, std::string>{{std::string(254, 'x') + "1", "file:a"}}));
}

TEST_F(MainWindow, APrefixWithASlashRenamesNothingAndSaysWhy) {
  Write("a.txt", "a");
  Write("b.txt", "b");
  Home.MakeDir("Desktop/sub");
  Open();
  const auto before = TempFolder::ContentsOf(Home.Path());
  for (const std::string prefix : {"../", "sub/", "/", "a/b"}) {
    Form->EdtFrontName->SetText(prefix);
    const auto boxes = CollectBoxes([&] { ClickRename(); });
    ASSERT_EQ(boxes.size(), 1u) << prefix;
    EXPECT_EQ(boxes[0].Title, "文件名批量修改器");
    EXPECT_EQ(boxes[0].Text, "批量命名前缀不能包含“/”.");
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
  }
  Form->EdtFrontName->SetText(std::string("x\0y", 3));
  const auto boxes = CollectBoxes([&] { ClickRename(); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "批量命名前缀不能包含空字符.");
  EXPECT_EQ(TempFolder::ContentsOf(Home.Path()), before);
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "sub/").size(), 0u);
}

TEST_F(MainWindow, TheFourFieldsWearTheSkinsEditRecordAtTwentyTwoPixels) {
  TmainForm& f = Open();
  struct Field {
    TbsSkinEdit* edit;
    int width;
    TAlignment alignment;
  };
  const Field fields[] = {{f.EdtFindEx, 81, taLeftJustify},
                          {f.EdtFrontName, 81, taCenter},
                          {f.EdtRangestart, 41, taCenter},
                          {f.EdtRangeend, 41, taCenter}};
  for (const Field& field : fields) {
    const std::string name = field.edit->objectName().toStdString();
    ASSERT_GE(field.edit->SkinIndex(), 0) << name;
    EXPECT_EQ(f.bsSkinData->ControlRecords[size_t(field.edit->SkinIndex())]->IDName, "edit") << name;
    EXPECT_EQ(field.edit->Height(), 22) << name << ": laid out 20 high, the record's piece is 22";
    EXPECT_EQ(field.edit->Width(), field.width) << name;
    EXPECT_EQ(field.edit->Top(), 24) << name;
    EXPECT_EQ(field.edit->Alignment(), field.alignment) << name;
    EXPECT_EQ(field.edit->TextArea(), Rect(2, 2, field.width - 2, 20)) << name;
    EXPECT_FALSE(field.edit->ButtonMode()) << name;
  }
  // The range end is grey: the record's disabled colour, whatever the layout's font said.
  EXPECT_FALSE(f.EdtRangeend->Enabled());
  EXPECT_EQ(f.EdtRangeend->Font().Color(), RGBColor(128, 128, 128));
  EXPECT_EQ(f.EdtFindEx->Font().Color(), clBlack);
  // Digits only in the start field: no input method composes into it. An
  // input method asks the field itself whether to compose there.
  const auto composes = [](QWidget* editor) {
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(editor, &query);
    return query.value(Qt::ImEnabled).toBool();
  };
  EXPECT_FALSE(composes(f.EdtRangestart->Editor()));
  EXPECT_TRUE(composes(f.EdtFrontName->Editor()));
  EXPECT_FALSE(f.EdtRangestart->Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(f.EdtFrontName->Editor()->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_FALSE(f.EdtFrontName->Editor()->inputMethodHints() & Qt::ImhPreferLatin);
}

TEST_F(MainWindow, TheStartFieldTakesDigitsByKeyAndByPasteAndLeavingItCountsOn) {
  Write("a.txt");
  Write("b.txt");
  TmainForm& f = Open();
  QLineEdit* editor = f.EdtRangestart->Editor();
  QTest::mouseClick(editor, Qt::LeftButton);
  ASSERT_TRUE(f.EdtRangestart->Focused());
  editor->selectAll();
  QTest::keyClicks(editor, "12a-3");
  EXPECT_EQ(f.EdtRangestart->Text(), "123");
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(f.EdtRangestart->Text(), "123") << "Backspace and Enter change nothing";
  // Pasting: the characters are judged one by one, so only the digits go in.
  // (Ctrl+V types a control character, which the filter swallows like any other.)
  QGuiApplication::clipboard()->setText(QString::fromUtf8("4x\n5中6"));
  QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(f.EdtRangestart->Text(), "123456");
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(editor, &menuEvent);
  ASSERT_NE(f.EdtRangestart->ContextMenu(), nullptr);
  QGuiApplication::clipboard()->setText(QStringLiteral("-7e"));
  f.EdtRangestart->ContextMenu()->SkinMenu().ExecuteItem(0, f.EdtRangestart->ContextMenu()->Items()->Find("Paste"),
                                                         TRect{});
  EXPECT_EQ(f.EdtRangestart->Text(), "1234567");
  const auto boxes = CollectBoxes([&] { QTest::mouseClick(f.EdtFrontName->Editor(), Qt::LeftButton); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(f.EdtRangeend->Text(), "1234569");
}

TEST_F(MainWindow, AFieldsContextMenuIsTheSkinnedPopupWithTheEditCommands) {
  TmainForm& f = Open();
  QLineEdit* editor = f.EdtFrontName->Editor();
  QTest::mouseClick(editor, Qt::LeftButton);
  editor->selectAll();
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(editor, &menuEvent);
  TbsSkinPopupMenu* menu = f.EdtFrontName->ContextMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->SkinData(), f.bsSkinData);
  EXPECT_EQ(menu->Items()->Find("Cut")->Caption(), "Cut");
  EXPECT_FALSE(menu->Items()->Find("SelectAll")->Enabled()) << "the whole text is selected";
  menu->SkinMenu().ExecuteItem(0, menu->Items()->Find("Cut"), TRect{});
  EXPECT_EQ(f.EdtFrontName->Text(), "");
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "My");
  EXPECT_EQ(f.EdtFrontName->ContextMenu(), nullptr);
}

TEST_F(MainWindow, HasNoTrayIconSoNothingOffersTheTrayAndMinimiseToTrayDoesNothing) {
  TmainForm& f = Open();
  EXPECT_EQ(f.SkinForm->TrayIcon(), nullptr);
  EXPECT_EQ(f.SkinForm->BuildSystemMenu()->Find("BSF_MINTOTRAY"), nullptr);
  const TbsActiveSkinObject* button = f.SkinForm->FindObject("traybutton");
  EXPECT_TRUE(!button || !button->Visible);
  f.SkinForm->MinimizeAppToTray();
  QCoreApplication::processEvents();
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.isMinimized());
}

// Needs a real X server: the title the window system shows is read back with xdotool.
class RealXMainWindow : public MainWindow {};

TEST_F(RealXMainWindow, TheWindowSystemShowsExactlyTheCaption) {
  if (qEnvironmentVariable("QT_QPA_PLATFORM") != "xcb") GTEST_SKIP() << "needs the xcb platform";
  Open();
  QProcess xdotool;
  xdotool.start("xdotool", {"getwindowname", QString::number(Form->winId())});
  ASSERT_TRUE(xdotool.waitForFinished(realx::kPatienceMs));
  EXPECT_EQ(QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed().toStdString(), "批量修改文件名");
}

// Real pointer and key input from xdotool on the X server the program runs on.
class RealInputMainWindow : public MainWindow {
 protected:
  static void ClickAt(const QPoint& screen, int button = 1) {
    Xdo({"mousemove", QString::number(screen.x()), QString::number(screen.y()), "click", QString::number(button)});
  }
};

TEST_F(RealInputMainWindow, TypingSelectingAndTheContextMenuWorkInTheSkinnedFields) {
  if (qEnvironmentVariable("QT_QPA_PLATFORM") != "xcb") GTEST_SKIP() << "needs the xcb platform";
  Write("a.txt");
  TmainForm& f = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f, realx::kPatienceMs));
  TbsSkinEdit* prefix = f.EdtFrontName;
  ClickAt(prefix->mapToGlobal(QPoint(40, 11)));
  ASSERT_TRUE(prefix->Focused());
  Xdo({"key", "End", "shift+Home"});
  EXPECT_EQ(prefix->SelText(), "My");
  Xdo({"type", "Pic"});
  EXPECT_EQ(prefix->Text(), "Pic");

  // The menu opens where the pointer is and its Select All selects the text.
  ClickAt(prefix->mapToGlobal(QPoint(20, 11)), 3);
  TbsSkinPopupMenu* menu = prefix->ContextMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->IsOpen());
  TbsSkinPopupWindow* popup = menu->SkinMenu().Window(0);
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  int selectAll = -1;
  for (int i = 0; i < popup->ItemCount(); ++i)
    if (popup->Item(i).MenuItem() == menu->Items()->Find("SelectAll")) selectAll = i;
  ASSERT_GE(selectAll, 0);
  const TRect row = popup->ItemScreenRect(selectAll);
  ClickAt(QPoint((row.Left + row.Right) / 2, (row.Top + row.Bottom) / 2));
  EXPECT_EQ(prefix->SelText(), "Pic");
  EXPECT_EQ(prefix->ContextMenu(), nullptr) << "freed after its command";

  // The start field: digits only, Backspace swallowed, leaving it counts on.
  TbsSkinEdit* start = f.EdtRangestart;
  ClickAt(start->mapToGlobal(QPoint(20, 11)));
  ASSERT_TRUE(start->Focused());
  Xdo({"key", "End", "shift+Home"});
  Xdo({"type", "12a-3"});
  Xdo({"key", "BackSpace"});
  EXPECT_EQ(start->Text(), "123");
  // The menu key opens the menu at the field's centre.
  Xdo({"key", "Menu"});
  ASSERT_NE(start->ContextMenu(), nullptr);
  const QPoint centre = start->mapToGlobal(QPoint(2 + start->Width() / 2, 2 + start->Height() / 2));
  EXPECT_EQ(start->ContextMenu()->PopupPoint(), (TPoint{centre.x(), centre.y()}));
  Xdo({"key", "Escape"});
  EXPECT_FALSE(start->ContextMenu() && start->ContextMenu()->IsOpen());
  ClickAt(prefix->mapToGlobal(QPoint(40, 11)));
  EXPECT_EQ(f.EdtRangeend->Text(), "124");
}

}  // namespace

int main(int argc, char** argv) {
  // Real-X runs choose the xcb platform themselves.
  if (qEnvironmentVariable("BR_REAL_X") != "1") qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication app(argc, argv);
  app.SetTitle("文件名批量修改器");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
