// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/shell/tbsshellchangethread.h"

#include "framework/handlerguard.h"

std::mutex& ShellChangeLock() {
  static std::mutex lock;
  return lock;
}

TbsShellChangeThread::TbsShellChangeThread(TThreadMethod changeEvent, TbsShellChangeThread** ownerSlot)
    : ChangeEvent(std::move(changeEvent)), FOwnerSlot(ownerSlot) {
  SetFreeOnTerminate(true);
}

TbsShellChangeThread::~TbsShellChangeThread() = default;

void TbsShellChangeThread::SetOptions(const std::string& directory, bool watchSubTree, uint32_t flags) {
  Directory = directory;
  WatchSubTree = watchSubTree;
  NotifyOptionFlags = flags;
  auto watch = std::make_unique<DirWatch>();
  if (!watch->Open(Directory, WatchSubTree, NotifyOptionFlags)) watch.reset();
  FNewWatch = std::move(watch);
  OptionsChanged = true;
  ++FGeneration;
  WakeMutex.Signal();
}

void TbsShellChangeThread::DoChange(unsigned generation) {
  if (Terminated()) return;
  {
    // A change of a watch that new options have replaced is not reported.
    std::lock_guard guard(ShellChangeLock());
    if (generation != FGeneration) return;
  }
  // A copy: the handler may replace the notifier's event or free the notifier.
  const TThreadMethod event = ChangeEvent;
  if (event) CallGuarded(event);
}

void TbsShellChangeThread::Execute() {
  NameThreadForDebugging(kThreadName);
  unsigned generation = 0;
  for (;;) {
    std::unique_ptr<DirWatch> retired;
    {
      std::lock_guard guard(ShellChangeLock());
      if (OptionsChanged) {
        retired = std::move(WaitHandle);
        WaitHandle = std::move(FNewWatch);
        OptionsChanged = false;
        generation = FGeneration;
      }
    }
    retired.reset();
    // A folder that cannot be watched ends the worker; nothing is reported.
    if (Terminated() || !WaitHandle) break;
    const DirWatch::WaitResult result = WaitHandle->Wait(WakeMutex.Fd());
    if (result == DirWatch::WaitResult::Failed) break;
    if (result == DirWatch::WaitResult::Woken) {
      WakeMutex.Drain();
    } else {
      Synchronize([this, generation] { DoChange(generation); });
    }
  }
  std::lock_guard guard(ShellChangeLock());
  if (FOwnerSlot) *FOwnerSlot = nullptr;
}
