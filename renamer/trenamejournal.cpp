#include "renamer/trenamejournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "renamer/trenamefile.h"

namespace {

constexpr std::string_view kMagic = "batch-renamer undo journal 1\n";
constexpr std::string_view kStateSubfolder = "/batch-renamer";
constexpr std::string_view kJournalName = "/undo-journal";
// The journal is written under this name and mkostemp's six letters first.
constexpr std::string_view kTemporaryName = "undo-journal.";
constexpr std::size_t kTemporaryLetters = 6;
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

std::string StateFolder() {
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
  uint64_t PlanBytes = 0, Entries = 0, Checksum = 0;
  std::size_t PlanStart = 0;
};

bool ParseHeader(TParser& p, THeader& h) {
  p.Literal(kMagic);
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

// Opens the journal as a regular file of this user, never through a link.
TJournalStatus OpenJournal(int& fd, struct stat& st) {
  fd = open(TRenameJournal::Path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return TJournalStatus::Missing;
    return errno == ELOOP ? TJournalStatus::Foreign : TJournalStatus::Unreadable;
  }
  if (fstat(fd, &st) != 0) return TJournalStatus::Unreadable;
  if (!S_ISREG(st.st_mode) || st.st_uid != geteuid()) return TJournalStatus::Foreign;
  return TJournalStatus::Ok;
}

// The journal is first written under a temporary name beside it, locked from
// the moment it exists until it is renamed into place. A program that died in
// between left its temporary file behind; such files are removed before a new
// one is made: ours, unlocked, and older than any writer takes, so a file
// another instance has just made and is about to lock is never taken.
void RemoveLeftTemporaries(const std::string& folder) {
  constexpr time_t kOldSeconds = 60;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const int dirFd = dirfd(dir);
  const time_t now = time(nullptr);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != kTemporaryName.size() + kTemporaryLetters || name.substr(0, kTemporaryName.size()) != kTemporaryName)
      continue;
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

bool SameFolder(const TJournal& j) {
  struct stat st;
  return stat(j.Folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         static_cast<uint64_t>(st.st_dev) == j.FolderDev && static_cast<uint64_t>(st.st_ino) == j.FolderIno;
}

}  // namespace

std::string TRenameJournal::Path() { return StateFolder() + std::string(kJournalName); }

TRenameJournal::~TRenameJournal() {
  if (FFd >= 0) close(FFd);
}

bool TRenameJournal::Begin(const TJournal& Plan) {
  const std::string folder = StateFolder();
  if (!MakeFolders(folder)) return false;
  RemoveLeftTemporaries(folder);

  std::string plan;
  plan.reserve(64 + Plan.Folder.size() + Plan.Entries.size() * 64);
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

  // Written beside the journal and renamed over it only once it is on disk,
  // so a failure leaves the previous batch's journal as it was.
  std::string temp = folder + "/" + std::string(kTemporaryName) + std::string(kTemporaryLetters, 'X');
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  const auto fail = [&] {
    const int err = errno;
    close(fd);
    unlink(temp.c_str());
    errno = err;
    return false;
  };
  if (flock(fd, LOCK_EX) != 0 || !WriteAll(fd, header) || !WriteAll(fd, plan) || fsync(fd) != 0)
    return fail();
  if (rename(temp.c_str(), Path().c_str()) != 0) return fail();
  // The rename itself must reach the disk before any file moves.
  if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    fsync(dir);
    close(dir);
  }
  if (FFd >= 0) close(FFd);
  FFd = fd;
  FWriteFailed = false;
  FBuffer.clear();
  FBuffer.reserve(kRecordBlock + 64);
  return true;
}

void TRenameJournal::Record(std::size_t Entry, int Outcome) {
  if (FFd < 0) return;
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
  if (FFd < 0) return;
  FBuffer += Cancelled ? kCancelledMark : kEndMark;
  WriteBuffer();
  fsync(FFd);
  close(FFd);
  FFd = -1;
}

TJournalStatus TRenameJournal::Read(TJournal& Journal, bool Lock) {
  Release();
  int fd = -1;
  struct stat st;
  TJournalStatus status = OpenJournal(fd, st);
  if (status == TJournalStatus::Ok && Lock && flock(fd, LOCK_EX | LOCK_NB) != 0)
    status = errno == EWOULDBLOCK ? TJournalStatus::Busy : TJournalStatus::Unreadable;
  if (status == TJournalStatus::Ok && static_cast<uint64_t>(st.st_size) > kMaxJournalBytes)
    status = TJournalStatus::Corrupt;  // never read whole into memory
  auto bytes = std::make_shared<std::string>();
  std::string& text = *bytes;
  if (status == TJournalStatus::Ok) {
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < text.size()) {
      const ssize_t n = read(fd, text.data() + got, text.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    text.resize(got);
  }
  if (status == TJournalStatus::Corrupt && Lock) {
    FFd = fd;  // so that Remove can drop a journal nobody can use
    return status;
  }
  if (status != TJournalStatus::Ok) {
    if (fd >= 0) close(fd);
    return status;
  }

  TJournal j;
  TParser p(text);
  THeader h;
  const bool whole = ParseHeader(p, h) && h.PlanBytes <= text.size() - h.PlanStart &&
                     Fnv1a(std::string_view(text).substr(h.PlanStart, h.PlanBytes)) == h.Checksum;
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
      p.Literal("\n");
      j.Entries.push_back(std::move(e));
    }
  }
  bool bareNames = true;
  for (const TJournalEntry& e : j.Entries)
    bareNames = bareNames && IsRenamable(e.OldName) && IsRenamable(e.NewName);
  if (!whole || !p.Ok() || p.Pos() != h.PlanStart + h.PlanBytes || !IsFolderName(j.Folder) ||
      !bareNames) {
    if (Lock)
      FFd = fd;  // so that Remove can drop a journal nobody can use
    else
      close(fd);
    return TJournalStatus::Corrupt;
  }

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
  j.Bytes = std::move(bytes);
  Journal = std::move(j);
  if (Lock)
    FFd = fd;
  else
    close(fd);
  return TJournalStatus::Ok;
}

void TRenameJournal::Release() {
  if (FFd >= 0) close(FFd);
  FFd = -1;
}

void TRenameJournal::Remove() {
  if (FFd < 0) return;
  struct stat held, now;
  const std::string path = Path();
  if (fstat(FFd, &held) == 0 && lstat(path.c_str(), &now) == 0 && held.st_dev == now.st_dev &&
      held.st_ino == now.st_ino)
    unlink(path.c_str());
  Release();
}

bool TRenameJournal::LooksUndoable(std::string* Folder, bool* Interrupted) {
  int fd = -1;
  struct stat st;
  if (OpenJournal(fd, st) != TJournalStatus::Ok) {
    if (fd >= 0) close(fd);
    return false;
  }
  std::string text(kHeaderPeek, '\0');
  const ssize_t n = pread(fd, text.data(), text.size(), 0);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  // An end mark follows a line's end, and no other line ends like one.
  std::string tail(1 + kCancelledMark.size(), '\0');
  const off_t tailAt = std::max<off_t>(st.st_size - static_cast<off_t>(tail.size()), 0);
  const ssize_t got = pread(fd, tail.data(), tail.size(), tailAt);
  tail.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  const bool ended = tail.ends_with("\n" + std::string(kEndMark)) || tail.ends_with("\n" + std::string(kCancelledMark));
  close(fd);
  TParser p(text);
  THeader h;
  TJournal j;
  if (!ParseHeader(p, h)) return false;
  ParseFolder(p, j);
  const uint64_t size = static_cast<uint64_t>(st.st_size);
  if (!p.Ok() || h.Entries == 0 || size < h.PlanStart || h.PlanBytes > size - h.PlanStart ||
      !IsFolderName(j.Folder) || !SameFolder(j))
    return false;
  if (Folder) *Folder = j.Folder;
  if (Interrupted) *Interrupted = !ended;
  return true;
}
