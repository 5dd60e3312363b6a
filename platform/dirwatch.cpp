// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dirwatch.h"

#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr uint32_t kWriteEvents = IN_MODIFY | IN_CLOSE_WRITE;
constexpr std::size_t kReadBufferSize = 64 * 1024;

using Clock = std::chrono::steady_clock;

bool IsFolder(const std::string& parent, const dirent& entry) {
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_UNKNOWN) return false;
  // Links are not followed below the root, so a link cannot make a cycle.
  struct stat info;
  const std::string path = parent + "/" + entry.d_name;
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

DirWatch::DirWatch() = default;

DirWatch::~DirWatch() {
  if (FFd >= 0) close(FFd);
}

uint32_t DirWatch::WatchMask() const {
  uint32_t mask = IN_ONLYDIR | IN_DELETE_SELF | IN_MOVE_SELF;
  // Below the root, new and moved folders must be seen to be watched too.
  if (FFlags & (kChangeFileName | kChangeDirName) || FSubTree) mask |= kNameEvents;
  if (FFlags & (kChangeAttributes | kChangeSecurity)) mask |= IN_ATTRIB;
  if (FFlags & (kChangeSize | kChangeLastWrite)) mask |= kWriteEvents;
  return mask;
}

bool DirWatch::Reportable(uint32_t mask) const {
  if (mask & IN_Q_OVERFLOW) return true;  // events were lost: anything may have changed
  if (mask & kNameEvents) {
    const uint32_t wanted = (mask & IN_ISDIR) ? kChangeDirName : kChangeFileName;
    if (FFlags & wanted) return true;
  }
  if ((mask & IN_ATTRIB) && (FFlags & (kChangeAttributes | kChangeSecurity))) return true;
  if ((mask & kWriteEvents) && (FFlags & (kChangeSize | kChangeLastWrite))) return true;
  return false;
}

bool DirWatch::Open(const std::string& dir, bool subTree, uint32_t flags) {
  if (FFd >= 0) close(FFd);
  FWatches.clear();
  FRootWd = -1;
  FIncomplete = false;
  FSubTree = subTree;
  FFlags = flags;
  FFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (FFd < 0) return false;
  if (!AddTree(WithoutTrailingSlash(dir))) {
    close(FFd);
    FFd = -1;
    FWatches.clear();
    return false;
  }
  for (const auto& [wd, path] : FWatches)
    if (path == WithoutTrailingSlash(dir)) FRootWd = wd;
  return true;
}

bool DirWatch::AddOne(const std::string& path) {
  if (FWatches.size() >= FMaxWatches) {
    FIncomplete = true;
    return false;
  }
  const int wd = inotify_add_watch(FFd, path.c_str(), WatchMask());
  if (wd < 0) {
    if (errno == ENOSPC) FIncomplete = true;  // the user's watch limit
    return false;
  }
  FWatches[wd] = path;
  return true;
}

bool DirWatch::AddTree(const std::string& path) {
  if (!AddOne(path)) return false;
  if (!FSubTree) return true;
  std::vector<std::string> pending{path};
  while (!pending.empty()) {
    const std::string folder = std::move(pending.back());
    pending.pop_back();
    DIR* listing = opendir(folder.c_str());
    if (!listing) continue;
    while (const dirent* entry = readdir(listing)) {
      const std::string name = entry->d_name;
      if (name == "." || name == ".." || !IsFolder(folder, *entry)) continue;
      const std::string child = (folder == "/" ? "" : folder) + "/" + name;
      if (AddOne(child)) pending.push_back(child);
    }
    closedir(listing);
  }
  return true;
}

void DirWatch::DropTree(const std::string& path) {
  for (auto it = FWatches.begin(); it != FWatches.end();) {
    const std::string& watched = it->second;
    const bool below = watched == path || (watched.size() > path.size() && watched.compare(0, path.size(), path) == 0 &&
                                           watched[path.size()] == '/');
    if (below && it->first != FRootWd) {
      inotify_rm_watch(FFd, it->first);
      it = FWatches.erase(it);
    } else {
      ++it;
    }
  }
}

void DirWatch::DropAll() {
  for (const auto& [wd, path] : FWatches) inotify_rm_watch(FFd, wd);
  FWatches.clear();
  FRootWd = -1;
}

bool DirWatch::ReadEvents(bool& failed) {
  alignas(inotify_event) char buffer[kReadBufferSize];
  bool changed = false;
  for (;;) {
    const ssize_t got = read(FFd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (errno != EAGAIN) failed = true;
      return changed;
    }
    if (got == 0) return changed;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        changed = true;
        continue;
      }
      const auto watch = FWatches.find(event->wd);
      if (watch == FWatches.end()) continue;  // a watch dropped already
      if (event->mask & IN_IGNORED) {
        if (event->wd == FRootWd) {
          changed = true;
          DropAll();
        } else {
          FWatches.erase(watch);
        }
        continue;
      }
      if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
        // The root gone or moved away: report it once, then watch nothing
        // (its descriptor would follow the folder to its new place).
        if (event->wd == FRootWd) {
          changed = true;
          DropAll();
        }
        continue;
      }
      if (FSubTree && (event->mask & IN_ISDIR) && event->len > 0) {
        const std::string child = (watch->second == "/" ? "" : watch->second) + "/" + event->name;
        if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
          // A folder that cannot be watched is still a change: never stop silently.
          if (!AddTree(child)) changed = true;
        } else if (event->mask & IN_MOVED_FROM) {
          DropTree(child);
        }
      }
      if (Reportable(event->mask)) changed = true;
    }
  }
}

DirWatch::WaitResult DirWatch::Wait(int wakeFd) {
  bool pending = false;
  Clock::time_point first, last;
  for (;;) {
    int timeoutMs = -1;
    if (pending) {
      const auto now = Clock::now();
      const auto until = std::min(last + kQuietTime, first + kMaxDelay);
      if (now >= until) return WaitResult::Change;
      timeoutMs = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(until - now).count());
    }
    pollfd fds[2] = {{wakeFd, POLLIN, 0}, {FFd, POLLIN, 0}};
    const int ready = poll(fds, FFd >= 0 ? 2 : 1, timeoutMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return WaitResult::Failed;
    }
    if (fds[0].revents & POLLIN) return WaitResult::Woken;
    if (fds[0].revents & (POLLERR | POLLNVAL)) return WaitResult::Failed;
    if (ready == 0) continue;  // the gathering time is checked at the top
    if (fds[1].revents & POLLIN) {
      bool failed = false;
      const bool changed = ReadEvents(failed);
      if (failed) return WaitResult::Failed;
      if (changed) {
        last = Clock::now();
        if (!pending) first = last;
        pending = true;
      }
    } else if (fds[1].revents & (POLLERR | POLLNVAL)) {
      return WaitResult::Failed;
    }
  }
}
