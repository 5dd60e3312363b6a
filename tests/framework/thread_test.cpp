// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <functional>

#include "framework/tthread.h"

namespace {

constexpr int kTimeoutMs = 10000;

// Runs a test-supplied body; exposes the protected Synchronize to it.
class TestThread : public TThread {
 public:
  std::function<void(TestThread&)> body;
  std::atomic<bool>* destroyed = nullptr;
  ~TestThread() override {
    if (!FreeOnTerminate()) {
      Terminate();
      WaitFor();
    }
    if (destroyed) destroyed->store(true);
  }
  bool Sync(const TThreadMethod& method) { return Synchronize(method); }

 protected:
  void Execute() override { body(*this); }
};

}  // namespace

TEST(Thread, RunsOnlyAfterResumeAndEndsOnTheTerminationFlag) {
  std::atomic<bool> started{false};
  std::atomic<bool> sawFlag{false};
  TestThread thread;
  thread.body = [&](TestThread& self) {
    started = true;
    while (!self.Terminated()) QThread::yieldCurrentThread();
    sawFlag = true;
  };
  QCoreApplication::processEvents();
  EXPECT_FALSE(started.load());
  thread.Resume();
  ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }, kTimeoutMs));
  EXPECT_FALSE(thread.Finished());
  thread.Terminate();
  thread.WaitFor();
  EXPECT_TRUE(sawFlag.load());
  EXPECT_TRUE(thread.Finished());
}

TEST(Thread, SynchronizeRunsOnTheUserInterfaceThreadAndWaitsForIt) {
  Qt::HANDLE ranOn = nullptr;
  std::atomic<int> afterCall{-1};
  int value = 0;
  TestThread thread;
  thread.body = [&](TestThread& self) {
    const bool ran = self.Sync([&] {
      ranOn = QThread::currentThreadId();
      value = 42;
    });
    // Written after the call returned: the call has completed by then.
    afterCall = ran ? value : 0;
  };
  thread.Resume();
  ASSERT_TRUE(QTest::qWaitFor([&] { return afterCall.load() != -1; }, kTimeoutMs));
  thread.WaitFor();
  EXPECT_EQ(afterCall.load(), 42);
  EXPECT_EQ(ranOn, QThread::currentThreadId());
}

TEST(Thread, TerminateDropsAHandOverNotYetRun) {
  std::atomic<bool> aboutToSync{false};
  std::atomic<int> result{-1};
  bool methodRan = false;
  TestThread thread;
  thread.body = [&](TestThread& self) {
    aboutToSync = true;
    result = self.Sync([&] { methodRan = true; }) ? 1 : 0;
  };
  thread.Resume();
  // No events are processed here, so the hand-over cannot run before Terminate.
  while (!aboutToSync.load()) QThread::yieldCurrentThread();
  thread.Terminate();
  thread.WaitFor();
  QCoreApplication::processEvents();
  EXPECT_EQ(result.load(), 0);
  EXPECT_FALSE(methodRan);
}

TEST(Thread, TerminateInsideTheHandOverWaitsForItToFinish) {
  std::atomic<int> result{-1};
  TestThread thread;
  int steps = 0;
  thread.body = [&](TestThread& self) {
    result = self.Sync([&] {
      self.Terminate();  // the worker must not go on while this still runs
      ++steps;
    }) ? 1 : 0;
  };
  thread.Resume();
  ASSERT_TRUE(QTest::qWaitFor([&] { return result.load() != -1; }, kTimeoutMs));
  thread.WaitFor();
  EXPECT_EQ(result.load(), 1);
  EXPECT_EQ(steps, 1);
}

TEST(Thread, FreeOnTerminateDeletesItselfWhenExecuteEnds) {
  std::atomic<bool> destroyed{false};
  auto* thread = new TestThread;
  thread->destroyed = &destroyed;
  thread->SetFreeOnTerminate(true);
  thread->body = [](TestThread& self) {
    while (!self.Terminated()) QThread::yieldCurrentThread();
  };
  thread->Resume();
  thread->Terminate();  // the last touch: it may be gone right after
  EXPECT_TRUE(QTest::qWaitFor([&] { return destroyed.load(); }, kTimeoutMs));
}

TEST(Thread, AnOwnedThreadIsStoppedAndJoinedWhenFreed) {
  std::atomic<bool> ended{false};
  {
    TestThread thread;
    thread.body = [&](TestThread& self) {
      while (!self.Terminated()) QThread::yieldCurrentThread();
      ended = true;
    };
    thread.Resume();
  }
  EXPECT_TRUE(ended.load());
}
