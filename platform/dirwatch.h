// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The directory change watch: one folder, optionally with every folder below
// it, watched with inotify for the kinds of change asked for. Wait blocks
// until a change worth reporting has happened (a burst of changes is
// gathered into one report) or until a wake-up descriptor is signalled.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// Platform change-notification flags: which changes a watch reports.
constexpr uint32_t kChangeFileName = 0x1;     // a file created, deleted or renamed
constexpr uint32_t kChangeDirName = 0x2;      // a folder created, deleted or renamed
constexpr uint32_t kChangeAttributes = 0x4;   // mode, owner, times set
constexpr uint32_t kChangeSize = 0x8;         // contents written
constexpr uint32_t kChangeLastWrite = 0x10;   // contents written or closed after writing
constexpr uint32_t kChangeSecurity = 0x100;   // mode or owner

class DirWatch {
 public:
  enum class WaitResult { Change, Woken, Failed };

  // After the first reportable event, Wait gathers more until none came for
  // the quiet time or the first is this old, so a long burst still reports
  // regularly and the last change of a burst is always reported.
  static constexpr auto kQuietTime = std::chrono::milliseconds(30);
  static constexpr auto kMaxDelay = std::chrono::milliseconds(250);

  DirWatch();
  ~DirWatch();
  DirWatch(const DirWatch&) = delete;
  DirWatch& operator=(const DirWatch&) = delete;

  // False when `dir` cannot be watched (missing, not a folder, no access, no
  // inotify). A subfolder that cannot be watched (the user's watch limit, or
  // MaxWatches) leaves the watch Incomplete but working.
  bool Open(const std::string& dir, bool subTree, uint32_t flags);
  bool IsOpen() const { return FRootWd >= 0 || FFd >= 0; }
  // The root is still watched: false after it was deleted or moved.
  bool WatchingRoot() const { return FRootWd >= 0; }
  bool Incomplete() const { return FIncomplete; }
  std::size_t WatchCount() const { return FWatches.size(); }
  // A cap on the folders watched, below the kernel's own limit.
  void SetMaxWatches(std::size_t value) { FMaxWatches = value; }

  // Blocks until a reportable change (Change), a signal on `wakeFd` (Woken;
  // changes gathered meanwhile are dropped, since the caller is about to
  // stop or to watch something else) or an error (Failed).
  WaitResult Wait(int wakeFd);

 private:
  // Reads every queued event; true when one of them is to be reported.
  bool ReadEvents(bool& failed);
  bool Reportable(uint32_t mask) const;
  uint32_t WatchMask() const;
  // Watches `path` and, with the subtree on, every folder below it; false
  // when `path` itself could not be watched.
  bool AddTree(const std::string& path);
  bool AddOne(const std::string& path);
  void DropTree(const std::string& path);
  void DropAll();

  int FFd = -1;
  int FRootWd = -1;
  bool FSubTree = false;
  bool FIncomplete = false;
  uint32_t FFlags = 0;
  std::size_t FMaxWatches = static_cast<std::size_t>(-1);
  std::unordered_map<int, std::string> FWatches;  // descriptor -> folder path
};
