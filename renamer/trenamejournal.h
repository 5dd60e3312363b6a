// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The undo journals: one file per batch under the user's state folder, in
// journals/. A journal is written whole and flushed to disk before the first
// move, so undo can trust it even after a crash; each file's outcome is
// appended in large blocks and flushed once at the end. Lines whose outcome
// never reached the disk are harmless: undo moves back only a file it finds
// at the new name as the journalled one (same device and inode; born before
// the batch began where the file system keeps birth times, else of the
// journalled size and modification time): an inode number freed by a
// deletion is soon given to a new file, which must not be taken for the
// journalled one.
//
// Whose journal: the TRenameJournal that wrote (or adopted) a journal keeps
// it open under an exclusive flock for as long as it lives, so a journal
// nobody holds belongs to a program that is gone, however it ended (and
// however its pid was reused since). Exclusive rather than shared: of two
// programs starting at once, only one can take an orphan.
//
// Format (names are bytes: any byte but "/" and NUL, newlines included, so
// every name is written as its length, ":" and its bytes):
//   batch-renamer undo journal 2\n          ("1": entries never have size and time)
//   plan <plan bytes> <entries> <FNV-1a 64 of the plan, hex>\n
//   plan:    <len>:<folder> <dev> <ino> <begun>\n
//            <len>:<old name> <len>:<new name> <dev> <ino>[ <size> <mtime ns>]\n   (once per entry)
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
  // Size and modification time (ns) of the file as it was looked at, for file
  // systems without birth times; a move changes neither. Unknown when the
  // folder was read in one pass (its file system keeps birth times).
  bool Looked = false;
  uint64_t Size = 0, MtimeNs = 0;
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
  Foreign,   // not a regular file owned by this user (a link, another user's)
  Unreadable,
};

// Reads journal bytes (the whole file); on Ok fills Journal, whose names view
// *Bytes. Exposed for the fuzz target.
TJournalStatus ParseJournal(std::shared_ptr<const std::string> Bytes, TJournal& Journal);

// What a look at a journal's first bytes (Head), last bytes (Tail) and size
// tells: its plan's folder, and whether the batch wrote its end. False when
// the header is damaged or the plan cut. Exposed for the fuzz target.
struct TJournalGlance {
  std::string Folder;
  uint64_t FolderDev = 0, FolderIno = 0;
  bool Ended = false;
};
bool GlanceAtJournal(std::string_view Head, std::string_view Tail, uint64_t Size, TJournalGlance& Glance);

// One journal held by its owner (a window's batch).
class TRenameJournal {
public:
  TRenameJournal() = default;
  TRenameJournal(TRenameJournal&& Other) noexcept;
  TRenameJournal& operator=(TRenameJournal&& Other) noexcept;  // lets go of (keeps) the held journal
  ~TRenameJournal();  // lets go: the journal stays for a later start to adopt

  // $XDG_STATE_HOME/batch-renamer, or ~/.local/state/... when XDG_STATE_HOME
  // is unset or relative; read from the environment each call.
  static std::string StateFolder();
  // StateFolder() + "/journals": one file per batch.
  static std::string Folder();
  // The single journal an older version kept: adopted like an orphan.
  static std::string LegacyPath();

  // Writes the plan to a new file in Folder(), flushes it to disk and renames
  // it into place, then removes the journal held so far (one level of undo
  // per owner) and holds the new one for Record/Finish. On failure returns
  // false with errno set, and the journal held so far stays.
  bool Begin(const TJournal& Plan);
  // Notes an entry's outcome; written to the file in large blocks.
  void Record(std::size_t Entry, int Outcome);
  // Writes what is left and the end mark, and flushes; the journal stays held.
  void Finish(bool Cancelled);

  // Takes the newest journal nobody holds (its program is gone) and removes
  // the other ones nobody holds: they could never be reached again. A journal
  // that is not this user's regular file is never touched; when there is no
  // other, the newest such is noted (Status() Foreign) so that undo says why
  // it cannot use it. Call while holding nothing; false when nothing was found.
  bool AdoptOrphan();

  // Missing (holds nothing), Ok (the header looked whole when last looked
  // at), Corrupt or Foreign.
  TJournalStatus Status() const { return FStatus; }
  const std::string& Path() const { return FPath; }
  // Of a held journal whose Status() is Ok.
  const TJournalGlance& Glance() const { return FGlance; }

  // Reads and checks the whole held journal through the descriptor held.
  TJournalStatus Read(TJournal& Journal);
  // Removes the held journal (unless its name now names another file) and
  // holds nothing; a note of a foreign journal is only dropped.
  void Remove();
  // Lets go of the held journal without removing it: as if its program ended.
  void Release();

private:
  void WriteBuffer();

  int FFd = -1;
  std::string FPath;
  TJournalStatus FStatus = TJournalStatus::Missing;
  TJournalGlance FGlance;
  bool FWriting = false;  // from Begin to Finish
  bool FWriteFailed = false;
  std::string FBuffer;
};
