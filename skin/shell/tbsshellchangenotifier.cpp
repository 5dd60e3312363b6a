// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/shell/tbsshellchangenotifier.h"

#include "platform/dirwatch.h"
#include "skin/shell/tbsshellchangethread.h"

uint32_t NotifyOptionFlagsOf(TNotifyFilters filters) {
  static constexpr uint32_t kFlags[] = {kChangeFileName,  kChangeDirName,   kChangeAttributes,
                                        kChangeSize,      kChangeLastWrite, kChangeSecurity};
  uint32_t flags = 0;
  for (unsigned filter = nfFileNameChange; filter <= nfSecurityChange; ++filter)
    if (filters & (1u << filter)) flags |= kFlags[filter];
  return flags;
}

TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier(QObject* owner) : TComponent(owner) {
  StartThread();  // does nothing until OnChange is set
}

TbsCustomShellChangeNotifier::~TbsCustomShellChangeNotifier() {
  std::lock_guard guard(ShellChangeLock());
  if (!FThread) return;
  TbsShellChangeThread* worker = FThread;
  FThread = nullptr;
  worker->Detach();
  // The worker wakes, sees the flag and frees itself; a change it was about
  // to hand over is dropped, so OnChange is never called after this.
  worker->Terminate();
}

bool TbsCustomShellChangeNotifier::HasWorker() const {
  std::lock_guard guard(ShellChangeLock());
  return FThread != nullptr;
}

void TbsCustomShellChangeNotifier::StartThread() {
  if (!FOnChange) return;
  auto* worker = new TbsShellChangeThread(FOnChange, &FThread);
  {
    std::lock_guard guard(ShellChangeLock());
    FThread = worker;
    worker->SetOptions(FRoot, FWatchSubTree, NotifyOptionFlagsOf(FFilters));
  }
  // From here on the worker may end and free itself at any time.
  worker->Resume();
}

void TbsCustomShellChangeNotifier::Change() {
  std::lock_guard guard(ShellChangeLock());
  if (FThread) FThread->SetOptions(FRoot, FWatchSubTree, NotifyOptionFlagsOf(FFilters));
}

void TbsCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters value) {
  if (value == FFilters) return;
  FFilters = value;
  Change();
}

void TbsCustomShellChangeNotifier::SetRoot(const std::string& value) {
  if (value == FRoot) return;
  FRoot = value;
  Change();
}

void TbsCustomShellChangeNotifier::SetWatchSubTree(bool value) {
  if (value == FWatchSubTree) return;
  FWatchSubTree = value;
  Change();
}

void TbsCustomShellChangeNotifier::SetOnChange(TThreadMethod value) {
  FOnChange = std::move(value);
  {
    std::lock_guard guard(ShellChangeLock());
    if (FThread) {
      // The event is read only on this thread, so no race with a hand-over.
      FThread->SetChangeEvent(FOnChange);
      return;
    }
  }
  StartThread();
}
