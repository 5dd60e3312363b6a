#pragma once

// The undo journal of the last batch: one file under the user's state folder.
// It is written whole and flushed to disk before the first move, so undo can
// trust it even after a crash; each file's outcome is appended in large blocks
// and flushed once at the end. Lines whose outcome never reached the disk are
// harmless: undo moves back only a file it finds at the new name with the
// journalled device and inode, born (where the file system keeps birth times)
// before the batch began: an inode number freed by a deletion is soon given
// to a new file, which must not be taken for the journalled one.
//
// Format (names are bytes: any byte but "/" and NUL, newlines included, so
// every name is written as its length, ":" and its bytes):
//   batch-renamer undo journal 1\n
//   plan <plan bytes> <entries> <FNV-1a 64 of the plan, hex>\n
//   plan:    <len>:<folder> <dev> <ino> <begun>\n
//            <len>:<old name> <len>:<new name> <dev> <ino>\n   (once per entry)
//   then:    r <entry>\n  (moved)   k <entry> <errno>\n  (kept its name)
//            and at the end "end\n" or "cancelled\n".

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Names are views: into the caller's strings for Begin, into TJournal::Bytes
// for a journal that was read.
struct TJournalEntry {
  std::string_view OldName, NewName;  // bare names in Folder
  uint64_t Dev = 0, Ino = 0;          // of the file before it moved
};

// What is known of an entry's move.
constexpr int kOutcomeUnknown = -1;  // not recorded (not reached, or lost in a crash)
constexpr int kOutcomeMoved = 0;     // moved; otherwise the errno by which it kept its name

struct TJournal {
  std::string Folder;  // ends in "/"
  uint64_t FolderDev = 0, FolderIno = 0;
  // Wall-clock ns since the epoch, taken before the files were identified:
  // every journalled file was born before it.
  uint64_t Begun = 0;
  std::vector<TJournalEntry> Entries;
  std::shared_ptr<const std::string> Bytes;  // the file as read, which Entries view
  std::vector<int> Outcomes;  // one per entry
  bool Ended = false;         // the batch ran to its end or was cancelled (not cut short)
};

enum class TJournalStatus {
  Ok,
  Missing,   // no journal: nothing to undo
  Corrupt,   // damaged or truncated plan, or not a journal at all
  Foreign,   // not a regular file owned by this user
  Busy,      // a batch is writing it right now
  Unreadable,
};

class TRenameJournal {
public:
  // $XDG_STATE_HOME/batch-renamer/undo-journal, or ~/.local/state/... when
  // XDG_STATE_HOME is unset or relative; read from the environment each call.
  static std::string Path();

  // Writes the plan to a new file beside Path(), flushes it to disk and puts it
  // in place of the previous journal, keeping it open (and locked) for
  // Record/Finish. On failure returns false with errno set, and the previous
  // journal is untouched.
  bool Begin(const TJournal& Plan);
  // Notes an entry's outcome; written to the file in large blocks.
  void Record(std::size_t Entry, int Outcome);
  // Writes what is left, the end marker, flushes and closes.
  void Finish(bool Cancelled);
  ~TRenameJournal();

  // Reads and checks the whole journal; on Ok fills Journal. When Lock is
  // set, a journal that is read Ok or Corrupt stays open and locked (against
  // a second undo or a batch of another instance) until Remove, Release or
  // destruction.
  TJournalStatus Read(TJournal& Journal, bool Lock);
  void Release();

  // A cheap look at the header only: a journal of ours whose plan is all
  // there and whose folder is the journalled one. Folder is filled on true.
  // Interrupted is set when the batch never wrote its end mark.
  static bool LooksUndoable(std::string* Folder = nullptr, bool* Interrupted = nullptr);

  // Removes the journal that Read locked, unless another batch has replaced
  // it since (after an undo has run through it).
  void Remove();

private:
  void WriteBuffer();

  int FFd = -1;
  bool FWriteFailed = false;
  std::string FBuffer;
};
