// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tthread.h"

#include <QCoreApplication>
#include <QThread>
#include <pthread.h>

#include <chrono>

// One hand-over to the user-interface thread. It is shared with the queued
// call, which may run after the thread object is gone: the call then finds
// `cancelled` and touches nothing else.
struct TThread::SyncCall {
  std::mutex lock;
  std::condition_variable signal;
  TThreadMethod method;
  bool running = false;
  bool done = false;
  bool cancelled = false;
};

namespace {

bool OnUserInterfaceThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

constexpr auto kWaitForSlice = std::chrono::milliseconds(10);  // hand-over check while waiting on the UI thread

}  // namespace

TThread::TThread() = default;

TThread::~TThread() {
  // A thread freed by its owner must not outlive the object it runs on.
  if (FThread.joinable()) {
    if (FThread.get_id() == std::this_thread::get_id()) {
      FThread.detach();
    } else {
      Terminate();
      WaitFor();
    }
  }
}

void TThread::SetFreeOnTerminate(bool value) {
  Q_ASSERT(!FStarted);
  FFreeOnTerminate = value;
}

void TThread::Resume() {
  if (FStarted) return;
  FStarted = true;
  if (FFreeOnTerminate) {
    // Detached before anything else runs: the thread may end and free this
    // object before a member could be touched again.
    std::thread(&TThread::Run, this).detach();
  } else {
    FThread = std::thread(&TThread::Run, this);
  }
}

void TThread::Run() {
  try {
    Execute();
  } catch (...) {
    // An error in a worker has nobody to show it to; the thread just ends.
  }
  {
    std::lock_guard guard(FSyncLock);  // a Terminate still running finishes first
  }
  const bool freeSelf = FFreeOnTerminate;
  FFinished.store(true);
  if (freeSelf) delete this;
}

void TThread::Terminate() {
  // All under the lock that Run takes before the object may go: once the flag
  // is set, a free-on-terminate thread could otherwise end and free itself
  // while this is still touching it.
  std::lock_guard guard(FSyncLock);
  FTerminated.store(true);
  if (FPendingSync) {
    std::lock_guard callGuard(FPendingSync->lock);
    FPendingSync->cancelled = true;
    FPendingSync->signal.notify_all();
  }
  TerminatedSet();
}

void TThread::WaitFor() {
  Q_ASSERT(!FFreeOnTerminate);
  if (!FThread.joinable()) return;
  if (OnUserInterfaceThread()) {
    while (!FFinished.load()) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
      std::this_thread::sleep_for(kWaitForSlice);
    }
  }
  FThread.join();
}

bool TThread::Synchronize(const TThreadMethod& method) {
  if (OnUserInterfaceThread()) {
    method();
    return true;
  }
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  auto call = std::make_shared<SyncCall>();
  call->method = method;
  {
    std::lock_guard guard(FSyncLock);
    if (FTerminated.load()) return false;
    FPendingSync = call;
  }
  QMetaObject::invokeMethod(
      app,
      [call] {
        {
          std::lock_guard guard(call->lock);
          if (call->cancelled) return;
          call->running = true;
        }
        // Not under the lock: the method may terminate this very thread.
        try {
          call->method();
        } catch (...) {
          // The caller guards its handlers; nothing may cross Qt's dispatch.
        }
        std::lock_guard guard(call->lock);
        call->done = true;
        call->signal.notify_all();
      },
      Qt::QueuedConnection);
  bool ran;
  {
    std::unique_lock wait(call->lock);
    // Once the method runs, wait for it even when terminated meanwhile: it may
    // still be using this object.
    call->signal.wait(wait, [&] { return call->done || (call->cancelled && !call->running); });
    ran = call->done;
  }
  std::lock_guard guard(FSyncLock);
  FPendingSync.reset();
  return ran;
}

void TThread::NameThreadForDebugging(const char* name) { pthread_setname_np(pthread_self(), name); }
