// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mounttable.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <limits.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <sstream>

namespace {
// File systems whose reads are answered by this machine's own disks or
// memory. Anything else (nfs, cifs, fuse.*, 9p, ceph, an unknown type) may
// wait on a server.
const char* const kLocalTypes[] = {
    "ext2",  "ext3",    "ext4",     "xfs",      "btrfs",  "f2fs",       "jfs",     "reiserfs", "vfat",
    "msdos", "exfat",   "ntfs",     "ntfs3",    "hfs",    "hfsplus",    "iso9660", "udf",      "zfs",
    "bcachefs", "nilfs2", "erofs",  "squashfs", "overlay", "tmpfs",     "ramfs",   "devtmpfs", "proc",
    "sysfs", "devpts",  "cgroup",   "cgroup2",  "securityfs", "pstore", "bpf",     "debugfs",  "tracefs",
    "mqueue", "hugetlbfs", "configfs", "fusectl", "binfmt_misc", "nsfs", "efivarfs", "selinuxfs",
    "rpc_pipefs", "nfsd"};

std::string Unslashed(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool Holds(const std::string& point, const std::string& path) {
  if (point == "/") return !path.empty() && path[0] == '/';
  return path == point || (path.size() > point.size() && path.compare(0, point.size(), point) == 0 &&
                           path[point.size()] == '/');
}

// The table, read again when poll says it changed. Guarded by its lock:
// folder reads ask from worker threads.
class TMountTable {
 public:
  std::vector<TMount> Mounts() {
    std::lock_guard<std::mutex> guard(FLock);
    if (FFd < 0) FFd = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (FFd < 0) return {};
    pollfd p{FFd, POLLPRI, 0};
    if (!FRead || (poll(&p, 1, 0) > 0 && (p.revents & (POLLPRI | POLLERR)))) {
      FMounts = MountsFromMountInfo(ReadAll());
      FRead = true;
    }
    return FMounts;
  }

 private:
  std::string ReadAll() const {
    std::string text;
    char buffer[16384];
    lseek(FFd, 0, SEEK_SET);
    for (ssize_t n; (n = read(FFd, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    return text;
  }
  std::mutex FLock;
  int FFd = -1;  // kept open for the program's life: polling it tells of changes
  bool FRead = false;
  std::vector<TMount> FMounts;
};

TMountTable& Table() {
  // Never destroyed: a worker released from a dead mount while the program
  // ends may still ask for it.
  static TMountTable* const table = new TMountTable;
  return *table;
}
}  // namespace

std::string UnescapeMountField(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && std::isdigit((unsigned char)field[i + 1]) &&
        std::isdigit((unsigned char)field[i + 2]) && std::isdigit((unsigned char)field[i + 3])) {
      out += char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

bool MountInfoFields(const std::string& line, std::vector<std::string>& fields, std::string& type) {
  fields.clear();
  std::stringstream words(line);
  for (std::string w; words >> w;) fields.push_back(w);
  const auto dash = std::find(fields.begin(), fields.end(), "-");
  if (fields.size() < 5 || dash == fields.end() || dash + 1 == fields.end()) return false;
  type = *(dash + 1);
  return true;
}

std::vector<TMount> MountsFromMountInfo(const std::string& mountInfo) {
  std::vector<TMount> mounts;
  std::stringstream in(mountInfo);
  std::vector<std::string> f;
  std::string type;
  for (std::string line; std::getline(in, line);)
    if (MountInfoFields(line, f, type)) mounts.push_back({Unslashed(UnescapeMountField(f[4])), type});
  return mounts;
}

bool MountTypeMayNotAnswer(const std::string& type) {
  return std::none_of(std::begin(kLocalTypes), std::end(kLocalTypes), [&](const char* t) { return type == t; });
}

namespace {
TMount HoldingIn(const std::vector<TMount>& mounts, const std::string& path) {
  TMount best{"/", ""};
  bool found = false;
  // The last of equal points is the one on top, as the kernel stacks them.
  for (const TMount& m : mounts)
    if (Holds(m.Point, path) && (!found || m.Point.size() >= best.Point.size())) {
      best = m;
      found = true;
    }
  return best;
}

// Pushes the components of `path` so the first is on top.
void PushComponents(const std::string& path, std::vector<std::string>& todo) {
  std::size_t end = path.size();
  while (end > 0) {
    const std::size_t slash = path.rfind('/', end - 1);
    const std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
    if (end > begin) todo.push_back(path.substr(begin, end - begin));
    if (slash == std::string::npos) break;
    end = slash;
  }
}
}  // namespace

TMount MountHolding(const std::string& path) { return HoldingIn(Table().Mounts(), path); }

std::optional<TMount> MountThatMayNotAnswerOn(const std::string& path) {
  constexpr int kMaxLinks = 40;  // as the kernel gives up
  const std::vector<TMount> mounts = Table().Mounts();
  if (path.empty() || path[0] != '/') return std::nullopt;
  if (const TMount root = HoldingIn(mounts, "/"); MountTypeMayNotAnswer(root.Type)) return root;
  std::vector<std::string> todo;
  PushComponents(path, todo);
  std::string resolved;  // without a trailing "/"; "" is the root
  int links = 0;
  while (!todo.empty()) {
    const std::string part = std::move(todo.back());
    todo.pop_back();
    if (part == ".") continue;
    if (part == "..") {
      resolved.erase(std::min(resolved.size(), resolved.rfind('/')));
      continue;
    }
    const std::string next = resolved + "/" + part;
    const TMount m = HoldingIn(mounts, next);
    if (MountTypeMayNotAnswer(m.Type)) return m;
    char target[PATH_MAX];
    const ssize_t n = readlink(next.c_str(), target, sizeof target);
    if (n <= 0) {
      resolved = next;  // not a link, or not there: the spelling stands
      continue;
    }
    if (++links > kMaxLinks) return TMount{next, ""};
    const std::string to(target, std::size_t(n));
    if (to[0] == '/') resolved.clear();
    PushComponents(to, todo);
  }
  return std::nullopt;
}

bool IsMountPointThatMayNotAnswer(const std::string& path) {
  const std::string point = Unslashed(path);
  const TMount m = MountHolding(point);
  return m.Point == point && MountTypeMayNotAnswer(m.Type);
}

std::vector<std::string> MountNamesThatMayNotAnswerIn(const std::string& folder) {
  const std::string parent = Unslashed(folder);
  const std::string prefix = parent == "/" ? parent : parent + "/";
  std::vector<std::string> names;
  const std::vector<TMount> mounts = Table().Mounts();
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    const TMount& m = mounts[i];
    if (m.Point.size() <= prefix.size() || m.Point.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string name = m.Point.substr(prefix.size());
    if (name.find('/') != std::string::npos) continue;
    // Only the mount on top counts: a later one at the same point hides it.
    const bool hidden = std::any_of(mounts.begin() + std::ptrdiff_t(i) + 1, mounts.end(),
                                    [&](const TMount& o) { return o.Point == m.Point; });
    if (!hidden && MountTypeMayNotAnswer(m.Type)) names.push_back(name);
  }
  return names;
}
