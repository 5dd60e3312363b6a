// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pastejob.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "platform/fileerror.h"
#include "platform/movefile.h"
#include "platform/shellfileops.h"

namespace {
constexpr std::size_t kChunk = 1 << 16;

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string BaseName(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path.substr(path.rfind('/') + 1);
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

std::string Reason(const std::string& what, int error) { return what + "：" + FileErrorText(error); }

// `path` is `folder` or lies below it, by whole components (both canonical):
// "/" holds everything, "/a" does not hold "/ab".
bool IsSameOrBelow(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path.compare(0, folder.size(), folder) == 0 && (path.size() == folder.size() || path[folder.size()] == '/');
}

// The same file as when it was read: nothing written to it or put in its place since.
bool Unchanged(const struct stat& now, const struct stat& then) {
  return now.st_dev == then.st_dev && now.st_ino == then.st_ino && now.st_size == then.st_size &&
         (now.st_mode & S_IFMT) == (then.st_mode & S_IFMT) && now.st_mtim.tv_sec == then.st_mtim.tv_sec &&
         now.st_mtim.tv_nsec == then.st_mtim.tv_nsec;
}

std::size_t CountTree(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return 0;
  std::size_t n = 1;
  if (!S_ISDIR(st.st_mode)) return n;
  if (DIR* dir = opendir(path.c_str())) {
    while (const dirent* e = readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") n += CountTree(Join(path, name));
    }
    closedir(dir);
  }
  return n;
}

// Makes the names in `folder` as lasting as the files' data.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// One item this paste copied, as its source was when read and its copy as written.
struct TCopied {
  std::string From, To;
  struct stat Source {};
  struct stat Copy {};
};

class TPaster {
 public:
  TPaster(TPasteControl& control, bool move) : FControl(control), FMove(move) {}

  std::string Error;
  bool Cancelled = false;
  std::vector<std::string> Made;  // in the order made; taken back in reverse when a copy fails
  std::vector<TCopied> Copied;    // children before their folder

  bool Stop() {
    if (FControl.CancelRequested) Cancelled = true;
    return Cancelled;
  }

  // Copies `from` to the new name `to`; links are copied as links, never followed.
  bool Copy(const std::string& from, const std::string& to) {
    if (Stop()) return false;
    struct stat st {};
    if (lstat(from.c_str(), &st) != 0) return Fail(BaseName(from), errno);
    if (S_ISDIR(st.st_mode)) return CopyFolder(from, to, st);
    if (S_ISLNK(st.st_mode)) return CopyLink(from, to, st);
    if (S_ISREG(st.st_mode)) return CopyFile(from, to);
    Error = BaseName(from) + "：不是普通文件或文件夹";
    return false;
  }

  // Takes back everything made, newest first: a folder only when empty, so
  // whatever someone else put there meanwhile stays.
  void RemoveMade() {
    for (const std::string& made : Made) {  // a folder copied read-only must let its content go
      struct stat st {};
      if (lstat(made.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) chmod(made.c_str(), S_IRWXU);
    }
    for (auto it = Made.rbegin(); it != Made.rend(); ++it) {
      struct stat st {};
      if (lstat(it->c_str(), &st) != 0) continue;
      if (S_ISDIR(st.st_mode)) rmdir(it->c_str());
      else unlink(it->c_str());
    }
    Made.clear();
  }

  // After a move's copy: each source item still as it was copied goes; one
  // that changed keeps its place and its copy is taken back. A folder goes
  // once empty.
  void RemoveCopiedSources() {
    for (const TCopied& c : Copied) {
      struct stat now {};
      const bool there = lstat(c.From.c_str(), &now) == 0;  // else gone meanwhile: the copy is all there is
      if (S_ISDIR(c.Source.st_mode)) {
        if (there && now.st_dev == c.Source.st_dev && now.st_ino == c.Source.st_ino) rmdir(c.From.c_str());
        // Its mode waited for the copies taken back, which changed its times too.
        chmod(c.To.c_str(), c.Source.st_mode & 07777);
        const timespec times[2] = {c.Source.st_atim, c.Source.st_mtim};
        utimensat(AT_FDCWD, c.To.c_str(), times, 0);
      } else if (!there) {
      } else if (Unchanged(now, c.Source)) {
        unlink(c.From.c_str());
      } else if (struct stat copy {}; lstat(c.To.c_str(), &copy) == 0 && Unchanged(copy, c.Copy)) {
        unlink(c.To.c_str());  // a copy of what the source no longer is
      }
    }
    Copied.clear();
  }

 private:
  bool Fail(const std::string& what, int error) {
    Error = Reason(what, error);
    return false;
  }

  void Handled() {
    const std::size_t done = ++FControl.Done;
    if (FControl.AfterEachFile) FControl.AfterEachFile(done);
  }

  bool CopyLink(const std::string& from, const std::string& to, const struct stat& st) {
    std::string target(PATH_MAX, '\0');
    const ssize_t n = readlink(from.c_str(), target.data(), target.size());
    if (n < 0) return Fail(BaseName(from), errno);
    target.resize(std::size_t(n));
    // A link is whole the moment it exists: it needs no temporary name.
    if (symlink(target.c_str(), to.c_str()) != 0) return Fail(BaseName(to), errno);
    Made.push_back(to);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW);
    TCopied c{from, to, st, {}};
    lstat(to.c_str(), &c.Copy);
    Copied.push_back(std::move(c));
    Handled();
    return true;
  }

  bool CopyFolder(const std::string& from, const std::string& to, const struct stat& st) {
    // Writable by us until its content is in.
    if (mkdir(to.c_str(), (st.st_mode & 07777) | S_IRWXU) != 0) return Fail(BaseName(to), errno);
    Made.push_back(to);
    DIR* dir = opendir(from.c_str());
    if (!dir) return Fail(BaseName(from), errno);
    bool ok = true;
    while (const dirent* e = readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      // Gone since the folder was read (someone's temporary): nothing to carry, nothing lost.
      struct stat child {};
      if (lstat(Join(from, name).c_str(), &child) != 0 && errno == ENOENT) continue;
      if (!(ok = Copy(Join(from, name), Join(to, name)))) break;
    }
    closedir(dir);
    // Mode and times last: adding the content changed both. A whole folder of
    // a move stays ours to write until its stale copies are taken back.
    if (!ok || !FMove) chmod(to.c_str(), st.st_mode & 07777);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, to.c_str(), times, 0);
    SyncFolder(to);
    if (!ok) return false;
    TCopied c{from, to, st, {}};
    lstat(to.c_str(), &c.Copy);
    Copied.push_back(std::move(c));
    Handled();
    return true;
  }

  // A hidden name in `folder` that nobody has, taken by creating the file there.
  int OpenTemporary(const std::string& folder, std::string& temp) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    for (;;) {
      char name[48];
      std::snprintf(name, sizeof name, ".paste-%016llx.part", static_cast<unsigned long long>(random()));
      temp = Join(folder, name);
      const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd >= 0 || errno != EEXIST) return fd;
    }
  }

  bool CopyFile(const std::string& from, const std::string& to) {
    const int in = open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0) return errno == ENOENT ? true : Fail(BaseName(from), errno);  // gone meanwhile: as above
    // The source as it is before a byte is read: anything written after this shows at removal.
    struct stat source {};
    if (fstat(in, &source) != 0 || !S_ISREG(source.st_mode)) {
      const int why = S_ISREG(source.st_mode) ? errno : 0;
      close(in);
      if (why) return Fail(BaseName(from), why);
      Error = BaseName(from) + "：不是普通文件或文件夹";
      return false;
    }
    std::string temp;
    const int out = OpenTemporary(ParentOf(to), temp);
    if (out < 0) {
      const int why = errno;
      close(in);
      return Fail(BaseName(to), why);
    }
    int why = 0;
    std::unique_ptr<char[]> buffer(new char[kChunk]);
    while (!why && !Stop()) {
      const ssize_t n = read(in, buffer.get(), kChunk);
      if (n == 0) break;
      if (n < 0) {
        if (errno != EINTR) why = errno;
        continue;
      }
      for (ssize_t done = 0; done < n && !why;) {
        const ssize_t w = write(out, buffer.get() + done, std::size_t(n - done));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) why = w < 0 ? errno : ENOSPC;
        else done += w;
      }
    }
    close(in);
    struct stat copy {};
    if (!why && !Cancelled) {
      fchmod(out, source.st_mode & 07777);
      const timespec times[2] = {source.st_atim, source.st_mtim};
      futimens(out, times);
      if (fsync(out) != 0 || fstat(out, &copy) != 0) why = errno;
    }
    if (close(out) != 0 && !why) why = errno;
    // The final name only for a copy that is whole and on the disk.
    if (why || Cancelled || !MoveFile(temp, to)) {
      if (!why && !Cancelled) why = errno;
      unlink(temp.c_str());
      return Cancelled ? false : Fail(why == EEXIST ? BaseName(to) : BaseName(from), why);
    }
    Made.push_back(to);
    Copied.push_back(TCopied{from, to, source, copy});
    Handled();
    return true;
  }

  TPasteControl& FControl;
  const bool FMove;
};

std::string Count(std::size_t n) { return std::to_string(n) + " 个项目"; }

TPasteResult Paste(const std::string& folder, const std::vector<std::string>& sources, bool move,
                   TPasteControl& control) {
  TPasteResult result;
  const std::string target = RealPath(folder);
  struct stat st {};
  if (target.empty() || stat(target.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    result.Error = Reason(BaseName(folder), target.empty() ? errno : ENOTDIR);
    return result;
  }
  // Every source is looked at before anything is pasted: a refused one stops all.
  std::size_t total = 0;
  for (const std::string& source : sources) {
    struct stat s {};
    if (source.empty() || source[0] != '/' || lstat(source.c_str(), &s) != 0) {
      result.Error = Reason(BaseName(source), ENOENT);
      return result;
    }
    if (S_ISDIR(s.st_mode) && IsSameOrBelow(target, RealPath(source))) {
      result.Error = (BaseName(source).empty() ? source : BaseName(source)) + "：不能把文件夹粘贴到它自己里面";
      return result;
    }
    total += CountTree(source);
  }
  control.Total = total;

  TPaster paster(control, move);
  std::size_t stayed = 0;
  for (const std::string& source : sources) {
    if (paster.Stop()) break;
    struct stat s {};
    if (lstat(source.c_str(), &s) != 0) {
      result.Error = Reason(BaseName(source), ENOENT);
      return result;
    }
    const std::string name = BaseName(source);
    const std::string parent = RealPath(source.substr(0, source.size() - name.size()));
    if (move && parent == target) {  // already there
      control.Done += CountTree(source);
      continue;
    }
    const std::string free = FreeNameIn(target, name, S_ISDIR(s.st_mode));
    if (free.empty()) {
      result.Error = name + "：没有可用的名称";
      return result;
    }
    const std::string to = Join(target, free);
    if (move) {
      const std::size_t items = CountTree(source);
      if (MoveFile(source, to)) {
        control.Done += items;
        continue;
      }
      if (errno != EXDEV) {
        result.Error = Reason(name, errno);
        return result;
      }
    }
    const bool copied = paster.Copy(source, to);
    SyncFolder(target);
    if (!copied && !paster.Cancelled) {
      paster.RemoveMade();  // only what this copy made: its names were free
      result.Error = paster.Error;
      return result;
    }
    paster.Made.clear();
    if (!move) paster.Copied.clear();  // only a move goes back to its sources
    if (move) {
      paster.RemoveCopiedSources();
      struct stat left {};
      // A folder counts by what stayed in it, or as itself when it stayed empty.
      if (lstat(source.c_str(), &left) == 0)
        stayed += S_ISDIR(left.st_mode) ? std::max<std::size_t>(1, CountTree(source) - 1) : 1;
    }
    if (paster.Cancelled) break;
  }
  if (paster.Cancelled) {
    result.Cancelled = true;
    result.Error = std::string(move ? "已停止移动：" : "已停止复制：") + Count(control.Done) + (move ? "已移到" : "已复制到") +
                   "目标文件夹，其余的仍在原来的位置";
    return result;
  }
  if (stayed > 0) {
    result.Error = "有 " + Count(stayed) + "在移动时新出现、有改动或无法删除，留在了原来的文件夹中";
    return result;
  }
  result.Ok = true;
  return result;
}
}  // namespace

TPasteResult RunPaste(const std::string& folder, const std::vector<std::string>& sources, bool move,
                      TPasteControl& control) {
  TPasteResult result = Paste(folder, sources, move, control);
  result.Changed = control.Done > 0;
  return result;
}

TPasteJob::~TPasteJob() {
  Cancel();
  Join();
}

void TPasteJob::Join() {
  if (FWorker.joinable()) FWorker.join();
}

bool TPasteJob::Start(std::string folder, std::vector<std::string> sources, bool move) {
  if (FRunning) return false;
  Join();
  FControl.CancelRequested = false;
  FControl.Done = 0;
  FControl.Total = 0;
  FControl.AfterEachFile = TestHookAfterEachFile;
  FFinished = false;
  FRunning = true;
  FWorker = std::thread([this, folder = std::move(folder), sources = std::move(sources), move] {
    FResult = RunPaste(folder, sources, move, FControl);
    FRunning = false;
    FFinished = true;
    if (OnFinished) OnFinished(FResult);
  });
  return true;
}
