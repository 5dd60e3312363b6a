// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A component that watches one folder (optionally with its subfolders) and
// calls OnChange on the user-interface thread when something of the asked
// kinds changes there. The watching runs in a worker thread that exists only
// while OnChange is set; freeing the notifier never waits for the worker.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/tcomponent.h"
#include "framework/tthread.h"

class TbsShellChangeThread;

enum TNotifyFilter : unsigned {
  nfFileNameChange,
  nfDirNameChange,
  nfAttributeChange,
  nfSizeChange,
  nfWriteChange,
  nfSecurityChange,
};
using TNotifyFilters = unsigned;  // one bit per TNotifyFilter

constexpr TNotifyFilters NotifyFilterSet(std::initializer_list<TNotifyFilter> filters) {
  TNotifyFilters set = 0;
  for (TNotifyFilter filter : filters) set |= 1u << filter;
  return set;
}

// The platform change-notification flags of a filter set.
uint32_t NotifyOptionFlagsOf(TNotifyFilters filters);

class TbsCustomShellChangeNotifier : public TComponent {
  Q_OBJECT
 public:
  explicit TbsCustomShellChangeNotifier(QObject* owner = nullptr);
  ~TbsCustomShellChangeNotifier() override;

  // True while a worker thread watches for this notifier.
  bool HasWorker() const;

 protected:
  TNotifyFilters NotifyFilters() const { return FFilters; }
  void SetNotifyFilters(TNotifyFilters value);
  const std::string& Root() const { return FRoot; }
  // Compared exactly: two names that differ only in case are two folders.
  void SetRoot(const std::string& value);
  bool WatchSubTree() const { return FWatchSubTree; }
  void SetWatchSubTree(bool value);
  const TThreadMethod& OnChange() const { return FOnChange; }
  void SetOnChange(TThreadMethod value);

 private:
  void StartThread();
  void Change();

  TNotifyFilters FFilters = NotifyFilterSet({nfFileNameChange, nfDirNameChange});
  std::string FRoot = "/";
  bool FWatchSubTree = true;
  TThreadMethod FOnChange;
  TbsShellChangeThread* FThread = nullptr;  // under ShellChangeLock: the worker may clear it
};

class TbsShellChangeNotifier : public TbsCustomShellChangeNotifier {
  Q_OBJECT
 public:
  using TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier;
  using TbsCustomShellChangeNotifier::NotifyFilters;
  using TbsCustomShellChangeNotifier::SetNotifyFilters;
  using TbsCustomShellChangeNotifier::Root;
  using TbsCustomShellChangeNotifier::SetRoot;
  using TbsCustomShellChangeNotifier::WatchSubTree;
  using TbsCustomShellChangeNotifier::SetWatchSubTree;
  using TbsCustomShellChangeNotifier::OnChange;
  using TbsCustomShellChangeNotifier::SetOnChange;
};
