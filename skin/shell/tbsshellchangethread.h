// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The worker of a shell change notifier: it waits on a directory watch and
// hands each reported change to the user-interface thread. It frees itself
// when it ends; its owner reaches it only under the notifier lock, through a
// slot the worker clears before it goes.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "framework/tthread.h"
#include "platform/dirwatch.h"
#include "platform/wakeevent.h"

// The process-wide lock of the change notifiers: options, watch hand-over
// and the owner's link to its worker.
std::mutex& ShellChangeLock();

class TbsShellChangeThread : public TThread {
 public:
  static constexpr const char* kThreadName = "br-shellwatch";  // as /proc shows the worker

  // Created suspended and free-on-terminate. `ownerSlot` is the owner's
  // pointer to this worker; the worker sets it to none when it ends by itself.
  TbsShellChangeThread(TThreadMethod changeEvent, TbsShellChangeThread** ownerSlot);
  ~TbsShellChangeThread() override;

  // Caller holds ShellChangeLock. Stores the options and sets the watch up
  // anew right here, so every change after the call is seen by the new
  // watch and none of the old one is reported any more.
  void SetOptions(const std::string& directory, bool watchSubTree, uint32_t flags);
  // User-interface thread only.
  void SetChangeEvent(TThreadMethod changeEvent) { ChangeEvent = std::move(changeEvent); }
  // Caller holds ShellChangeLock; the worker no longer clears the slot.
  void Detach() { FOwnerSlot = nullptr; }

 protected:
  void Execute() override;
  void TerminatedSet() override { WakeMutex.Signal(); }

 private:
  // Runs on the user-interface thread for a change seen by the watch of
  // options `generation`.
  void DoChange(unsigned generation);

  TThreadMethod ChangeEvent;  // user-interface thread only
  WakeEvent WakeMutex;        // wakes the worker for shutting down and for new options
  std::unique_ptr<DirWatch> WaitHandle;  // the worker's watch
  // Under ShellChangeLock:
  std::string Directory;
  bool WatchSubTree = true;
  uint32_t NotifyOptionFlags = 0;
  bool OptionsChanged = false;
  std::unique_ptr<DirWatch> FNewWatch;  // set up by SetOptions, taken by the worker
  unsigned FGeneration = 0;             // counts SetOptions calls
  TbsShellChangeThread** FOwnerSlot;
};
