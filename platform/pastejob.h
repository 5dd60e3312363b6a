// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pasting files into a folder, watched and stoppable, on the calling thread
// (RunPaste) or on a worker (TPasteJob). Never replaces anything.
//
// Across disks every file is written under a hidden temporary name in its
// target folder, flushed to disk, and only then given its final name (by a
// rename that cannot replace), so a paste cut short by a crash or a kill
// never leaves a damaged file under a name that looks whole. A move removes
// from the source, once the whole source is copied, only what was copied
// and is still the same file, of the same size and modification time; a
// folder goes only once it is empty. Whatever appeared or changed meanwhile
// stays where it was (a copy made of an older state of it is taken back),
// and the result says how much stayed.
//
// Stopping (Cancel) ends it between two files or within one: the file in
// progress loses its temporary, every file already pasted stays pasted (a
// move removes their sources), and the rest stays where it was.

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Shared between a running paste and whoever watches it; any thread may read.
struct TPasteControl {
  std::atomic<bool> CancelRequested{false};
  std::atomic<std::size_t> Done{0};   // files, links and folders handled
  std::atomic<std::size_t> Total{0};  // known once the sources are counted
  // Test hook: runs on the pasting thread after each item copied, with Done.
  std::function<void(std::size_t)> AfterEachFile;
};

struct TPasteResult {
  bool Ok = false;         // all pasted, and for a move all gone from where it was
  bool Cancelled = false;  // stopped by Cancel
  bool Changed = false;    // something was pasted, even if not all
  std::string Error;       // what the user is told when not Ok
};

// Copies (or, with `move`, moves) every source into `folder` under a free
// name ("name (2)", ...). A folder is never pasted into itself or below
// itself: such a paste does nothing at all. A move on one disk is a rename.
// A copy that fails (a full disk) removes what it made and leaves its
// source as it was.
TPasteResult RunPaste(const std::string& folder, const std::vector<std::string>& sources, bool move,
                      TPasteControl& control);

// RunPaste on a worker thread. Use from one thread (the window's).
class TPasteJob {
 public:
  TPasteJob() = default;
  // Stops a running paste and waits for it.
  ~TPasteJob();
  TPasteJob(const TPasteJob&) = delete;
  TPasteJob& operator=(const TPasteJob&) = delete;

  // False (nothing started) while one runs.
  bool Start(std::string folder, std::vector<std::string> sources, bool move);
  bool Running() const { return FRunning.load(); }
  // True once the last paste has ended and Result() is complete.
  bool Finished() const { return FFinished.load(); }
  std::size_t Done() const { return FControl.Done.load(); }
  std::size_t Total() const { return FControl.Total.load(); }
  void Cancel() { FControl.CancelRequested = true; }
  const TPasteResult& Result() const { return FResult; }

  // Runs ON THE WORKER right after Finished() turned true: post to your own thread.
  std::function<void(const TPasteResult&)> OnFinished;

  // Test hook copied into each paste's control at Start (see TPasteControl).
  static inline std::function<void(std::size_t)> TestHookAfterEachFile;

 private:
  void Join();

  TPasteControl FControl;
  TPasteResult FResult;
  std::atomic<bool> FRunning{false};
  std::atomic<bool> FFinished{false};
  std::thread FWorker;
};
