// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/trenamebatch.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#include "platform/movefile.h"
#include "platform/readintime.h"
#include "renamer/fileidentity.h"
#include "renamer/trenamefile.h"
#include "renamer/trenamejournal.h"

namespace {

// Moves From to To inside the folder, never replacing a file: 0 or the errno.
// Names relative to the open folder spare the kernel walking its path twice
// per file.
int MoveInFolder(int dir, const std::string& folder, const std::string& from, const std::string& to) {
  if (renameat2(dir, from.c_str(), dir, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  const int err = errno;
  if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP) return err;
  return MoveFileByLinkOrCheck(folder + from, folder + to) ? 0 : errno;
}

bool SameFile(const struct stat& st, uint64_t dev, uint64_t ino) {
  return static_cast<uint64_t>(st.st_dev) == dev && static_cast<uint64_t>(st.st_ino) == ino;
}

std::string JournalFailureText(int err) {
  std::string why;
  switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      why = "磁盘空间不足";
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      why = "没有写入权限";
      break;
    case ENOTDIR:
    case ENOENT:
      why = "状态文件夹不可用";
      break;
    default:
      why = "错误 " + std::to_string(err);
      break;
  }
  return "无法写入撤销记录 " + TRenameJournal::Folder() + "（" + why + "），未重命名任何文件。";
}

std::string FolderGoneText(const std::string& folder) {
  return "文件夹 " + folder + " 已不存在，未做任何更改。";
}

std::string FolderSilentText(const std::string& folder) {
  return "文件夹 " + folder + " 没有响应，现在无法撤销，未做任何更改。";
}

const char* const kNothingText = "没有可以撤销的重命名。";
const char* const kCorruptText = "撤销记录已损坏，未做任何更改。";
const char* const kForeignText = "撤销记录不属于当前用户，未做任何更改。";
const char* const kUnreadableText = "无法读取撤销记录，未做任何更改。";

// Closes the folder on every way out.
struct TFolderHandle {
  int Fd;
  ~TFolderHandle() {
    if (Fd >= 0) close(Fd);
  }
};

// A file whose name already is the one it would get (the move would fail
// with EEXIST on itself).
constexpr int kAlreadyNamed = -2;

void Handled(TBatchControl& control) {
  const std::size_t done = ++control.Done;
  if (control.AfterEachFile) control.AfterEachFile(done);
}

}  // namespace

TRenameBatch::~TRenameBatch() {
  Cancel();
  Join();
}

void TRenameBatch::Join() {
  if (FWorker.joinable()) FWorker.join();
}

void TRenameBatch::Launch(std::function<TBatchResult(TBatchControl&)> work) {
  Join();
  FControl.CancelRequested = false;
  FControl.Done = 0;
  FControl.Total = 0;
  FControl.AfterEachFile = TestHookAfterEachFile;
  FFinished = false;
  FRunning = true;
  FWorker = std::thread([this, work = std::move(work)] {
    FResult = work(FControl);
    FFinished = true;  // before Running() turns false: !Running() after a start means Finished()
    FRunning = false;
    if (OnFinished) OnFinished(FResult);
  });
}

bool TRenameBatch::StartRename(std::string Folder, std::vector<std::string> Names, std::size_t Count,
                               std::string Prefix, int32_t Start, int Width) {
  if (Running()) return false;
  Launch([this, Folder = std::move(Folder), Names = std::move(Names), Count, Prefix = std::move(Prefix), Start,
          Width](TBatchControl& control) {
    return RunRename(Folder, Names, Count, Prefix, Start, control, FJournal, Width);
  });
  return true;
}

bool TRenameBatch::StartUndo() {
  if (Running()) return false;
  Launch([this](TBatchControl& control) { return RunUndo(control, FJournal); });
  return true;
}

bool TRenameBatch::AdoptOrphanJournal() {
  if (Running() || FJournal.Status() != TJournalStatus::Missing) return false;
  // The state folder may lie on a network home: the adoption runs within the
  // time limit, and one that misses it lets go of what it took when it ends.
  auto adopted = std::make_shared<TRenameJournal>();
  if (!ReadInTime(TRenameJournal::StateFolder(), [adopted](TReadProgress&) { adopted->AdoptOrphan(); }))
    return false;
  if (adopted->Status() == TJournalStatus::Missing) return false;
  FJournal = std::move(*adopted);
  return true;
}

TUndoReadiness TRenameBatch::UndoReadiness(std::string* Why) const {
  const auto answer = [Why](TUndoReadiness readiness, std::string why = {}) {
    if (Why) *Why = std::move(why);
    return readiness;
  };
  if (Running()) return answer(TUndoReadiness::Nothing);
  switch (FJournal.Status()) {
    case TJournalStatus::Ok: break;
    case TJournalStatus::Corrupt: return answer(TUndoReadiness::Unusable, kCorruptText);
    case TJournalStatus::Foreign: return answer(TUndoReadiness::Unusable, kForeignText);
    case TJournalStatus::Missing:
    case TJournalStatus::Unreadable: return answer(TUndoReadiness::Nothing);
  }
  // The folder may lie on a mount whose server stopped answering.
  const TJournalGlance& glance = FJournal.Glance();
  const std::optional<bool> same = AnswerInTime<bool>(
      glance.Folder, [folder = glance.Folder, dev = glance.FolderDev, ino = glance.FolderIno] {
        struct stat st;
        return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && SameFile(st, dev, ino);
      });
  if (!same) return answer(TUndoReadiness::Unanswering, FolderSilentText(glance.Folder));
  if (!*same) return answer(TUndoReadiness::Unusable, FolderGoneText(glance.Folder));
  return answer(TUndoReadiness::Ready);
}

bool TRenameBatch::JournalInterrupted() const { return CanUndo() && !FJournal.Glance().Ended; }

std::string TRenameBatch::JournalPath() const { return Running() ? std::string() : FJournal.Path(); }

std::string TRenameBatch::JournalFolder() { return TRenameJournal::Folder(); }

TBatchResult TRenameBatch::RunRename(const std::string& Folder, const std::vector<std::string>& Names,
                                     std::size_t Count, const std::string& Prefix, int32_t Start,
                                     TBatchControl& Control, TRenameJournal& journal, int Width) {
  TBatchResult result;
  result.Kind = TBatchResult::TKind::Rename;
  const std::vector<TPlannedRename> plan = PlanRenames(Names, Count, Prefix, Start, Width);
  result.Total = plan.size();
  Control.Total = plan.size();
  if (plan.empty()) {
    result.Started = true;  // nothing to move, and the last batch stays undoable
    return result;
  }
  const TFolderHandle dir{open(Folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)};
  struct stat folderStat;
  if (dir.Fd < 0 || fstat(dir.Fd, &folderStat) != 0) {
    result.Error = FolderGoneText(Folder);
    return result;
  }

  // Who each file is before anything moves. A file that cannot be looked at
  // is not moved: a move the journal could not undo must not happen.
  std::vector<TFileIdentity> ids(plan.size());
  for (std::size_t k = 0; k < plan.size(); ++k) ids[k].Name = &Names[plan[k].Index];
  TJournal journalled;
  journalled.Folder = Folder;
  journalled.FolderDev = folderStat.st_dev;
  journalled.FolderIno = folderStat.st_ino;
  journalled.Begun = BatchBeginning();  // before the files are looked at: all are older
  IdentifyFiles(dir.Fd, ids);
  journalled.Entries.reserve(plan.size());
  std::vector<int> outcomes(plan.size(), kOutcomeUnknown);
  for (std::size_t k = 0; k < plan.size(); ++k) {
    if (ids[k].Error != 0)
      outcomes[k] = ids[k].Error;
    else if (*ids[k].Name == plan[k].NewName)
      outcomes[k] = kAlreadyNamed;
    else
      journalled.Entries.push_back(
          {*ids[k].Name, plan[k].NewName, ids[k].Dev, ids[k].Ino, ids[k].Looked, ids[k].Size, ids[k].MtimeNs});
  }

  if (!journalled.Entries.empty() && !journal.Begin(journalled)) {
    result.Error = JournalFailureText(errno);
    return result;
  }
  result.Started = true;
  // From here on a file that takes a journalled inode number is seen to be new.
  WaitForFileTimesPast(journalled.Begun);

  std::size_t entry = 0, moved = 0;
  for (std::size_t k = 0; k < plan.size(); ++k) {
    if (Control.CancelRequested) {
      result.Cancelled = true;
      break;
    }
    if (outcomes[k] == kOutcomeUnknown) {
      const int err = MoveInFolder(dir.Fd, Folder, Names[plan[k].Index], plan[k].NewName);
      outcomes[k] = err;
      journal.Record(entry++, err);
      if (err == 0) ++result.Renamed, ++moved;
    } else if (outcomes[k] == kAlreadyNamed) {
      ++result.Renamed;  // it has its new name: nothing to move, nothing to undo
    }
    Handled(Control);
  }
  journal.Finish(result.Cancelled);
  // A batch that moved no file leaves nothing to undo: undo is not offered for it.
  if (!journalled.Entries.empty() && moved == 0) journal.Remove();

  for (std::size_t k = 0; k < plan.size(); ++k)
    if (outcomes[k] > 0)
      result.Kept.push_back({Names[plan[k].Index], plan[k].NewName, KeptReasonOf(outcomes[k])});
  return result;
}

TBatchResult TRenameBatch::RunUndo(TBatchControl& Control, TRenameJournal& journal) {
  TBatchResult result;
  result.Kind = TBatchResult::TKind::Undo;
  TJournal j;
  switch (journal.Read(j)) {
    case TJournalStatus::Ok: break;
    case TJournalStatus::Missing: result.Error = kNothingText; return result;
    case TJournalStatus::Corrupt:
      journal.Remove();  // ours but useless: it must not offer undo again
      result.Error = kCorruptText;
      return result;
    case TJournalStatus::Foreign:
      journal.Remove();  // only the note goes (said once): the file is not ours to touch
      result.Error = kForeignText;
      return result;
    case TJournalStatus::Unreadable: result.Error = kUnreadableText; return result;
  }
  const TFolderHandle dir{open(j.Folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)};
  struct stat folderStat;
  if (dir.Fd < 0 || fstat(dir.Fd, &folderStat) != 0 || !SameFile(folderStat, j.FolderDev, j.FolderIno)) {
    result.Error = FolderGoneText(j.Folder);
    return result;  // the journal stays: the folder may be on a disk not mounted now
  }
  result.Started = true;
  result.Total = j.Entries.size();
  Control.Total = j.Entries.size();

  // Newest first: a later move may have freed the name an earlier one took.
  std::string oldName, newName;
  for (std::size_t i = j.Entries.size(); i-- > 0;) {
    if (Control.CancelRequested) {
      result.Cancelled = true;
      break;
    }
    const TJournalEntry& e = j.Entries[i];
    oldName.assign(e.OldName);
    newName.assign(e.NewName);
    const TFileLook look{e.Size, e.MtimeNs};
    const TFileLook* const was = e.Looked ? &look : nullptr;
    if (IsSameFile(dir.Fd, newName, e.Dev, e.Ino, j.Begun, was)) {
      if (const int err = MoveInFolder(dir.Fd, j.Folder, newName, oldName); err == 0)
        ++result.Renamed;
      else
        result.Kept.push_back({newName, oldName, KeptReasonOf(err)});
    } else if (!IsSameFile(dir.Fd, oldName, e.Dev, e.Ino, j.Begun, was) && j.Outcomes[i] == kOutcomeMoved) {
      // Moved by the batch, and since renamed, deleted or replaced by someone
      // else: it keeps whatever it is now.
      result.Kept.push_back({newName, oldName, TKeptReason::FileGone});
    }
    Handled(Control);
  }
  std::reverse(result.Kept.begin(), result.Kept.end());  // list order, like a batch

  // A cancelled undo keeps the journal: files already back are found at their
  // old names next time and left alone.
  if (!result.Cancelled) journal.Remove();
  return result;
}
