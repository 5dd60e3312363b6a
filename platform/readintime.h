// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File-system reads that give up at a deadline. A network or FUSE mount whose
// server stopped answering blocks stat, opendir and getdents for minutes or
// for ever, and the kernel cannot cancel them; so a read of a place on such
// a mount runs on a worker thread and its caller waits only until the
// deadline. A read that misses it is left to finish on its own, and the
// mount it hangs on is remembered as unanswering until it does: later reads
// there give up at once, so one unanswering mount keeps at most one worker
// waiting and the window waits for it once, not once a folder. A read of a
// place on this machine's own disks runs at once on the caller's thread.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

using TReadClock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kFolderReadTimeout{2000};  // longest a silent folder may keep the window waiting
constexpr std::chrono::milliseconds kLateReadGrace{50};  // a read after its shared deadline passed still gets this

// While one lives, the reads of this thread share one deadline (the reads of
// one expansion: the listing and each child's checks). Nested ones keep the
// earlier deadline.
class TReadDeadline {
 public:
  explicit TReadDeadline(std::chrono::milliseconds timeout = kFolderReadTimeout);
  ~TReadDeadline();
  TReadDeadline(const TReadDeadline&) = delete;
  TReadDeadline& operator=(const TReadDeadline&) = delete;

 private:
  std::optional<TReadClock::time_point> FSaved;
};

// What a read on a worker tells its waiter while it runs.
class TReadProgress {
 public:
  // The read is about to touch `path` ("" : the place it was started for):
  // if it hangs there, the mount of `path` is the one remembered.
  void Touch(const std::string& path);
  std::string Touching() const;
  // A sign of life: a read that keeps answering is waited for a full
  // timeout after each step, so a slow disk is not mistaken for a dead one.
  void Step() { FSteps.fetch_add(1, std::memory_order_relaxed); }
  std::uint64_t Steps() const { return FSteps.load(std::memory_order_relaxed); }
  // True when the read runs on its caller's thread without a deadline (its
  // place is on local file systems): whatever it would reach beyond that
  // place that may lie on a mount that may not answer (a link's target)
  // must be read through ReadInTime again.
  bool Direct() const { return FDirect; }

 private:
  friend bool ReadInTime(const std::string&, std::function<void(TReadProgress&)>);
  bool FDirect = false;
  mutable std::mutex FLock;
  std::string FTouching;
  std::atomic<std::uint64_t> FSteps{0};
};

// Runs `read`, a read of the place `path`: at once when `path` lies on local
// file systems, else on a worker, waited for until the deadline (the shared
// one of a live TReadDeadline of this thread, else kFolderReadTimeout from
// now). True when it finished in time; false at once when `path` lies where
// a read still waits. After a miss `read`
// runs on, so it must own everything it touches (capture by value, results
// in state it co-owns).
bool ReadInTime(const std::string& path, std::function<void(TReadProgress&)> read);

// `read()`'s answer, or none when it missed the deadline.
template <class T, class F>
std::optional<T> AnswerInTime(const std::string& path, F read) {
  auto answer = std::make_shared<std::optional<T>>();
  if (!ReadInTime(path, [answer, read = std::move(read)](TReadProgress&) { *answer = read(); })) return std::nullopt;
  return std::move(*answer);
}

// Whether `path` lies where a read that missed its deadline still waits.
bool IsUnanswering(const std::string& path);
// How many reads that missed their deadline still wait.
int UnansweredReads();

// chdir(`dir`) under the same deadline, for the working directory a started
// program inherits. True when it changed in time. One that comes too late
// goes back to the directory of the call, so the caller's answer holds.
bool ChangeDirectoryInTime(const std::string& dir);
