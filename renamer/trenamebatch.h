// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A rename of one folder's list (the same moves as Trenamefile::RenameAll) that
// can be undone, watched and stopped. Before the first move it writes a journal
// (the folder, and per file the old name, new name, device and inode, and
// where needed size and modification time) and flushes it to disk; a batch
// whose journal cannot be written does not start. Undo moves back, newest
// first, only files still at their new name as the journalled file (see
// IsSameFile), whose old name is free, never replacing anything.
//
// Undo belongs to the window: each TRenameBatch (one per window) holds the
// journal of the last batch it ran, and undoes that one only, whatever other
// windows or programs rename meanwhile, in other folders or the same one.
//
// Use from the window (all calls on the GUI thread, one object per window):
//   at start-up, once: batch.AdoptOrphanJournal();  // the last batch of a program gone
//   batch.StartRename(folder, names, engine.FileCount(), prefix, start);
//     // Names and the count are all it needs (no Trenamefile); names moved in.
//   // poll with a QTimer: batch.Done() of batch.Total(); batch.Cancel() on Escape
//   // when batch.Finished(): show ReportText(batch.Result()) unless it is "",
//   //   refresh the list once, and ask CanUndo() again for the menu item
//   switch (batch.UndoReadiness(&why)) ... batch.StartUndo();  // same polling, same result type
//   JournalInterrupted() after the adoption for a one-time "the last batch
//   was cut short" hint; CanUndo() alone for the menu item.
// The class is Qt-free: nothing is posted to any event loop. OnFinished, when
// set, runs ON THE WORKER THREAD right after Finished() turns true; post to the
// GUI thread yourself (e.g. QMetaObject::invokeMethod with Qt::QueuedConnection).
// Total() is 0 for a moment after a start (until the plan is made); Done()
// counts files handled, moved or not, so Done() == Total() at a full end.
// The names a batch gives come from PlanRenames (trenamefile.h), which the
// preview uses too.
//
// Journals live in JournalFolder() ($XDG_STATE_HOME/batch-renamer/journals;
// a missing or relative XDG_STATE_HOME means ~/.local/state), computed from
// the environment at each call, so a test may set XDG_STATE_HOME. One level
// of undo per window: a new batch replaces the window's journal (a batch with
// nothing to move leaves it), an undo that ran to its end removes it, and so
// does one that finds it damaged. The journal of a window that closed, or of
// a program that crashed mid-batch, stays until a later start adopts it:
// CanUndo() is true then and undo brings back what was done. A cancelled
// undo keeps the journal; undoing again goes on with the rest.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "renamer/tbatchresult.h"
#include "renamer/trenamejournal.h"

// Shared between a running batch and whoever watches it. Every field may be
// read from any thread.
struct TBatchControl {
  std::atomic<bool> CancelRequested{false};  // checked between two files
  std::atomic<std::size_t> Done{0};          // files handled (moved or kept)
  std::atomic<std::size_t> Total{0};         // known once the plan is made
  // Test hook: runs after each file is handled, with the count handled so
  // far, on the thread running the batch. Lets a test slow a batch down,
  // cancel or kill it at a chosen file.
  std::function<void(std::size_t)> AfterEachFile;
};

// What Ctrl+Z can do now.
enum class TUndoReadiness {
  Nothing,      // no journal: nothing to undo
  Ready,        // the journal looks whole and its folder is the journalled one
  Unusable,     // a journal that cannot be used (damaged, not ours, its folder gone)
  Unanswering,  // its folder lies on a mount that does not answer in time
};

class TRenameBatch {
public:
  TRenameBatch() = default;
  // Cancels a running batch and waits for it (it stops between two files).
  // OnFinished may still run meanwhile, on the worker, for that last batch.
  ~TRenameBatch();
  TRenameBatch(const TRenameBatch&) = delete;
  TRenameBatch& operator=(const TRenameBatch&) = delete;

  // Starts renaming on a worker thread exactly as RenameAll(Folder, Names,
  // Prefix, Start) with FileCount() == Count would, numbers padded to Width
  // digits (PlanRenames). Folder ends in "/".
  // Returns false (and starts nothing) while a batch or undo is running.
  // A batch that cannot write its journal still finishes: Result().Started is
  // false and Result().Error says why.
  bool StartRename(std::string Folder, std::vector<std::string> Names, std::size_t Count,
                   std::string Prefix, int32_t Start, int Width = 0);
  // Starts undoing the journalled batch on a worker thread; false while one runs.
  bool StartUndo();

  bool Running() const { return FRunning.load(); }
  // True once the last started batch has ended and Result() is complete;
  // stays true until the next Start.
  bool Finished() const { return FFinished.load(); }
  std::size_t Done() const { return FControl.Done.load(); }
  std::size_t Total() const { return FControl.Total.load(); }
  // Stops the running batch between two files; the moves made stay journalled.
  void Cancel() { FControl.CancelRequested = true; }
  // Valid only when Finished().
  const TBatchResult& Result() const { return FResult; }

  // Runs on the worker thread after Finished() turned true. Set before Start.
  std::function<void(const TBatchResult&)> OnFinished;

  // Test hook copied into each started batch's control (see TBatchControl)
  // at Start: e.g. a sleep of a few ms, so that a window test sees progress
  // and can cancel. Set it on the GUI thread while no batch runs.
  static inline std::function<void(std::size_t)> TestHookAfterEachFile;

  // At start-up: takes the newest journal whose program is gone, and removes
  // the other ones (see TRenameJournal::AdoptOrphan). Reads the state folder
  // within the time limit of platform/readintime.h. False when nothing was
  // taken, or while a batch runs or a journal is held.
  bool AdoptOrphanJournal();
  // Cheap enough for a menu's enabled state, and never waits on a mount
  // longer than the time limit of platform/readintime.h: the journal's state
  // is known without reading it, and only its folder is looked at. Why, when
  // given, is set to what to tell the user when it is neither Nothing nor
  // Ready. Nothing while a batch runs.
  TUndoReadiness UndoReadiness(std::string* Why = nullptr) const;
  bool CanUndo() const { return UndoReadiness() == TUndoReadiness::Ready; }
  // For a hint at start-up: CanUndo() holds and the journalled batch never
  // wrote its end, so a crash (or a kill) cut it short.
  bool JournalInterrupted() const;
  // The journal this window holds, "" when none.
  std::string JournalPath() const;
  static std::string JournalFolder();

  // The same work done on the calling thread (the worker runs these), with
  // Journal as the window's journal.
  static TBatchResult RunRename(const std::string& Folder, const std::vector<std::string>& Names,
                                std::size_t Count, const std::string& Prefix, int32_t Start,
                                TBatchControl& Control, TRenameJournal& Journal, int Width = 0);
  static TBatchResult RunUndo(TBatchControl& Control, TRenameJournal& Journal);

private:
  void Launch(std::function<TBatchResult(TBatchControl&)> work);
  void Join();

  TBatchControl FControl;
  TBatchResult FResult;
  std::atomic<bool> FRunning{false};
  std::atomic<bool> FFinished{false};
  TRenameJournal FJournal;  // touched by the worker only while Running()
  std::thread FWorker;
};
