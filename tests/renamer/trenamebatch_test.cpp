// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/trenamebatch.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <future>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "../platform/hungmount.h"
#include "../platform/tempfolder.h"
#include "renamer/fileidentity.h"
#include "renamer/trenamefile.h"
#include "renamer/trenamejournal.h"

namespace {

using Contents = std::map<std::string, std::string>;

// Every test gets its own state folder, so journals never meet. W stands
// for a window: the batches of the tests run on it, as a window runs them.
class Batch : public testing::Test {
protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_STATE_HOME")) FOldState = old;
    setenv("XDG_STATE_HOME", (FState.Path() + "state").c_str(), 1);
  }
  void TearDown() override {
    W.reset();
    if (FOldState.empty())
      unsetenv("XDG_STATE_HOME");
    else
      setenv("XDG_STATE_HOME", FOldState.c_str(), 1);
  }

  static TBatchResult Wait(TRenameBatch& w) {
    while (!w.Finished()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return w.Result();
  }
  // Lists the folder as the window does and renames what was listed.
  static TBatchResult RenameIn(TRenameBatch& w, const std::string& folder, const std::string& mask = "*",
                               const std::string& prefix = "My", int32_t start = 0) {
    Trenamefile engine;
    const std::vector<std::string> names = engine.ListFiles(folder + mask);
    EXPECT_TRUE(w.StartRename(folder, names, engine.FileCount(), prefix, start));
    return Wait(w);
  }
  TBatchResult Rename(const std::string& mask = "*", const std::string& prefix = "My", int32_t start = 0) {
    return RenameIn(*W, F.Path(), mask, prefix, start);
  }
  static TBatchResult UndoIn(TRenameBatch& w) {
    EXPECT_TRUE(w.StartUndo());
    return Wait(w);
  }
  TBatchResult Undo() { return UndoIn(*W); }
  // The window closes and the program starts again.
  void Restart() {
    W = std::make_unique<TRenameBatch>();
    W->AdoptOrphanJournal();
  }
  static TJournal ReadJournal(const std::string& path) {
    TJournal j;
    EXPECT_EQ(ParseJournal(std::make_shared<std::string>(TempFolder::ReadAll(path)), j), TJournalStatus::Ok);
    return j;
  }
  TJournal ReadJournal() const { return ReadJournal(W->JournalPath()); }
  static std::set<std::string> Journals() {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(TRenameBatch::JournalFolder(), error))
      names.insert(e.path().filename().string());
    return names;
  }

  TempFolder F;
  TempFolder FState;
  std::string FOldState;
  std::unique_ptr<TRenameBatch> W = std::make_unique<TRenameBatch>();
};

TEST_F(Batch, MovesExactlyWhatRenameAllMoves) {
  struct Case {
    const char* What;
    std::vector<std::pair<std::string, std::string>> Files;
    std::vector<std::string> Names;  // handed over as the list; empty: the listing
    std::string Prefix;
    int32_t Start;
  };
  const Case cases[] = {
      {"collisions, a chain through a freed name, hidden and non-UTF-8 names",
       {{"a.txt", "A"}, {"My1.txt", "M1"}, {"My3.jpg", "M3"}, {".h", "H"}, {"\xFF.x", "F"}, {"line\nb", "L"}},
       {}, "My", 0},
      {"numbers past the 32-bit maximum", {{"a", "A"}, {"b", "B"}}, {}, "n", INT32_MAX},
      {"names that are no bare names are skipped and keep their numbers",
       {{"a", "A"}, {"b", "B"}}, {"..", "a", "sub/x", "b"}, "N", -3},
      {"a prefix holding a slash renames nothing", {{"a", "A"}}, {}, "x/", 0},
      {"new names too long for the file system", {{"a", "A"}, {std::string(250, 'l'), "L"}}, {}, std::string(251, 'p'), 0},
  };
  for (const Case& c : cases) {
    TempFolder plain, journalled;
    for (const auto& [name, bytes] : c.Files) {
      plain.WriteFile(name, bytes);
      journalled.WriteFile(name, bytes);
    }
    Trenamefile engine;
    std::vector<std::string> names = engine.ListFiles(plain.Path() + "*");
    if (!c.Names.empty()) names = c.Names;
    engine.RenameAll(plain.Path(), names, c.Prefix, c.Start);
    TBatchControl control;
    TRenameJournal journal;
    TRenameBatch::RunRename(journalled.Path(), names, engine.FileCount(), c.Prefix, c.Start, control, journal);
    EXPECT_EQ(journalled.Contents(), plain.Contents()) << c.What;
  }
}

TEST_F(Batch, UndoOfACompleteBatchRestoresEveryNameAndIsThenGone) {
  // "2" becomes "1" and frees "2" for "a": undo must go newest first.
  F.WriteFile("2", "two");
  F.WriteFile("a", "A");
  F.WriteFile("b.txt", "B");
  F.WriteFile("c", "C");
  F.MakeDir("4");  // not listed, but takes the name "c" was to get
  const Contents before = F.Contents();
  const TBatchResult done = Rename("*", "", 0);
  EXPECT_TRUE(done.Started);
  EXPECT_EQ(done.Renamed, 3u);
  EXPECT_EQ(ReportText(done), "已重命名 3 个文件，1 个文件保留原名：c（4 已存在）");
  ASSERT_EQ(F.Contents(), (Contents{{"1", "file:two"}, {"2", "file:A"}, {"3.txt", "file:B"},
                                    {"c", "file:C"}, {"4", "dir"}}));
  EXPECT_TRUE(W->CanUndo());
  const std::string journal = W->JournalPath();

  const TBatchResult undone = Undo();
  EXPECT_TRUE(undone.Started);
  EXPECT_EQ(undone.Renamed, 3u);
  EXPECT_TRUE(undone.Kept.empty()) << ReportText(undone);
  EXPECT_EQ(F.Contents(), before);
  EXPECT_FALSE(W->CanUndo());
  EXPECT_EQ(W->UndoReadiness(), TUndoReadiness::Nothing);
  EXPECT_NE(access(journal.c_str(), F_OK), 0);
  EXPECT_FALSE(Undo().Started);  // one level
}

TEST_F(Batch, PaddedNumbersReachTheDiskAndUndoBringsTheOldNamesBack) {
  Contents padded;
  for (int i = 1; i <= 12; ++i) {
    F.WriteFile("f" + std::to_string(i) + ".jpg", std::to_string(i));
    padded[(i < 10 ? "My0" : "My") + std::to_string(i) + ".jpg"] = "file:" + std::to_string(i);
  }
  const Contents before = F.Contents();
  Trenamefile engine;
  const std::vector<std::string> names = engine.ListFiles(F.Path() + "*");
  ASSERT_TRUE(W->StartRename(F.Path(), names, names.size(), "My", 0, NumberWidth(0, names.size())));
  EXPECT_EQ(Wait(*W).Renamed, 12u);
  EXPECT_EQ(F.Contents(), padded);
  EXPECT_EQ(Undo().Renamed, 12u);
  EXPECT_EQ(F.Contents(), before);
}

TEST_F(Batch, FilesChangedByHandAfterTheBatchKeepTheirNames) {
  F.WriteFile("a.txt", "A");
  F.WriteFile("b.txt", "B");
  F.WriteFile("c.txt", "C");
  F.WriteFile("d.txt", "D");
  Rename("*.txt");
  ASSERT_EQ(rename((F.Path() + "My1.txt").c_str(), (F.Path() + "mine.txt").c_str()), 0);  // renamed by hand
  F.WriteFile("b.txt", "new b");                          // b's old name taken since
  ASSERT_EQ(unlink((F.Path() + "My3.txt").c_str()), 0);   // c replaced by another file at its new name
  F.WriteFile("My3.txt", "other");
  const TBatchResult undone = Undo();
  EXPECT_EQ(undone.Renamed, 1u);
  EXPECT_EQ(F.Contents(), (Contents{{"mine.txt", "file:A"}, {"b.txt", "file:new b"}, {"My2.txt", "file:B"},
                                    {"My3.txt", "file:other"}, {"d.txt", "file:D"}}));
  EXPECT_EQ(ReportText(undone),
            "已恢复 1 个文件的原名，3 个文件未能恢复：My1.txt（文件已不存在），My2.txt（b.txt 已存在），"
            "My3.txt（文件已不存在）");
}

TEST_F(Batch, AFileBornAfterTheBatchBeganIsNotTakenForTheJournalledOne) {
  // A deleted file's inode number may name the next new file: a journal whose
  // device and inode match a file born after its batch must not move it.
  F.WriteFile("My1", "new file");
  struct stat st, folder;
  ASSERT_EQ(lstat((F.Path() + "My1").c_str(), &st), 0);
  ASSERT_EQ(stat(F.Path().c_str(), &folder), 0);
  for (const bool bornBefore : {false, true}) {
    TJournal j;
    j.Folder = F.Path();
    j.FolderDev = folder.st_dev;
    j.FolderIno = folder.st_ino;
    constexpr uint64_t kHourNs = 3600'000'000'000;
    j.Begun = bornBefore ? BatchBeginning() : BatchBeginning() - kHourNs;
    WaitForFileTimesPast(j.Begun);
    j.Entries = {{"a", "My1", static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)}};
    TRenameJournal journal;
    ASSERT_TRUE(journal.Begin(j));
    journal.Record(0, kOutcomeMoved);
    journal.Finish(false);
    TBatchControl control;
    const TBatchResult r = TRenameBatch::RunUndo(control, journal);
    EXPECT_EQ(r.Renamed, bornBefore ? 1u : 0u) << bornBefore;
    EXPECT_EQ(F.Contents(), (Contents{{bornBefore ? "a" : "My1", "file:new file"}})) << bornBefore;
  }
}

TEST_F(Batch, FilesMadeJustBeforeTheBatchBeganAreOlderAndJustAfterYounger) {
  // File times come from a clock a tick behind the precise one: without
  // care, a file made a moment after the beginning looks older than it.
  const int dir = open(F.Path().c_str(), O_PATH | O_DIRECTORY);
  ASSERT_GE(dir, 0);
  for (int i = 0; i < 20; ++i) {
    const std::string before = "before" + std::to_string(i), after = "after" + std::to_string(i);
    F.WriteFile(before, "");
    const uint64_t begun = BatchBeginning();
    WaitForFileTimesPast(begun);
    F.WriteFile(after, "");
    struct stat b, a;
    ASSERT_EQ(lstat((F.Path() + before).c_str(), &b), 0);
    ASSERT_EQ(lstat((F.Path() + after).c_str(), &a), 0);
    EXPECT_TRUE(IsSameFile(dir, before, b.st_dev, b.st_ino, begun)) << i;
    EXPECT_FALSE(IsSameFile(dir, after, a.st_dev, a.st_ino, begun)) << i;
  }
  // So too for a batch: a file made once its moves have begun is younger.
  for (int i = 0; i < 10; ++i) {
    const std::string name = "batch" + std::to_string(i);
    F.WriteFile(name, "");
    ASSERT_EQ(RenameIn(*W, F.Path(), name, "moved" + std::to_string(i) + "-").Renamed, 1u);
    F.WriteFile("new" + std::to_string(i), "");
    struct stat st;
    ASSERT_EQ(lstat((F.Path() + "new" + std::to_string(i)).c_str(), &st), 0);
    EXPECT_FALSE(IsSameFile(dir, "new" + std::to_string(i), st.st_dev, st.st_ino, ReadJournal().Begun)) << i;
  }
  close(dir);
}

TEST_F(Batch, OnePassOverTheFolderFindsTheFilesAStatFinds) {
  for (const char* parent : {"/tmp", "/dev/shm"}) {  // a disk and tmpfs
    TempFolder folder(QString::fromLatin1(parent) + "/renamer-ids-XXXXXX");
    const std::vector<std::string> names = {"a", "line\nbreak", "\xFF\xFE", "a", "missing", "sub", "link"};
    folder.WriteFile("a", "");
    folder.WriteFile("line\nbreak", "");
    folder.WriteFile("\xFF\xFE", "");
    folder.WriteFile("other", "");
    folder.MakeDir("sub");
    folder.MakeLink("link", "a");
    std::vector<TFileIdentity> ids(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) ids[i].Name = &names[i];
    const int dir = open(folder.Path().c_str(), O_PATH | O_DIRECTORY);
    ASSERT_GE(dir, 0);
    IdentifyFiles(dir, ids);
    close(dir);
    for (std::size_t i = 0; i < names.size(); ++i) {
      struct stat st;
      const bool found = lstat((folder.Path() + names[i]).c_str(), &st) == 0;
      EXPECT_EQ(ids[i].Error, found ? 0 : ENOENT) << parent << " " << names[i];
      if (!found) continue;
      EXPECT_EQ(ids[i].Dev, static_cast<uint64_t>(st.st_dev)) << parent << " " << names[i];
      EXPECT_EQ(ids[i].Ino, static_cast<uint64_t>(st.st_ino)) << parent << " " << names[i];
    }
  }
}

TEST_F(Batch, TheWindowsTestHookRunsOnEveryFileOfAWorkerBatch) {
  for (int i = 0; i < 20; ++i) F.WriteFile("f" + std::to_string(i), "");
  std::atomic<std::size_t> calls{0}, last{0};
  TRenameBatch::TestHookAfterEachFile = [&](std::size_t done) {
    ++calls;
    last = done;
  };
  TRenameBatch batch;
  Trenamefile engine;
  const auto names = engine.ListFiles(F.Path() + "*");
  ASSERT_TRUE(batch.StartRename(F.Path(), names, engine.FileCount(), "My", 0));
  TRenameBatch::TestHookAfterEachFile = nullptr;  // taken at the start
  Wait(batch);
  EXPECT_FALSE(batch.Running());
  EXPECT_EQ(calls.load(), 20u);
  EXPECT_EQ(last.load(), 20u);
  EXPECT_EQ(batch.Done(), batch.Total());
  EXPECT_EQ(batch.Result().Renamed, 20u);
}

// Exit codes of the child processes below.
constexpr int kChildOk = 0;
constexpr int kChildNotStarted = 20;

// At a start, a window takes the journal of the newest batch whose program
// is gone, never one a live program holds, and removes the other orphans.
TEST_F(Batch, AStartTakesTheNewestJournalOfAProgramGoneNeverOneALiveProgramHolds) {
  constexpr int kFiles = 2000;
  constexpr std::size_t kKillAfter = 1234;
  TempFolder older;  // renamed earlier by a window that closed
  older.WriteFile("o", "O");
  RenameIn(*W, older.Path(), "*", "old");
  const std::set<std::string> olderJournal = Journals();
  ASSERT_EQ(olderJournal.size(), 1u);
  W.reset();

  for (int i = 0; i < kFiles; ++i) F.WriteFile("f" + std::to_string(i), std::to_string(i));
  const Contents before = F.Contents();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    Trenamefile engine;
    const auto names = engine.ListFiles(F.Path() + "*");
    TBatchControl control;
    control.AfterEachFile = [&](std::size_t done) {
      if (done != kKillAfter) return;
      const char byte = 1;
      if (write(ready[1], &byte, 1) != 1) _exit(1);
      for (;;) pause();  // killed here, between two moves
    };
    TRenameJournal journal;
    TRenameBatch::RunRename(F.Path(), names, engine.FileCount(), "My", 0, control, journal);
    _exit(kChildOk);
  }
  close(ready[1]);
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  std::set<std::string> childJournal = Journals();
  for (const std::string& name : olderJournal) childJournal.erase(name);
  ASSERT_EQ(childJournal.size(), 1u);

  // While the child lives, its journal is its own: a start takes the older one.
  Restart();
  EXPECT_EQ(W->JournalPath(), TRenameBatch::JournalFolder() + "/" + *olderJournal.begin());
  EXPECT_EQ(Journals().size(), 2u);

  kill(pid, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(status));
  std::size_t moved = 0;
  for (const auto& [name, bytes] : F.Contents()) moved += name.rfind("My", 0) == 0;
  EXPECT_EQ(moved, kKillAfter);

  Restart();
  EXPECT_EQ(Journals(), childJournal);  // the older orphan could never be reached again
  EXPECT_FALSE(ReadJournal().Ended);
  EXPECT_TRUE(W->CanUndo());
  EXPECT_TRUE(W->JournalInterrupted());
  const TBatchResult undone = Undo();
  EXPECT_EQ(undone.Renamed, kKillAfter);
  EXPECT_TRUE(undone.Kept.empty()) << ReportText(undone);
  EXPECT_EQ(F.Contents(), before);
  EXPECT_TRUE(Journals().empty());
}

// The single journal of an older version (format 1) is taken and undone once.
TEST_F(Batch, TheJournalOfAnOlderVersionIsUndoneOnce) {
  F.WriteFile("a", "A");
  F.WriteFile("b", "B");
  Rename();
  std::string bytes = TempFolder::ReadAll(W->JournalPath());
  const std::string v2 = "batch-renamer undo journal 2\n";
  ASSERT_EQ(bytes.rfind(v2, 0), 0u);
  bytes.replace(0, v2.size(), "batch-renamer undo journal 1\n");  // its entries have no sizes: the same plan
  W.reset();
  std::filesystem::remove_all(TRenameBatch::JournalFolder());
  FState.WriteFile("state/batch-renamer/undo-journal", bytes);

  Restart();
  EXPECT_TRUE(W->CanUndo());
  EXPECT_EQ(Undo().Renamed, 2u);
  EXPECT_EQ(F.Contents(), (Contents{{"a", "file:A"}, {"b", "file:B"}}));
  EXPECT_NE(access(TRenameJournal::LegacyPath().c_str(), F_OK), 0);
  Restart();
  EXPECT_EQ(W->UndoReadiness(), TUndoReadiness::Nothing);
}

// Two windows, each with its own batches: undo in one never touches what
// the other renamed, in another folder or in the same one at the same time.
TEST_F(Batch, EachWindowUndoesItsOwnLastBatchOnly) {
  TempFolder other;
  for (int i = 0; i < 300; ++i) {
    F.WriteFile("a" + std::to_string(i), "a" + std::to_string(i));
    F.WriteFile("c" + std::to_string(i), "c" + std::to_string(i));
    other.WriteFile("b" + std::to_string(i), "b" + std::to_string(i));
  }
  const Contents before = F.Contents(), otherBefore = other.Contents();
  // The first window's batch is held midway while the others run.
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  TRenameBatch::TestHookAfterEachFile = [released](std::size_t done) {
    if (done == 100) released.wait();
  };
  Trenamefile engine;
  const std::vector<std::string> aNames = engine.ListFiles(F.Path() + "a*");
  ASSERT_TRUE(W->StartRename(F.Path(), aNames, aNames.size(), "A", 0));
  TRenameBatch::TestHookAfterEachFile = nullptr;
  TRenameBatch second, third;
  EXPECT_EQ(RenameIn(second, other.Path(), "*", "B").Renamed, 300u);
  EXPECT_EQ(RenameIn(third, F.Path(), "c*", "C").Renamed, 300u);
  release.set_value();
  EXPECT_EQ(Wait(*W).Renamed, 300u);
  const Contents renamedOther = other.Contents();

  const TBatchResult undone = Undo();
  EXPECT_EQ(undone.Renamed, 300u);
  EXPECT_TRUE(undone.Kept.empty()) << ReportText(undone);
  EXPECT_EQ(other.Contents(), renamedOther);
  std::size_t atOld = 0, stillRenamed = 0;  // the first window's files back, the third's not
  for (const auto& [name, bytes] : F.Contents()) {
    atOld += name[0] == 'a';
    stillRenamed += name[0] == 'C';
  }
  EXPECT_EQ(atOld, 300u);
  EXPECT_EQ(stillRenamed, 300u);
  EXPECT_FALSE(W->CanUndo());

  EXPECT_TRUE(second.CanUndo());
  EXPECT_TRUE(third.CanUndo());
  EXPECT_EQ(UndoIn(third).Renamed, 300u);
  EXPECT_EQ(F.Contents(), before);
  EXPECT_EQ(UndoIn(second).Renamed, 300u);
  EXPECT_EQ(other.Contents(), otherBefore);
}

TEST_F(Batch, CancelStopsBetweenFilesAndTheJournalSaysWhichMoved) {
  constexpr int kFiles = 50000;
  TempFolder f(QStringLiteral("/dev/shm/renamer-cancel-XXXXXX"));  // tmpfs: quick to fill
  std::vector<std::string> names;
  for (int i = 0; i < kFiles; ++i) {
    names.push_back("f" + std::to_string(i) + ".d");
    f.WriteFile(names.back(), "");
  }
  TRenameBatch& batch = *W;
  std::atomic<int> finishedCalls{0};
  batch.OnFinished = [&](const TBatchResult&) { ++finishedCalls; };
  ASSERT_TRUE(batch.StartRename(f.Path(), names, names.size(), "My", 0));
  EXPECT_FALSE(batch.StartUndo());  // one at a time
  while (batch.Done() < kFiles / 3 && batch.Running()) std::this_thread::yield();
  batch.Cancel();
  while (!batch.Finished()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const TBatchResult& result = batch.Result();
  ASSERT_TRUE(result.Cancelled);
  EXPECT_EQ(result.Total, std::size_t{kFiles});
  EXPECT_GT(result.Renamed, 0u);
  EXPECT_LT(result.Renamed, std::size_t{kFiles});
  EXPECT_EQ(batch.Done(), result.Renamed);
  EXPECT_EQ(ReportText(result), "已取消。已重命名 " + std::to_string(result.Renamed) + " 个文件。");

  // Every file under exactly one of its two names, and the journal knows which.
  const Contents after = f.Contents();
  EXPECT_EQ(after.size(), std::size_t{kFiles});
  const TJournal j = ReadJournal();
  EXPECT_TRUE(j.Ended);
  EXPECT_FALSE(batch.JournalInterrupted());
  ASSERT_EQ(j.Entries.size(), std::size_t{kFiles});
  std::size_t moved = 0;
  for (std::size_t i = 0; i < j.Entries.size(); ++i) {
    const bool atOld = after.count(std::string(j.Entries[i].OldName)) != 0;
    const bool atNew = after.count(std::string(j.Entries[i].NewName)) != 0;
    ASSERT_NE(atOld, atNew) << j.Entries[i].OldName;
    ASSERT_EQ(atNew, j.Outcomes[i] == kOutcomeMoved) << i;
    ASSERT_EQ(atOld, j.Outcomes[i] == kOutcomeUnknown) << i;
    moved += atNew;
  }
  EXPECT_EQ(moved, result.Renamed);

  ASSERT_TRUE(batch.StartUndo());
  while (!batch.Finished()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(batch.Result().Renamed, moved);
  EXPECT_EQ(finishedCalls.load(), 2);
  Contents original;
  for (const auto& name : names) original[name] = "file:";
  EXPECT_EQ(f.Contents(), original);
}

TEST(BatchReport, ReasonsComeFromTheMoveErrors) {
  const struct {
    int Errno;
    TKeptReason Reason;
  } rows[] = {{EEXIST, TKeptReason::NameTaken},      {ENOTEMPTY, TKeptReason::NameTaken},
              {EACCES, TKeptReason::NoPermission},  {EPERM, TKeptReason::NoPermission},
              {EROFS, TKeptReason::NoPermission},   {ENOENT, TKeptReason::FileGone},
              {ENAMETOOLONG, TKeptReason::NameTooLong}, {EIO, TKeptReason::Other},
              {EBUSY, TKeptReason::Other}};
  for (const auto& row : rows) EXPECT_EQ(KeptReasonOf(row.Errno), row.Reason) << row.Errno;
}

TEST(BatchReport, TextNamesTheFirstFilesThenAnEllipsis) {
  TBatchResult r;
  r.Started = true;
  r.Renamed = 7;
  EXPECT_EQ(ReportText(r), "");  // everything went through: nothing to say
  r.Kept = {{"b.jpg", "My3.jpg", TKeptReason::NameTaken}};
  EXPECT_EQ(ReportText(r), "已重命名 7 个文件，1 个文件保留原名：b.jpg（My3.jpg 已存在）");
  r.Kept = {{"a\n\xFF", "x", TKeptReason::NoPermission},
            {"b", "My\xFE", TKeptReason::NameTaken},
            {"c", "y", TKeptReason::NameTooLong},
            {"d", "z", TKeptReason::Other}};
  EXPECT_EQ(ReportText(r),
            "已重命名 7 个文件，4 个文件保留原名：a\uFFFD\uFFFD（没有权限），b（My\uFFFD 已存在），"
            "c（新文件名过长）…");
  r.Started = false;
  r.Error = "无法写入撤销记录";
  EXPECT_EQ(ReportText(r), r.Error);
}

// Renames, as uid 65534, a folder where one file belongs to root: the sticky
// bit lets nobody but its owner move it. Writes the report text to `out`.
int RenameAsNobody(const std::string& folder, int out) {
  constexpr uid_t kNobody = 65534;
  if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) return 1;
  Trenamefile engine;
  const auto names = engine.ListFiles(folder + "?.txt");
  TBatchControl control;
  TRenameJournal journal;
  const TBatchResult r = TRenameBatch::RunRename(folder, names, engine.FileCount(), "My", 0, control, journal);
  const std::string text = ReportText(r);
  return write(out, text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? kChildOk : 1;
}

TEST_F(Batch, ReportOfTwoCollisionsAndAFileWeMayNotMove) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
  TempFolder shared(QStringLiteral("/tmp/renamer-sticky-XXXXXX"));
  for (const char* name : {"a.txt", "b.txt", "c.txt", "My2.txt", "My3.txt"}) {
    shared.WriteFile(name, name);
    ASSERT_EQ(chown((shared.Path() + name).c_str(), 65534, 65534), 0);
  }
  shared.WriteFile("d.txt", "root's");  // stays root's: nobody may not move it
  ASSERT_EQ(chmod(shared.Path().c_str(), 01777), 0);
  ASSERT_EQ(chmod(FState.Path().c_str(), 0777), 0);
  int text[2];
  ASSERT_EQ(pipe(text), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    close(text[0]);
    _exit(RenameAsNobody(shared.Path(), text[1]));
  }
  close(text[1]);
  std::string report;
  char buf[512];
  for (ssize_t n; (n = read(text[0], buf, sizeof buf)) > 0;) report.append(buf, n);
  close(text[0]);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kChildOk);
  EXPECT_EQ(report,
            "已重命名 1 个文件，3 个文件保留原名：b.txt（My2.txt 已存在），c.txt（My3.txt 已存在），"
            "d.txt（没有权限）");
  EXPECT_EQ(shared.Contents(), (Contents{{"My1.txt", "file:a.txt"}, {"b.txt", "file:b.txt"},
                                         {"c.txt", "file:c.txt"}, {"d.txt", "file:root's"},
                                         {"My2.txt", "file:My2.txt"}, {"My3.txt", "file:My3.txt"}}));
}

// A batch of three whose journal the tests then damage: undo must refuse,
// say why, change nothing, and not offer itself again.
class DamagedJournal : public Batch {
protected:
  void ExpectUndoChangesNothing(const char* what, const std::string& folder) {
    const Contents renamed = TempFolder::ContentsOf(folder);
    const TBatchResult r = Undo();
    EXPECT_FALSE(r.Started) << what;
    EXPECT_FALSE(r.Error.empty()) << what;
    EXPECT_EQ(TempFolder::ContentsOf(folder), renamed) << what;
    EXPECT_FALSE(W->CanUndo()) << what;
  }
  void ExpectUndoChangesNothing(const char* what) { ExpectUndoChangesNothing(what, F.Path()); }
  void RenameThree() {
    F.WriteFile("a", "A");
    F.WriteFile("b", "B");
    F.WriteFile("c", "C");
    ASSERT_EQ(Rename().Renamed, 3u);
    FPath = W->JournalPath();
    FJournal = TempFolder::ReadAll(FPath);
  }
  // The journal's bytes are replaced in place, and a new start takes it.
  void WriteJournal(const std::string& bytes) {
    W.reset();
    const int fd = open(FPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
    Restart();
  }
  std::string FPath, FJournal;
};

TEST_F(DamagedJournal, TruncatedOrAlteredPlanIsRefused) {
  RenameThree();
  const std::size_t planStart = FJournal.find('\n', FJournal.find("plan ")) + 1;
  const std::size_t outcomes = FJournal.find("r 0\n");
  ASSERT_NE(outcomes, std::string::npos);
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, planStart, outcomes - 1}) {
    WriteJournal(FJournal.substr(0, cut));
    std::string why;
    EXPECT_EQ(W->UndoReadiness(&why), TUndoReadiness::Unusable) << cut;  // the header alone shows a cut plan
    EXPECT_EQ(why, "撤销记录已损坏，未做任何更改。");
    ExpectUndoChangesNothing(("cut at " + std::to_string(cut)).c_str());
  }
  std::string altered = FJournal;
  altered[outcomes - 3] ^= 1;  // one digit of the last inode
  WriteJournal(altered);
  ExpectUndoChangesNothing("one bit flipped");
  WriteJournal("not a journal at all\n");
  ExpectUndoChangesNothing("foreign text");

  WriteJournal(FJournal.substr(0, outcomes + 2));  // outcomes cut short are only unknown
  EXPECT_TRUE(W->CanUndo());
  EXPECT_EQ(Undo().Renamed, 3u);
}

TEST_F(DamagedJournal, AJournalTooLargeForAnyBatchIsNotReadAndDropped) {
  RenameThree();
  ASSERT_EQ(truncate(FPath.c_str(), (off_t{1} << 30) + 1), 0);  // sparse, cut in place under the window
  ExpectUndoChangesNothing("larger than 1 GiB");
  EXPECT_NE(access(FPath.c_str(), F_OK), 0);
}

TEST_F(DamagedJournal, JournalOfAnotherUserOrThroughALinkIsRefusedAndSaysWhy) {
  RenameThree();
  W.reset();
  const auto expectRefused = [&](const char* what) {
    Restart();
    std::string why;
    EXPECT_EQ(W->UndoReadiness(&why), TUndoReadiness::Unusable) << what;
    EXPECT_EQ(why, "撤销记录不属于当前用户，未做任何更改。") << what;
    ExpectUndoChangesNothing(what);
  };
  if (geteuid() == 0) {
    ASSERT_EQ(chown(FPath.c_str(), 65534, 65534), 0);
    expectRefused("owned by uid 65534");
    EXPECT_EQ(TempFolder::ReadAll(FPath), FJournal);  // not ours: left alone
    ASSERT_EQ(chown(FPath.c_str(), 0, 0), 0);
  }
  ASSERT_EQ(rename(FPath.c_str(), (FState.Path() + "elsewhere").c_str()), 0);
  ASSERT_EQ(symlink((FState.Path() + "elsewhere").c_str(), FPath.c_str()), 0);
  expectRefused("a symbolic link");
  EXPECT_TRUE(std::filesystem::is_symlink(FPath));
}

TEST_F(DamagedJournal, FolderThatIsGoneOrReplacedIsRefusedAndSaysWhy) {
  RenameThree();
  const std::string folder = F.Path().substr(0, F.Path().size() - 1);
  ASSERT_EQ(rename(folder.c_str(), (folder + "-moved").c_str()), 0);
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);  // a new folder under the old name
  ASSERT_EQ(rename((folder + "-moved/My1").c_str(), (folder + "/My1").c_str()), 0);
  std::string why;
  EXPECT_EQ(W->UndoReadiness(&why), TUndoReadiness::Unusable);
  EXPECT_EQ(why, "文件夹 " + F.Path() + " 已不存在，未做任何更改。");
  ExpectUndoChangesNothing("another folder of the same name");
  ASSERT_EQ(rename((folder + "/My1").c_str(), (folder + "-moved/My1").c_str()), 0);
  ASSERT_EQ(rmdir(folder.c_str()), 0);
  ExpectUndoChangesNothing("no folder", folder + "-moved/");
  // Back where it was (a disk mounted again), the journal still undoes it.
  ASSERT_EQ(rename((folder + "-moved").c_str(), folder.c_str()), 0);
  EXPECT_TRUE(W->CanUndo());
  EXPECT_EQ(Undo().Renamed, 3u);
  EXPECT_EQ(F.Contents(), (Contents{{"a", "file:A"}, {"b", "file:B"}, {"c", "file:C"}}));
}

TEST_F(Batch, ABatchWhoseJournalCannotBeWrittenDoesNotStart) {
  F.WriteFile("a", "A");
  F.WriteFile("b", "B");
  ASSERT_EQ(Rename("a").Renamed, 1u);  // an earlier batch, still undoable
  const Contents before = F.Contents();
  const std::string journal = TempFolder::ReadAll(W->JournalPath());

  // The disk fills up while the journal is written (a file size limit stands
  // in for a full disk; both fail the write).
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(1);
    Trenamefile engine;
    const std::vector<std::string> names = engine.ListFiles(F.Path() + "b");
    TBatchControl control;
    TRenameJournal own;
    const TBatchResult r = TRenameBatch::RunRename(F.Path(), names, 1, std::string(40, 'p'), 0, control, own);
    _exit(!r.Started && r.Renamed == 0 && r.Error.find("磁盘空间不足") != std::string::npos ? kChildNotStarted
                                                                                             : kChildOk);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kChildNotStarted);
  EXPECT_EQ(F.Contents(), before);
  EXPECT_EQ(TempFolder::ReadAll(W->JournalPath()), journal);

  // The state folder cannot be made: a file stands where it should be.
  FState.WriteFile("file", "");
  setenv("XDG_STATE_HOME", (FState.Path() + "file/state").c_str(), 1);
  const TBatchResult r = Rename("b");
  EXPECT_FALSE(r.Started);
  EXPECT_NE(ReportText(r).find("未重命名任何文件"), std::string::npos) << ReportText(r);
  EXPECT_EQ(F.Contents(), before);
  EXPECT_TRUE(W->CanUndo());  // the earlier batch's journal stays
}

// A program that died while writing its journal left the temporary file
// behind; the next batch removes it, but never one a writer still holds.
TEST_F(Batch, TemporaryJournalsLeftByADeadWriterGoAndLiveOnesStay) {
  F.WriteFile("a", "A");
  ASSERT_EQ(Rename("*", "x").Renamed, 1u);  // the state folder now exists
  const std::string folder = TRenameBatch::JournalFolder() + "/";
  const auto make = [&](const std::string& path, time_t age) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0) << path;
    const timespec times[2] = {{time(nullptr) - age, 0}, {time(nullptr) - age, 0}};
    EXPECT_EQ(futimens(fd, times), 0);
    return fd;
  };
  close(make(folder + "journal-Dead01.new", 120));
  const int writer = make(folder + "journal-Held01.new", 120);  // a writer that is slow, not dead
  ASSERT_EQ(flock(writer, LOCK_EX), 0);
  close(make(folder + "journal-Fresh1.new", 0));  // just made; its writer is about to lock it
  close(make(folder + "journal-other-name.new", 120));
  close(make(folder + "notes", 120));
  close(make(TRenameJournal::StateFolder() + "/undo-journal.Dead02", 120));  // left by an older version

  ASSERT_EQ(Rename("*", "y").Renamed, 1u);
  const std::string held = W->JournalPath().substr(folder.size());
  EXPECT_EQ(Journals(), (std::set<std::string>{held, "journal-Held01.new", "journal-Fresh1.new",
                                               "journal-other-name.new", "notes"}));
  EXPECT_NE(access((TRenameJournal::StateFolder() + "/undo-journal.Dead02").c_str(), F_OK), 0);
  close(writer);
  EXPECT_EQ(Undo().Renamed, 1u);
  EXPECT_EQ(F.Contents(), (Contents{{"x1", "file:A"}}));
}

TEST_F(Batch, AFileThatAlreadyHasItsNewNameCountsAsRenamed) {
  F.WriteFile("A1.txt", "1");
  F.WriteFile("b.txt", "B");
  const TBatchResult r = Rename("*.txt", "A");
  EXPECT_EQ(r.Renamed, 2u);
  EXPECT_EQ(ReportText(r), "");  // not "A1.txt (A1.txt exists)"
  EXPECT_EQ(F.Contents(), (Contents{{"A1.txt", "file:1"}, {"A2.txt", "file:B"}}));
  EXPECT_EQ(Undo().Renamed, 1u);
  EXPECT_EQ(F.Contents(), (Contents{{"A1.txt", "file:1"}, {"b.txt", "file:B"}}));
}

TEST_F(Batch, ANewBatchReplacesTheWindowsJournalAndAnEmptyOneDoesNot) {
  F.WriteFile("a", "A");
  ASSERT_EQ(Rename("*", "x").Renamed, 1u);
  ASSERT_EQ(Rename("*", "y").Renamed, 1u);
  EXPECT_EQ(Journals().size(), 1u);  // one level: journals do not pile up
  ASSERT_EQ(Rename("none*", "z").Total, 0u);  // nothing listed: the last batch stays undoable
  ASSERT_EQ(Rename("y1", "y").Renamed, 1u);   // nothing to move: so too
  EXPECT_EQ(Undo().Renamed, 1u);
  EXPECT_EQ(F.Contents(), (Contents{{"x1", "file:A"}}));
  EXPECT_FALSE(W->CanUndo());
  EXPECT_TRUE(Journals().empty());
}

TEST_F(Batch, ABatchThatMovedNoFileOffersNoUndo) {
  F.WriteFile("a.txt", "A");
  F.WriteFile("My1.txt", "taken");
  const TBatchResult result = Rename("a.txt");
  ASSERT_TRUE(result.Started);
  ASSERT_EQ(result.Renamed, 0u);  // its new name is taken: it keeps its own
  EXPECT_FALSE(W->CanUndo());
  EXPECT_TRUE(Journals().empty());
}

TEST_F(Batch, JournalsFollowTheStateFolderOfTheEnvironment) {
  setenv("XDG_STATE_HOME", "/abs/state", 1);
  EXPECT_EQ(TRenameBatch::JournalFolder(), "/abs/state/batch-renamer/journals");
  EXPECT_EQ(TRenameJournal::LegacyPath(), "/abs/state/batch-renamer/undo-journal");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_STATE_HOME", "relative/state", 1);  // ignored: not absolute
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(TRenameBatch::JournalFolder(), "/home/someone/.local/state/batch-renamer/journals");
  setenv("HOME", home.c_str(), 1);
}

// On a file system without birth times (ext4 with 128-byte inodes) a file
// made again under a renamed file's new name takes the freed inode: undo
// must tell it from the renamed one and leave it.
TEST_F(Batch, AFileMadeAgainOnTheFreedInodeIsNotMovedBackWithoutBirthTimes) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to mount a file system image";
  if (!hungmount::InChild()) return hungmount::RunInChild();  // the mount dies with the child
  TempFolder scratch(QStringLiteral("/tmp/renamer-ext4-XXXXXX"));
  const std::string image = scratch.Path() + "ext4.img", point = scratch.Path() + "mnt";
  scratch.MakeDir("mnt");
  {
    const int fd = open(image.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 16 << 20), 0);
    close(fd);
  }
  ASSERT_EQ(std::system(("mkfs.ext4 -q -I 128 -F " + image + " >/dev/null 2>&1").c_str()), 0);
  ASSERT_EQ(std::system(("mount -o loop " + image + " " + point).c_str()), 0);
  const std::string folder = point + "/";
  struct Unmount {
    std::string Point;
    ~Unmount() { umount2(Point.c_str(), MNT_DETACH); }
  } unmount{point};
  const auto write = [&](const std::string& name, const std::string& bytes) {
    const int fd = open((folder + name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    EXPECT_GE(fd, 0) << name;
    EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);
  };
  write("a.txt", "A");
  write("b.txt", "B");
  write("c.txt", "C");
  ASSERT_EQ(RenameIn(*W, folder, "*.txt").Renamed, 3u);
  struct statx stx;
  ASSERT_EQ(statx(AT_FDCWD, (folder + "My2.txt").c_str(), 0, STATX_INO | STATX_BTIME, &stx), 0);
  ASSERT_FALSE(stx.stx_mask & STATX_BTIME) << "this file system keeps birth times: the test shows nothing";
  const uint64_t renamed = stx.stx_ino;

  // Deleted and made again: the new file takes the freed inode number (the
  // fillers take any other one offered first).
  ASSERT_EQ(unlink((folder + "My2.txt").c_str()), 0);
  bool reused = false;
  for (int i = 0; i < 64 && !reused; ++i) {
    const std::string name = i == 0 ? "My2.txt" : "filler" + std::to_string(i);
    write(name, "a new file, not the renamed one");
    ASSERT_EQ(statx(AT_FDCWD, (folder + name).c_str(), 0, STATX_INO, &stx), 0);
    reused = stx.stx_ino == renamed;
    if (reused && i > 0) {
      ASSERT_EQ(unlink((folder + "My2.txt").c_str()), 0);
      ASSERT_EQ(rename((folder + name).c_str(), (folder + "My2.txt").c_str()), 0);
    }
  }
  ASSERT_TRUE(reused) << "the freed inode was never given again";

  const TBatchResult undone = Undo();
  EXPECT_EQ(undone.Renamed, 2u);
  EXPECT_EQ(ReportText(undone), "已恢复 2 个文件的原名，1 个文件未能恢复：My2.txt（文件已不存在）");
  const Contents after = TempFolder::ContentsOf(folder);
  EXPECT_EQ(after.at("a.txt"), "file:A");
  EXPECT_EQ(after.at("c.txt"), "file:C");
  EXPECT_EQ(after.at("My2.txt"), "file:a new file, not the renamed one");
  EXPECT_EQ(after.count("b.txt"), 0u);
}

// A journal whose folder lies on a mount that stopped answering: the
// window's questions come back within the time limit, and Ctrl+Z says why.
TEST_F(Batch, AJournalOfAFolderOnAMountThatDoesNotAnswerNeverHoldsTheWindow) {
  if (!hungmount::InChild()) return hungmount::RunInChild();
  hungmount::ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  hungmount::HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;
  {
    TJournal plan;
    plan.Folder = "/mnt/hung/photos/";
    plan.FolderDev = 1;
    plan.FolderIno = 2;
    plan.Begun = BatchBeginning();
    plan.Entries = {{"a", "My1", 3, 4}};
    TRenameJournal journal;  // a batch there, by a program that ended
    ASSERT_TRUE(journal.Begin(plan));
    journal.Finish(false);
  }
  ASSERT_TRUE(W->AdoptOrphanJournal());
  EXPECT_FALSE(W->CanUndo());
  EXPECT_FALSE(W->JournalInterrupted());
  std::string why;
  EXPECT_EQ(W->UndoReadiness(&why), TUndoReadiness::Unanswering);
  EXPECT_EQ(why, "文件夹 /mnt/hung/photos/ 没有响应，现在无法撤销，未做任何更改。");
}

}  // namespace
