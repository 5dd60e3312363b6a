// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/trenamejournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <utility>

#include "platform/movefile.h"
#include "renamer/trenamefile.h"

namespace {

constexpr std::string_view kMagicV1 = "batch-renamer undo journal 1\n";
constexpr std::string_view kMagic = "batch-renamer undo journal 2\n";
constexpr std::string_view kStateSubfolder = "/batch-renamer";
constexpr std::string_view kJournalsSubfolder = "/journals";
constexpr std::string_view kLegacyName = "/undo-journal";
// A journal is "journal-" and mkostemps' six letters; it is first written
// under that name with ".new" after it. An older version wrote its single
// journal under "undo-journal." and six letters.
constexpr std::string_view kJournalPrefix = "journal-";
constexpr std::string_view kTemporarySuffix = ".new";
constexpr std::string_view kLegacyTemporaryPrefix = "undo-journal.";
constexpr std::size_t kUniqueLetters = 6;
constexpr int kNameAttempts = 16;                 // a name taken meanwhile is tried again with new letters
constexpr std::size_t kRecordBlock = 256 * 1024;  // outcomes gathered before one write
constexpr std::string_view kEndMark = "end\n";
constexpr std::string_view kCancelledMark = "cancelled\n";
constexpr uint64_t kMaxJournalBytes = uint64_t{1} << 30;  // far beyond what a batch of millions writes
constexpr std::size_t kHeaderPeek = 16 * 1024;    // enough for the header and any folder path
constexpr uint64_t kMaxErrno = 4095;             // errno values the kernel returns lie below
constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

uint64_t Fnv1a(std::string_view bytes) {
  uint64_t hash = kFnvOffset;
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
  return hash;
}

// mkdir -p, new folders private to the user.
bool MakeFolders(const std::string& path) {
  for (std::size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos != path.size() && path[pos] != '/') continue;
    const std::string part = path.substr(0, pos);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Up to size bytes at offset; what could be read.
std::string ReadAt(int fd, std::size_t size, off_t offset) {
  std::string bytes(size, '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = pread(fd, bytes.data() + got, bytes.size() - got, offset + static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

void AppendNumber(std::string& out, uint64_t value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendName(std::string& out, std::string_view name) {
  AppendNumber(out, name.size());
  out.push_back(':');
  out.append(name);
}

// Reads the journal's text piece by piece; any surprise marks it bad.
class TParser {
public:
  explicit TParser(std::string_view text) : FText(text) {}
  bool Ok() const { return FOk; }
  bool AtEnd() const { return FPos >= FText.size(); }
  std::size_t Pos() const { return FPos; }

  bool Peek(std::string_view word) const { return FOk && FText.substr(FPos, word.size()) == word; }
  bool Literal(std::string_view word) {
    if (FOk && FText.substr(FPos, word.size()) == word) {
      FPos += word.size();
      return true;
    }
    return FOk = false;
  }
  uint64_t Number(int base = 10) {
    uint64_t value = 0;
    if (!FOk) return 0;
    const auto [end, ec] = std::from_chars(FText.data() + FPos, FText.data() + FText.size(), value, base);
    if (ec != std::errc()) return FOk = false, 0;
    FPos = end - FText.data();
    return value;
  }
  std::string_view Name() {
    const uint64_t len = Number();
    if (!Literal(":")) return {};
    if (len > FText.size() - FPos) return FOk = false, std::string_view();
    const std::string_view name = FText.substr(FPos, len);
    FPos += len;
    return name;
  }

private:
  std::string_view FText;
  std::size_t FPos = 0;
  bool FOk = true;
};

struct THeader {
  int Version = 0;
  uint64_t PlanBytes = 0, Entries = 0, Checksum = 0;
  std::size_t PlanStart = 0;
};

bool ParseHeader(TParser& p, THeader& h) {
  h.Version = p.Peek(kMagicV1) ? 1 : 2;
  p.Literal(h.Version == 1 ? kMagicV1 : kMagic);
  p.Literal("plan ");
  h.PlanBytes = p.Number();
  p.Literal(" ");
  h.Entries = p.Number();
  p.Literal(" ");
  h.Checksum = p.Number(16);
  p.Literal("\n");
  h.PlanStart = p.Pos();
  return p.Ok();
}

void ParseFolder(TParser& p, TJournal& j) {
  j.Folder = std::string(p.Name());
  p.Literal(" ");
  j.FolderDev = p.Number();
  p.Literal(" ");
  j.FolderIno = p.Number();
  p.Literal(" ");
  j.Begun = p.Number();
  p.Literal("\n");
}

bool IsFolderName(const std::string& folder) {
  return folder.size() >= 1 && folder.front() == '/' && folder.back() == '/';
}

// Whether name is mkostemps' kind: prefix, six letters, suffix.
bool IsUniqueName(std::string_view name, std::string_view prefix, std::string_view suffix) {
  return name.size() == prefix.size() + kUniqueLetters + suffix.size() && name.starts_with(prefix) &&
         name.ends_with(suffix);
}

// A journal is first written under a temporary name, locked from the moment
// it exists until it is renamed into place. A program that died in between
// left its temporary file behind; such files are removed before a new one is
// made: ours, unlocked, and older than any writer takes, so a file another
// instance has just made and is about to lock is never taken.
void RemoveLeftTemporaries(const std::string& folder, std::string_view prefix, std::string_view suffix) {
  constexpr time_t kOldSeconds = 60;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const int dirFd = dirfd(dir);
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    if (!IsUniqueName(entry->d_name, prefix, suffix)) continue;
    const int fd = openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() && now - st.st_mtime >= kOldSeconds &&
        flock(fd, LOCK_EX | LOCK_NB) == 0)
      unlinkat(dirFd, entry->d_name, 0);
    close(fd);
  }
  closedir(dir);
}

// Puts the written journal in place under a name no other journal has.
bool MoveInPlace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
  return MoveFileByLinkOrCheck(from, to);
}

// Removes path when it still names the file open as fd.
void UnlinkIfSame(int fd, const std::string& path) {
  struct stat held, now;
  if (fstat(fd, &held) == 0 && lstat(path.c_str(), &now) == 0 && held.st_dev == now.st_dev &&
      held.st_ino == now.st_ino)
    unlink(path.c_str());
}

bool GlanceAtFile(int fd, uint64_t size, TJournalGlance& glance) {
  const std::string head = ReadAt(fd, kHeaderPeek, 0);
  const std::size_t tailBytes = 1 + kCancelledMark.size();
  const std::string tail = ReadAt(fd, tailBytes, static_cast<off_t>(size > tailBytes ? size - tailBytes : 0));
  return GlanceAtJournal(head, tail, size, glance);
}

}  // namespace

TJournalStatus ParseJournal(std::shared_ptr<const std::string> Bytes, TJournal& Journal) {
  const std::string_view text = *Bytes;
  TJournal j;
  TParser p(text);
  THeader h;
  const bool whole = ParseHeader(p, h) && h.PlanBytes <= text.size() - h.PlanStart &&
                     Fnv1a(text.substr(h.PlanStart, h.PlanBytes)) == h.Checksum;
  if (whole) {
    ParseFolder(p, j);
    // Entries may not outnumber the plan's bytes; a bad count must not
    // reserve a huge vector.
    if (h.Entries <= h.PlanBytes) j.Entries.reserve(h.Entries);
    for (uint64_t i = 0; p.Ok() && i < h.Entries; ++i) {
      TJournalEntry e;
      e.OldName = p.Name();
      p.Literal(" ");
      e.NewName = p.Name();
      p.Literal(" ");
      e.Dev = p.Number();
      p.Literal(" ");
      e.Ino = p.Number();
      if (h.Version >= 2 && p.Peek(" ")) {
        p.Literal(" ");
        e.Size = p.Number();
        p.Literal(" ");
        e.MtimeNs = p.Number();
        e.Looked = true;
      }
      p.Literal("\n");
      j.Entries.push_back(std::move(e));
    }
  }
  bool bareNames = true;
  for (const TJournalEntry& e : j.Entries)
    bareNames = bareNames && IsRenamable(e.OldName) && IsRenamable(e.NewName);
  if (!whole || !p.Ok() || p.Pos() != h.PlanStart + h.PlanBytes || !IsFolderName(j.Folder) || !bareNames)
    return TJournalStatus::Corrupt;

  // Outcomes: a crash may leave the last block cut anywhere; read up to the
  // first line that does not parse and treat the rest as unknown.
  j.Outcomes.assign(j.Entries.size(), kOutcomeUnknown);
  while (!p.AtEnd()) {
    if (p.Peek(kEndMark) || p.Peek(kCancelledMark)) {
      j.Ended = true;
      break;
    }
    TParser line = p;
    const bool moved = line.Peek("r ");
    line.Literal(moved ? "r " : "k ");
    const uint64_t entry = line.Number();
    uint64_t err = 0;
    if (!moved) {
      line.Literal(" ");
      err = line.Number();
    }
    line.Literal("\n");
    if (!line.Ok() || entry >= j.Entries.size() || (!moved && (err == 0 || err > kMaxErrno))) break;
    j.Outcomes[entry] = static_cast<int>(err);
    p = line;
  }
  j.Bytes = std::move(Bytes);
  Journal = std::move(j);
  return TJournalStatus::Ok;
}

bool GlanceAtJournal(std::string_view Head, std::string_view Tail, uint64_t Size, TJournalGlance& Glance) {
  TParser p(Head);
  THeader h;
  TJournal j;
  if (!ParseHeader(p, h)) return false;
  ParseFolder(p, j);
  if (!p.Ok() || h.Entries == 0 || Size < h.PlanStart || h.PlanBytes > Size - h.PlanStart || !IsFolderName(j.Folder))
    return false;
  Glance.Folder = j.Folder;
  Glance.FolderDev = j.FolderDev;
  Glance.FolderIno = j.FolderIno;
  // An end mark follows a line's end, and no other line ends like one.
  Glance.Ended = Tail.ends_with("\n" + std::string(kEndMark)) || Tail.ends_with("\n" + std::string(kCancelledMark));
  return true;
}

std::string TRenameJournal::StateFolder() {
  const char* stateHome = std::getenv("XDG_STATE_HOME");
  if (stateHome && stateHome[0] == '/') return std::string(stateHome) + std::string(kStateSubfolder);
  std::string home;
  if (const char* h = std::getenv("HOME"); h && h[0] == '/') {
    home = h;
  } else if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  return home + "/.local/state" + std::string(kStateSubfolder);
}

std::string TRenameJournal::Folder() { return StateFolder() + std::string(kJournalsSubfolder); }

std::string TRenameJournal::LegacyPath() { return StateFolder() + std::string(kLegacyName); }

TRenameJournal::TRenameJournal(TRenameJournal&& Other) noexcept { *this = std::move(Other); }

TRenameJournal& TRenameJournal::operator=(TRenameJournal&& Other) noexcept {
  if (this == &Other) return *this;
  Release();
  FFd = std::exchange(Other.FFd, -1);
  FPath = std::move(Other.FPath);
  FStatus = std::exchange(Other.FStatus, TJournalStatus::Missing);
  FGlance = std::move(Other.FGlance);
  FWriting = std::exchange(Other.FWriting, false);
  FWriteFailed = Other.FWriteFailed;
  FBuffer = std::move(Other.FBuffer);
  Other.Release();
  return *this;
}

TRenameJournal::~TRenameJournal() { Release(); }

bool TRenameJournal::Begin(const TJournal& Plan) {
  const std::string folder = Folder();
  if (!MakeFolders(folder)) return false;
  RemoveLeftTemporaries(folder, kJournalPrefix, kTemporarySuffix);
  RemoveLeftTemporaries(StateFolder(), kLegacyTemporaryPrefix, "");

  std::string plan;
  plan.reserve(64 + Plan.Folder.size() + Plan.Entries.size() * 96);
  AppendName(plan, Plan.Folder);
  plan.push_back(' ');
  AppendNumber(plan, Plan.FolderDev);
  plan.push_back(' ');
  AppendNumber(plan, Plan.FolderIno);
  plan.push_back(' ');
  AppendNumber(plan, Plan.Begun);
  plan.push_back('\n');
  for (const TJournalEntry& e : Plan.Entries) {
    AppendName(plan, e.OldName);
    plan.push_back(' ');
    AppendName(plan, e.NewName);
    plan.push_back(' ');
    AppendNumber(plan, e.Dev);
    plan.push_back(' ');
    AppendNumber(plan, e.Ino);
    if (e.Looked) {
      plan.push_back(' ');
      AppendNumber(plan, e.Size);
      plan.push_back(' ');
      AppendNumber(plan, e.MtimeNs);
    }
    plan.push_back('\n');
  }
  std::string header(kMagic);
  header += "plan ";
  AppendNumber(header, plan.size());
  header.push_back(' ');
  AppendNumber(header, Plan.Entries.size());
  header.push_back(' ');
  char hex[20];
  header.append(hex, std::to_chars(hex, hex + sizeof hex, Fnv1a(plan), 16).ptr);
  header.push_back('\n');

  // Written under a temporary name and renamed into place only once it is on
  // disk, so a journal in place is always whole; it is locked from the start,
  // so no other program takes it for an orphan.
  int fd = -1;
  std::string path;
  for (int attempt = 0;; ++attempt) {
    std::string temp = folder + "/" + std::string(kJournalPrefix) + std::string(kUniqueLetters, 'X') +
                       std::string(kTemporarySuffix);
    fd = mkostemps(temp.data(), static_cast<int>(kTemporarySuffix.size()), O_CLOEXEC);
    if (fd < 0) return false;
    path = temp.substr(0, temp.size() - kTemporarySuffix.size());
    const auto fail = [&] {
      const int err = errno;
      close(fd);
      unlink(temp.c_str());
      errno = err;
      return false;
    };
    if (flock(fd, LOCK_EX) != 0 || !WriteAll(fd, header) || !WriteAll(fd, plan) || fsync(fd) != 0) return fail();
    if (MoveInPlace(temp, path)) break;
    if (errno != EEXIST || attempt + 1 == kNameAttempts) return fail();
    fail();  // the name was taken since: new letters
  }
  // The rename itself must reach the disk before any file moves.
  if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    fsync(dir);
    close(dir);
  }
  Remove();  // the owner's previous batch: one level of undo
  FFd = fd;
  FPath = path;
  FStatus = TJournalStatus::Ok;
  FGlance = {Plan.Folder, Plan.FolderDev, Plan.FolderIno, false};
  FWriting = true;
  FWriteFailed = false;
  FBuffer.clear();
  FBuffer.reserve(kRecordBlock + 64);
  return true;
}

void TRenameJournal::Record(std::size_t Entry, int Outcome) {
  if (!FWriting) return;
  if (Outcome == kOutcomeMoved) {
    FBuffer += "r ";
    AppendNumber(FBuffer, Entry);
  } else {
    FBuffer += "k ";
    AppendNumber(FBuffer, Entry);
    FBuffer.push_back(' ');
    AppendNumber(FBuffer, static_cast<uint64_t>(Outcome));
  }
  FBuffer.push_back('\n');
  if (FBuffer.size() >= kRecordBlock) WriteBuffer();
}

void TRenameJournal::WriteBuffer() {
  // Outcomes only sharpen the report: a lost one costs no safety, so a write
  // that fails stops further writes and the batch goes on.
  if (!FWriteFailed && !WriteAll(FFd, FBuffer)) FWriteFailed = true;
  FBuffer.clear();
}

void TRenameJournal::Finish(bool Cancelled) {
  if (!FWriting) return;
  FWriting = false;
  FBuffer += Cancelled ? kCancelledMark : kEndMark;
  WriteBuffer();
  fsync(FFd);
  FBuffer = std::string();
  FGlance.Ended = true;
}

bool TRenameJournal::AdoptOrphan() {
  struct TCandidate {
    std::string Path;
    int Fd = -1;
    timespec Mtime{};
  };
  std::vector<TCandidate> orphans;
  TCandidate foreign;  // the newest that is not ours to take
  const auto newer = [](const TCandidate& a, const TCandidate& b) {
    if (a.Mtime.tv_sec != b.Mtime.tv_sec) return a.Mtime.tv_sec > b.Mtime.tv_sec;
    if (a.Mtime.tv_nsec != b.Mtime.tv_nsec) return a.Mtime.tv_nsec > b.Mtime.tv_nsec;
    return a.Path > b.Path;
  };
  const auto noteForeign = [&](const std::string& path, const struct stat& st) {
    const TCandidate c{path, -1, st.st_mtim};
    if (foreign.Path.empty() || newer(c, foreign)) foreign = c;
  };
  const auto consider = [&](const std::string& path) {
    struct stat st;
    // Never through a link, and never waiting on a FIFO put in its place.
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ELOOP && lstat(path.c_str(), &st) == 0) noteForeign(path, st);
      return;
    }
    if (fstat(fd, &st) != 0) {
      close(fd);
      return;
    }
    if (!S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
      noteForeign(path, st);
      close(fd);
      return;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {  // its program lives: not ours to touch
      close(fd);
      return;
    }
    orphans.push_back({path, fd, st.st_mtim});
  };

  const std::string folder = Folder();
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir))
      if (IsUniqueName(entry->d_name, kJournalPrefix, "")) consider(folder + "/" + entry->d_name);
    closedir(dir);
  }
  consider(LegacyPath());

  Release();
  if (orphans.empty()) {
    if (foreign.Path.empty()) return false;
    FPath = foreign.Path;
    FStatus = TJournalStatus::Foreign;
    return true;
  }
  std::sort(orphans.begin(), orphans.end(), newer);
  for (std::size_t i = 1; i < orphans.size(); ++i) {
    UnlinkIfSame(orphans[i].Fd, orphans[i].Path);
    close(orphans[i].Fd);
  }
  FFd = orphans[0].Fd;
  FPath = orphans[0].Path;
  struct stat st;
  FStatus = fstat(FFd, &st) == 0 && GlanceAtFile(FFd, static_cast<uint64_t>(st.st_size), FGlance) ? TJournalStatus::Ok
                                                                                             : TJournalStatus::Corrupt;
  return true;
}

TJournalStatus TRenameJournal::Read(TJournal& Journal) {
  if (FStatus == TJournalStatus::Foreign) return TJournalStatus::Foreign;
  if (FFd < 0) return TJournalStatus::Missing;
  struct stat st;
  if (fstat(FFd, &st) != 0) return TJournalStatus::Unreadable;
  if (static_cast<uint64_t>(st.st_size) > kMaxJournalBytes) return FStatus = TJournalStatus::Corrupt;  // never read whole
  auto bytes = std::make_shared<std::string>();
  errno = 0;
  *bytes = ReadAt(FFd, static_cast<std::size_t>(st.st_size), 0);
  if (bytes->size() != static_cast<std::size_t>(st.st_size) && errno != 0) return TJournalStatus::Unreadable;
  const TJournalStatus status = ParseJournal(std::move(bytes), Journal);
  if (status == TJournalStatus::Corrupt) FStatus = status;
  return status;
}

void TRenameJournal::Release() {
  if (FFd >= 0) close(FFd);
  FFd = -1;
  FPath.clear();
  FStatus = TJournalStatus::Missing;
  FGlance = {};
  FWriting = false;
}

void TRenameJournal::Remove() {
  if (FFd >= 0) UnlinkIfSame(FFd, FPath);
  Release();
}
