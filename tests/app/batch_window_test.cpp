// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of a batch: the report when files kept their names, undo
// by Ctrl+Z and by the menu, progress while the worker runs, cancel by Escape
// and by the strip's cross, a batch that cannot journal, a journal that
// cannot be used (said on Ctrl+Z), and closing the window in the middle.

#include <QFile>
#include <QProcess>
#include <QScreen>
#include <atomic>
#include <chrono>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "app/tbatchstrip.h"
#include "app/tpreviewlist.h"
#include "renamer/trenamebatch.h"
#include "renamer/trenamefile.h"
#include "skin/controls/tbslistbox.h"
#include "skin/controls/tbsskinhintwindow.h"
#include "realx.h"
#include "windowtest.h"

namespace {

using realx::Xdo;

using namespace std::chrono_literals;

std::vector<std::string> Captions(TMenuItem* menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < menu->Count(); ++i) captions.push_back(menu->Items(i)->Caption());
  return captions;
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  int Count = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++Count;
    return false;
  }
};

class BatchWindow : public wintest::Window {
 protected:
  void TearDown() override {
    TRenameBatch::TestHookAfterEachFile = nullptr;
    wintest::Window::TearDown();
  }
  // Each file takes at least `delay`, so a test sees the batch running.
  static void SlowDown(std::chrono::milliseconds delay) {
    TRenameBatch::TestHookAfterEachFile = [delay](std::size_t) { std::this_thread::sleep_for(delay); };
  }
  std::string Report() const {
    TbsSkinHintWindow* w = Form->ReportWindow();
    return w && w->isVisible() ? w->Caption() : std::string();
  }
  void MakeFiles(int count) {
    for (int i = 0; i < count; ++i) Write("f" + std::to_string(i) + ".txt", std::to_string(i));
  }
  // Every file of MakeFiles is at exactly one of its two names, with its bytes; how many moved.
  int CheckEachFileAtOneOfItsNames(int count) {
    const auto now = Contents();
    EXPECT_EQ(std::count_if(now.begin(), now.end(), [](const auto& e) { return e.second != "dir"; }), count);
    int moved = 0;
    for (int i = 0; i < count; ++i) {
      const std::string bytes = "file:" + std::to_string(i);
      const std::string old = "f" + std::to_string(i) + ".txt";
      // The list is in natural order, so file i is row i and gets number i + 1.
      const std::string renamed = "My" + std::to_string(i + 1) + ".txt";
      const bool atOld = now.count(old) && now.at(old) == bytes;
      const bool atNew = now.count(renamed) && now.at(renamed) == bytes;
      EXPECT_NE(atOld, atNew) << old;
      moved += atNew;
    }
    return moved;
  }
};

TEST_F(BatchWindow, AReportSaysWhichFilesKeptTheirNamesAndWhyAndNothingWhenAllMoved) {
  Write("a.txt");
  Write("b.jpg");
  Write("c");
  MakeDir("My2.jpg");
  TmainForm& f = Open();
  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(Report(), "已重命名 2 个文件，1 个文件保留原名：b.jpg（My2.jpg 已存在）");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"b.jpg", "My1.txt", "My3"}));
  // Its window is the skin's hint window, at the foot of the list, inside it:
  // the listed rows stay readable.
  const QRect list(f.ListBox1->mapToGlobal(QPoint(0, 0)), f.ListBox1->size());
  const QRect report = f.ReportWindow()->geometry();
  EXPECT_TRUE(list.contains(report));
  const TRect lastRow = f.ListBox1->InnerList()->ItemRect(2);
  EXPECT_GT(report.top(), f.ListBox1->InnerList()->mapToGlobal(QPoint(lastRow.Left, lastRow.Bottom)).y());
  EXPECT_EQ(f.ReportWindow()->HintSkinData(), f.bsSkinData);
  // It stands by the list: moving the window takes it away.
  f.move(f.pos() + QPoint(10, 0));
  QTest::qWait(20);
  EXPECT_EQ(Report(), "");

  // The next batch moves every file: no report, and the old one is gone.
  f.EdtFrontName->SetText("Z");
  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Z1.jpg", "Z2.txt", "Z3"}));
}

// A long report wraps inside the list; a click on it or Escape dismisses it.
TEST_F(BatchWindow, ALongReportWrapsInsideTheListAndAClickOrEscapeDismissesIt) {
  for (int i = 1; i <= 12; ++i) {
    Write("file-with-a-long-name-" + std::to_string(i) + ".txt");
    MakeDir("My" + std::to_string(i) + ".txt");
    MakeDir("Q" + std::to_string(i) + ".txt");
  }
  TmainForm& f = Open();
  ASSERT_TRUE(RenameAndWait());
  ASSERT_NE(Report(), "");
  const QRect list(f.ListBox1->mapToGlobal(QPoint(0, 0)), f.ListBox1->size());
  const QRect report = f.ReportWindow()->geometry();
  EXPECT_TRUE(list.contains(report)) << report.width() << " wide in a list " << list.width() << " wide";
  EXPECT_GT(report.height(), 2 * QFontMetrics(f.ReportWindow()->font()).height()) << "not wrapped";
  QTest::mouseClick(f.ReportWindow(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Report(), "");

  f.EdtFrontName->SetText("Q");  // the same names are free: the same report again
  ASSERT_TRUE(RenameAndWait());
  ASSERT_NE(Report(), "");
  f.ListBox1->InnerList()->setFocus();
  QTest::keyClick(f.ListBox1->InnerList(), Qt::Key_Escape);
  EXPECT_EQ(Report(), "");
}

TEST_F(BatchWindow, CtrlZUndoesTheLastBatchAndTheMenuItemIsEnabledOnlyWhenThereIsOne) {
  Write("a.txt", "A");
  Write("b.jpg", "B");
  TmainForm& f = Open();
  QTest::qWait(20);
  EXPECT_FALSE(f.UndoItem->Enabled());
  const std::vector<std::string> menu = Captions(f.SkinForm->BuildSystemMenu());
  ASSERT_GE(menu.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(menu.end() - 5, menu.end() - 1),
            (std::vector<std::string>{"-", "预览新文件名", "编号", "撤销上次重命名"}));
  EXPECT_EQ(f.UndoItem->ShortCutText(), "Ctrl+Z");

  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"My1.txt", "file:A"}, {"My2.jpg", "file:B"}}));
  EXPECT_TRUE(f.UndoItem->Enabled());

  // In a text field Ctrl+Z takes back typing, not the batch.
  f.EdtFrontName->SetFocus();
  f.EdtFrontName->SelectAll();
  QTest::keyClicks(f.EdtFrontName->Editor(), "Q");
  EXPECT_EQ(f.EdtFrontName->Text(), "Q");
  QTest::keyClick(f.EdtFrontName->Editor(), Qt::Key_Z, Qt::ControlModifier);
  QTest::qWait(50);
  EXPECT_EQ(f.EdtFrontName->Text(), "My");
  EXPECT_FALSE(f.BatchRunning());
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"My1.txt", "file:A"}, {"My2.jpg", "file:B"}}));

  // Anywhere else it undoes the batch.
  f.ListBox1->InnerList()->setFocus();
  QTest::keyClick(f.ListBox1->InnerList(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"a.txt", "file:A"}, {"b.jpg", "file:B"}}));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"a.txt", "b.jpg"}));
  EXPECT_FALSE(f.UndoItem->Enabled());
  EXPECT_EQ(Report(), "");

  // Right after a click on the rename button (which takes the focus), Ctrl+Z undoes.
  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(QApplication::focusWidget(), f.btnQuillo);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"a.txt", "file:A"}, {"b.jpg", "file:B"}}));

  // The menu item does the same.
  ASSERT_TRUE(RenameAndWait());
  f.UndoItem->Click();
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"a.txt", "file:A"}, {"b.jpg", "file:B"}}));
}

TEST_F(BatchWindow, AFileRenamedByHandAfterTheBatchKeepsItsNameAndUndoSaysSo) {
  Write("a.txt", "A");
  Write("b.txt", "B");
  TmainForm& f = Open();
  ASSERT_TRUE(RenameAndWait());
  ASSERT_EQ(rename((Desktop + "My2.txt").c_str(), (Desktop + "mine.txt").c_str()), 0);
  f.UndoLastBatch();
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"a.txt", "file:A"}, {"mine.txt", "file:B"}}));
  EXPECT_NE(Report(), "");
  EXPECT_NE(Report().find("My2.txt"), std::string::npos) << Report();
}

TEST_F(BatchWindow, TheWindowPaintsWhileTheWorkerRunsAndShowsProgressAfterHalfASecond) {
  constexpr int kFiles = 300;
  MakeFiles(kFiles);
  TmainForm& f = Open();
  const std::vector<std::string> before = Listed();
  SlowDown(6ms);
  PaintCounter paints(f.ListBox1->InnerList());
  ClickRename();
  ASSERT_TRUE(f.BatchRunning());
  // No second batch, no other folder, while this one runs.
  EXPECT_FALSE(f.btnQuillo->Enabled());
  EXPECT_FALSE(f.ShellTreeView1->isEnabled());
  f.filerenameExecute();
  f.filesearchExecute();
  EXPECT_EQ(Listed(), before);

  QTest::qWait(250);
  EXPECT_FALSE(f.BatchStrip->Visible()) << "no progress in the first half second";
  paints.Count = 0;
  f.ListBox1->InnerList()->update();
  QTest::qWait(50);
  EXPECT_TRUE(f.BatchRunning());
  EXPECT_GT(paints.Count, 0) << "the list painted while the worker ran";

  ASSERT_TRUE(wintest::WaitFor([&] { return f.BatchStrip->Visible(); }, 3000));
  ASSERT_TRUE(f.BatchRunning());
  QTest::qWait(TmainForm::kProgressPollMs * 2);
  const std::size_t done = f.BatchStrip->Done();
  EXPECT_GT(done, 0u);
  EXPECT_LT(done, std::size_t(kFiles));
  EXPECT_EQ(f.BatchStrip->Total(), std::size_t(kFiles));
  EXPECT_EQ(f.BatchStrip->Text(), "正在重命名 " + std::to_string(done) + " / 300");
  EXPECT_GT(f.BatchStrip->FilledWidth(), 0);
  // The strip sits under the list, which gives up its height meanwhile.
  EXPECT_EQ(f.BatchStrip->Top(), f.ListBox1->Top() + f.ListBox1->Height());
  EXPECT_EQ(Listed(), before) << "the list is read again at the end only";

  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }, 10000));
  EXPECT_FALSE(f.BatchStrip->Visible());
  EXPECT_TRUE(f.btnQuillo->Enabled());
  EXPECT_TRUE(f.ShellTreeView1->isEnabled());
  EXPECT_EQ(CheckEachFileAtOneOfItsNames(kFiles), kFiles);
  EXPECT_EQ(Listed().front(), "My1.txt");
}

TEST_F(BatchWindow, EscapeStopsTheBatchBetweenTwoFilesAndUndoTakesBackWhatMoved) {
  constexpr int kFiles = 400;
  MakeFiles(kFiles);
  TmainForm& f = Open();
  SlowDown(6ms);
  f.ListBox1->InnerList()->setFocus();
  ClickRename();
  ASSERT_TRUE(wintest::WaitFor([&] { return f.BatchStrip->Visible(); }, 3000));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_TRUE(f.Batch().Result().Cancelled);
  const int moved = CheckEachFileAtOneOfItsNames(kFiles);
  EXPECT_GT(moved, 0);
  EXPECT_LT(moved, kFiles);
  EXPECT_EQ(Report().rfind("已取消", 0), 0u) << Report();

  TRenameBatch::TestHookAfterEachFile = nullptr;
  f.ListBox1->InnerList()->setFocus();
  QTest::keyClick(f.ListBox1->InnerList(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(CheckEachFileAtOneOfItsNames(kFiles), 0);
}

TEST_F(BatchWindow, AClickOnTheStripsCrossStopsTheBatch) {
  constexpr int kFiles = 400;
  MakeFiles(kFiles);
  TmainForm& f = Open();
  SlowDown(6ms);
  ClickRename();
  ASSERT_TRUE(wintest::WaitFor([&] { return f.BatchStrip->Visible(); }, 3000));
  const TRect cross = f.BatchStrip->CancelRect();
  QTest::mouseClick(f.BatchStrip, Qt::LeftButton, {}, QPoint((cross.Left + cross.Right) / 2, (cross.Top + cross.Bottom) / 2));
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_TRUE(f.Batch().Result().Cancelled);
  EXPECT_LT(CheckEachFileAtOneOfItsNames(kFiles), kFiles);
}

TEST_F(BatchWindow, ABatchThatCannotWriteItsJournalMovesNothingAndSaysWhy) {
  Write("a.txt", "A");
  Home.WriteFile("state", "a file where the state folder should be");
  TmainForm& f = Open();
  const int reachedLoop = Application()->ExceptionsReachingTheLoop();
  const std::vector<std::string> boxes = wintest::CollectBoxes([&] {
    ClickRename();
    wintest::WaitFor([&] { return !f.BatchRunning(); });
  });
  // Said where the window takes up the batch's end, not by the loop's last resort.
  EXPECT_EQ(Application()->ExceptionsReachingTheLoop(), reachedLoop);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(boxes[0].empty());
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"a.txt", "file:A"}}));
  EXPECT_TRUE(f.btnQuillo->Enabled());
  EXPECT_FALSE(f.UndoItem->Enabled());
}

TEST_F(BatchWindow, ClosingTheWindowInTheMiddleStopsTheBatchBetweenTwoFiles) {
  constexpr int kFiles = 300;
  MakeFiles(kFiles);
  Open();
  SlowDown(6ms);
  ClickRename();
  QTest::qWait(100);
  Close();
  QTest::qWait(50);  // a finish posted to the closed window must go nowhere
  const int moved = CheckEachFileAtOneOfItsNames(kFiles);
  EXPECT_LT(moved, kFiles);
  TRenameBatch next;  // the next start
  EXPECT_TRUE(next.AdoptOrphanJournal());
  EXPECT_TRUE(next.CanUndo());
}

TEST_F(BatchWindow, CtrlZOnAJournalThatCannotBeUsedSaysWhy) {
  Write("a.txt", "A");
  Open();
  ASSERT_TRUE(RenameAndWait());
  const std::string journal = Form->Batch().JournalPath();
  Close();
  ASSERT_EQ(truncate(journal.c_str(), 40), 0);  // cut in the middle of its plan
  TmainForm& f = Open();
  QTest::qWait(50);
  EXPECT_FALSE(f.UndoItem->Enabled());
  f.ListBox1->InnerList()->setFocus();
  const std::vector<std::string> boxes = wintest::CollectBoxes([&] {
    QTest::keyClick(f.ListBox1->InnerList(), Qt::Key_Z, Qt::ControlModifier);
    wintest::WaitFor([&] { return !f.BatchRunning(); });
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("撤销记录已损坏，未做任何更改。", 0), 0u) << boxes[0];
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"My1.txt", "file:A"}}));
  EXPECT_FALSE(f.UndoItem->Enabled());
  EXPECT_EQ(access(journal.c_str(), F_OK), -1);  // dropped: it is not offered again
}

}  // namespace

TEST_F(BatchWindow, ABatchACrashCutShortIsOfferedAtTheNextStartAndUndone) {
  constexpr int kFiles = 20;
  MakeFiles(kFiles);
  // Another run of the program dies after its fifth move.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Trenamefile engine;
    const std::vector<std::string> names = engine.ListFiles(Desktop + "*.*");
    TBatchControl control;
    control.AfterEachFile = [](std::size_t done) {
      if (done == 5) _exit(3);
    };
    TRenameJournal journal;
    TRenameBatch::RunRename(Desktop, names, names.size(), "My", 0, control, journal);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3);
  ASSERT_EQ(CheckEachFileAtOneOfItsNames(kFiles), 5);

  TmainForm& f = Open();
  ASSERT_TRUE(wintest::WaitFor([&] { return !Report().empty(); }, 2000));
  EXPECT_NE(Report().find("Ctrl+Z"), std::string::npos) << Report();
  EXPECT_TRUE(f.UndoItem->Enabled());
  f.ListBox1->InnerList()->setFocus();
  QTest::keyClick(f.ListBox1->InnerList(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(CheckEachFileAtOneOfItsNames(kFiles), 0);
  EXPECT_FALSE(f.UndoItem->Enabled());
}

TEST_F(BatchWindow, ABatchThatEndedIsUndoableAfterARestartWithoutAHint) {
  Write("a.txt", "A");
  Open();
  ASSERT_TRUE(RenameAndWait());
  Close();
  TmainForm& f = Open();
  QTest::qWait(100);
  EXPECT_EQ(Report(), "");
  EXPECT_TRUE(f.UndoItem->Enabled());
  f.UndoItem->Click();
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"a.txt", "file:A"}}));
}

// The same on a real X server, with real keys and clicks from xdotool, and
// what the screen shows read back (saved in $BR_SHOTS when set).
class RealInputBatchWindow : public BatchWindow {
 protected:
  static void ClickAt(const QPoint& screen) {
    Xdo({"mousemove", QString::number(screen.x()), QString::number(screen.y()), "click", "1"});
  }
  // The whole screen as the X server has it.
  QImage Screen(const std::string& name) {
    const std::string folder = qEnvironmentVariableIsEmpty("BR_SHOTS") ? Home.Path() : qEnvironmentVariable("BR_SHOTS").toStdString() + "/";
    const QString path = QString::fromStdString(folder + name);
    QProcess import;
    import.start("import", {"-window", "root", path});
    EXPECT_TRUE(import.waitForFinished(10000));
    return QImage(path).convertToFormat(QImage::Format_RGB32);
  }
  // Whether the screen shows `widget` exactly as it paints itself.
  static bool ScreenShows(const QImage& screen, QWidget* widget) {
    const QImage painted = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = widget->mapToGlobal(QPoint(0, 0));
    for (int y = 0; y < painted.height(); ++y)
      for (int x = 0; x < painted.width(); ++x)
        if (!screen.valid(at.x() + x, at.y() + y) ||
            qRgb(qRed(screen.pixel(at.x() + x, at.y() + y)), qGreen(screen.pixel(at.x() + x, at.y() + y)),
                 qBlue(screen.pixel(at.x() + x, at.y() + y))) != qRgb(qRed(painted.pixel(x, y)), qGreen(painted.pixel(x, y)), qBlue(painted.pixel(x, y))))
          return false;
    return true;
  }
};

TEST_F(RealInputBatchWindow, PreviewProgressEscapeAndCtrlZOnARealServer) {
  BR_REQUIRE_REAL_X();
  constexpr int kFiles = 300;
  MakeFiles(kFiles);
  MakeDir("My2.txt");
  TmainForm& f = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.SetPreview(true);
  QTest::qWait(300);
  const QImage preview = Screen("preview.png");
  ASSERT_FALSE(preview.isNull());
  EXPECT_TRUE(ScreenShows(preview, f.ListBox1->InnerList()));
  // Row 1 is marked: its new name is taken by the folder My2.txt.
  EXPECT_TRUE(f.PreviewList().RowText(1)->Marked);

  // Each file waits while the test holds the batch, so the count stands still for the picture.
  static std::atomic<bool> held{false};
  TRenameBatch::TestHookAfterEachFile = [](std::size_t) {
    std::this_thread::sleep_for(5ms);
    while (held) std::this_thread::sleep_for(1ms);
  };
  ClickAt(f.btnQuillo->mapToGlobal(QPoint(28, 27)));
  ASSERT_TRUE(f.BatchRunning());
  ASSERT_TRUE(wintest::WaitFor([&] { return f.BatchStrip->Visible(); }, 3000));
  held = true;
  QTest::qWait(3 * TmainForm::kProgressPollMs);
  const QImage progress = Screen("progress.png");
  EXPECT_TRUE(ScreenShows(progress, f.BatchStrip));
  EXPECT_GT(f.BatchStrip->FilledWidth(), 0);
  held = false;
  Xdo({"key", "Escape"});
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_TRUE(f.Batch().Result().Cancelled);
  EXPECT_GT(CheckEachFileAtOneOfItsNames(kFiles), 0);

  TRenameBatch::TestHookAfterEachFile = nullptr;
  ClickAt(f.ListBox1->mapToGlobal(QPoint(60, 30)));
  Xdo({"key", "ctrl+z"});
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(CheckEachFileAtOneOfItsNames(kFiles), 0);
}
