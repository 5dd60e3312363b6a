// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A worker thread with the framework's life cycle: created suspended,
// started by Resume, asked to stop through a termination flag it polls, and
// optionally freed by itself when Execute returns. Synchronize hands a call
// to the user-interface thread and waits for it, which is how a worker talks
// to components.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

using TThreadMethod = std::function<void()>;

class TThread {
 public:
  // Always created suspended: Execute is virtual, so the thread may start
  // only once the derived object is complete.
  TThread();
  // An owned thread that is still running must be stopped (Terminate, then
  // WaitFor) by the derived destructor: once it has run, Execute and the
  // derived fields are gone while the thread may still use them.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the thread; only the first call does anything.
  void Resume();
  // Sets the termination flag, cancels a hand-over that has not started
  // running yet, and calls TerminatedSet (keep it short: it runs under the
  // thread's lock) so a blocked Execute can wake up.
  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  // Decided before Resume: a free-on-terminate thread deletes itself when
  // Execute returns, and nobody may touch it after it could have ended.
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value);
  bool Finished() const { return FFinished.load(); }
  // Waits for Execute to return (not for free-on-terminate threads). Called
  // on the user-interface thread it keeps running the worker's hand-overs,
  // so a worker inside Synchronize cannot deadlock it.
  void WaitFor();

 protected:
  virtual void Execute() = 0;
  virtual void TerminatedSet() {}
  // Runs `method` on the user-interface thread and waits until it returns.
  // False when it did not run: the thread was terminated first, or there is
  // no application to run it.
  bool Synchronize(const TThreadMethod& method);
  // Names the calling thread as debuggers and /proc show it (15 bytes at most).
  static void NameThreadForDebugging(const char* name);

 private:
  struct SyncCall;
  void Run();

  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  bool FFreeOnTerminate = false;
  bool FStarted = false;
  std::mutex FSyncLock;
  std::shared_ptr<SyncCall> FPendingSync;
};
