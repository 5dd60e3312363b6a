// SPDX-License-Identifier: GPL-3.0-or-later
// Reads under a deadline, on a real FUSE mount that never answers: a read
// there is given up at its deadline and left running, the mount is asked no
// more while it runs, one action's reads share one deadline, a slow read
// that keeps answering is waited for, and reads of local places run at once.

#include <atomic>
#include <future>
#include <thread>

#include "hungmount.h"
#include "platform/readintime.h"

using namespace hungmount;
using namespace std::chrono_literals;

namespace {
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Waits until `done` holds, at most `limit`.
template <class F>
bool Eventually(F done, std::chrono::milliseconds limit = 3000ms) {
  const auto end = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

constexpr long long kSlackMs = 400;  // what a wait may overrun by on a loaded shared machine
}  // namespace

TEST(ReadInTime, AReadThatDoesNotAnswerIsGivenUpAtTheDeadlineAndItsMountIsAskedNoMoreUntilItAnswers) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;

  // The read waits on a gate, as a read of a dead server would; what it
  // writes afterwards goes into state it co-owns.
  std::promise<void> gate;
  std::shared_future<void> opened = gate.get_future().share();
  auto late = std::make_shared<std::atomic<bool>>(false);
  auto start = Clock::now();
  bool answered;
  {
    const TReadDeadline deadline(200ms);
    answered = ReadInTime("/mnt/hung/a", [opened, late](TReadProgress&) {
      opened.wait();
      *late = true;
    });
  }
  EXPECT_FALSE(answered);
  EXPECT_GE(MsSince(start), 190);
  EXPECT_LT(MsSince(start), 200 + kSlackMs);
  EXPECT_EQ(UnansweredReads(), 1);
  // The whole mount is remembered, not only the path that hung.
  EXPECT_TRUE(IsUnanswering("/mnt/hung"));
  EXPECT_TRUE(IsUnanswering("/mnt/hung/b/c"));
  EXPECT_FALSE(IsUnanswering("/mnt"));

  // Asked again, the mount is refused at once and nothing more waits on it.
  std::atomic<int> ran{0};
  start = Clock::now();
  EXPECT_FALSE(ReadInTime("/mnt/hung/b", [&ran](TReadProgress&) { ++ran; }));
  EXPECT_FALSE(AnswerInTime<int>("/mnt/hung", [] { return 1; }).has_value());
  EXPECT_LT(MsSince(start), 50);
  EXPECT_EQ(ran, 0);
  EXPECT_EQ(UnansweredReads(), 1);

  // A local place is read at once, on this thread, unaffected.
  std::thread::id where;
  EXPECT_TRUE(ReadInTime("/mnt", [&where](TReadProgress& p) {
    where = std::this_thread::get_id();
    EXPECT_TRUE(p.Direct());
  }));
  EXPECT_EQ(where, std::this_thread::get_id());

  // Once the read answers after all, the mount is asked again, on a worker.
  gate.set_value();
  EXPECT_TRUE(Eventually([] { return UnansweredReads() == 0; }));
  EXPECT_TRUE(*late);
  EXPECT_FALSE(IsUnanswering("/mnt/hung"));
  const std::optional<std::thread::id> worker =
      AnswerInTime<std::thread::id>("/mnt/hung", [] { return std::this_thread::get_id(); });
  ASSERT_TRUE(worker.has_value());
  EXPECT_NE(*worker, std::this_thread::get_id());
}

TEST(ReadInTime, TheReadsOfOneActionShareOneDeadline) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount one("/mnt/one");
  ASSERT_TRUE(one.Ok()) << one.Error;
  HungMount two("/mnt/two");
  ASSERT_TRUE(two.Ok()) << two.Error;

  std::promise<void> gate;
  std::shared_future<void> opened = gate.get_future().share();
  const auto start = Clock::now();
  long long second = 0;
  {
    const TReadDeadline deadline(300ms);
    EXPECT_FALSE(ReadInTime("/mnt/one", [opened](TReadProgress&) { opened.wait(); }));
    const auto before = Clock::now();
    // The second mount gets only the short grace left after the shared deadline.
    EXPECT_FALSE(ReadInTime("/mnt/two", [opened](TReadProgress&) { opened.wait(); }));
    second = MsSince(before);
  }
  EXPECT_LT(MsSince(start), 300 + kLateReadGrace.count() + kSlackMs);
  EXPECT_GE(second, kLateReadGrace.count() - 10);
  EXPECT_LT(second, 300);
  EXPECT_EQ(UnansweredReads(), 2);  // one per mount
  gate.set_value();
  EXPECT_TRUE(Eventually([] { return UnansweredReads() == 0; }));
}

TEST(ReadInTime, AReadThatKeepsAnsweringIsWaitedForPastTheDeadline) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount slow("/mnt/slow");
  ASSERT_TRUE(slow.Ok()) << slow.Error;

  const auto start = Clock::now();
  const TReadDeadline deadline(200ms);
  // Stepping every 50 ms for 800 ms: four times the deadline, yet never silent for long.
  EXPECT_TRUE(ReadInTime("/mnt/slow", [](TReadProgress& p) {
    for (int i = 0; i < 16; ++i) {
      std::this_thread::sleep_for(50ms);
      p.Step();
    }
  }));
  EXPECT_GE(MsSince(start), 800);
  EXPECT_EQ(UnansweredReads(), 0);
}

// The working directory a started program inherits is changed under the same
// deadline: a mount that does not answer is given up, and a change that comes
// after all once it answers is undone, so the program stays where it was.
TEST(ReadInTime, AWorkingDirectoryOnAnUnansweringMountIsGivenUpAndNeverTakenLate) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;
  const auto cwd = [] {
    char buffer[4096];
    return std::string(getcwd(buffer, sizeof buffer) ? buffer : "");
  };
  ASSERT_EQ(chdir("/mnt"), 0);
  {
    const TReadDeadline deadline(200ms);
    EXPECT_FALSE(ChangeDirectoryInTime("/mnt/hung"));
  }
  EXPECT_EQ(cwd(), "/mnt");
  EXPECT_EQ(UnansweredReads(), 1);

  hung.Answer();
  EXPECT_TRUE(Eventually([] { return UnansweredReads() == 0; }));
  EXPECT_EQ(cwd(), "/mnt");
  EXPECT_TRUE(ChangeDirectoryInTime("/mnt/hung"));
  EXPECT_EQ(cwd(), "/mnt/hung");
  ASSERT_EQ(chdir("/"), 0);
}
