// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QTest>
#include <QThread>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>

#include "../../platform/tempfolder.h"
#include "framework/tapplication.h"
#include "platform/dirwatch.h"
#include "platform/wakeevent.h"
#include "skin/shell/tbsshellchangenotifier.h"
#include "skin/shell/tbsshellchangethread.h"

namespace {

constexpr int kTimeoutMs = 10000;
// Long enough for a watch to have gathered and reported a change it saw.
constexpr int kReportWindowMs =
    static_cast<int>((DirWatch::kMaxDelay + DirWatch::kQuietTime).count()) * 3;

int CountEntries(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return -1;
  int count = 0;
  while (const dirent* e = readdir(dir))
    if (e->d_name[0] != '.') ++count;
  closedir(dir);
  return count;
}

// Other threads and descriptors of the process (Qt's pools) come and go on
// their own; these count only the watchers'.
int ThreadCount() {
  int count = 0;
  DIR* dir = opendir("/proc/self/task");
  while (const dirent* e = dir ? readdir(dir) : nullptr) {
    if (e->d_name[0] == '.') continue;
    std::ifstream comm(std::string("/proc/self/task/") + e->d_name + "/comm");
    std::string name;
    std::getline(comm, name);
    if (name == TbsShellChangeThread::kThreadName) ++count;
  }
  if (dir) closedir(dir);
  return count;
}

int DescriptorCount() {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (const dirent* e = dir ? readdir(dir) : nullptr) {
    char target[256] = {};
    const std::string link = std::string("/proc/self/fd/") + e->d_name;
    if (readlink(link.c_str(), target, sizeof target - 1) < 0) continue;
    const std::string kind = target;
    if (kind == "anon_inode:inotify" || kind == "anon_inode:[eventfd]") ++count;
  }
  if (dir) closedir(dir);
  return count;
}

double ProcessCpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// A notifier with a counting handler on a folder of its own.
class Watched {
 public:
  explicit Watched(const std::string& root, bool subTree = false) {
    notifier = std::make_unique<TbsShellChangeNotifier>();
    notifier->SetRoot(root);
    notifier->SetWatchSubTree(subTree);
    notifier->SetOnChange([this] {
      ++calls;
      onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
      if (onCall) onCall();
    });
  }
  // Waits until the handler has run `n` times in all.
  bool WaitForCalls(int n, int timeoutMs = kTimeoutMs) const {
    return QTest::qWaitFor([&] { return calls >= n; }, timeoutMs);
  }

  std::unique_ptr<TbsShellChangeNotifier> notifier;
  int calls = 0;
  bool onUiThread = true;
  std::function<void()> onCall;
};

}  // namespace

TEST(ShellChangeNotifier, FiltersMapToTheChangeFlags) {
  struct Row {
    TNotifyFilter filter;
    uint32_t flag;
  } rows[] = {{nfFileNameChange, 0x1}, {nfDirNameChange, 0x2}, {nfAttributeChange, 0x4},
              {nfSizeChange, 0x8},     {nfWriteChange, 0x10},  {nfSecurityChange, 0x100}};
  for (const Row& row : rows) EXPECT_EQ(NotifyOptionFlagsOf(NotifyFilterSet({row.filter})), row.flag) << row.filter;
  EXPECT_EQ(NotifyOptionFlagsOf(NotifyFilterSet({nfFileNameChange, nfSecurityChange})), 0x101u);
  TbsShellChangeNotifier notifier;
  EXPECT_EQ(notifier.NotifyFilters(), NotifyFilterSet({nfFileNameChange, nfDirNameChange}));
  EXPECT_TRUE(notifier.WatchSubTree());
  EXPECT_EQ(notifier.Root(), "/");
}

TEST(ShellChangeNotifier, HasNoWorkerWithoutOnChangeAndOneAfterItIsSet) {
  TempFolder folder;
  ASSERT_TRUE(QTest::qWaitFor([] { return ThreadCount() == 0; }, kTimeoutMs));  // earlier tests' workers gone
  const int threadsBefore = 0;
  TbsShellChangeNotifier notifier;
  notifier.SetRoot(folder.Path());
  notifier.SetWatchSubTree(false);
  EXPECT_FALSE(notifier.HasWorker());
  EXPECT_EQ(ThreadCount(), threadsBefore);
  notifier.SetOnChange([] {});
  EXPECT_TRUE(notifier.HasWorker());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ThreadCount() == threadsBefore + 1; }, kTimeoutMs));
}

TEST(ShellChangeNotifier, ReportsACreateARenameAndADeleteOnTheUserInterfaceThread) {
  TempFolder folder;
  Watched watched(folder.Path());
  std::chrono::steady_clock::time_point changedAt, reportedAt;
  watched.onCall = [&] { reportedAt = std::chrono::steady_clock::now(); };

  changedAt = std::chrono::steady_clock::now();
  folder.WriteFile("a.txt", "x");
  ASSERT_TRUE(watched.WaitForCalls(1));
  const auto latency = std::chrono::duration_cast<std::chrono::milliseconds>(reportedAt - changedAt);
  std::printf("change to OnChange: %lld ms\n", static_cast<long long>(latency.count()));
  EXPECT_LT(latency.count(), 2000);

  ASSERT_EQ(rename((folder.Path() + "a.txt").c_str(), (folder.Path() + "b.txt").c_str()), 0);
  ASSERT_TRUE(watched.WaitForCalls(2));
  ASSERT_EQ(unlink((folder.Path() + "b.txt").c_str()), 0);
  ASSERT_TRUE(watched.WaitForCalls(3));
  EXPECT_TRUE(watched.onUiThread);
}

TEST(ShellChangeNotifier, SubfoldersAreWatchedOnlyWithWatchSubTree) {
  TempFolder folder;
  folder.MakeDir("sub");
  Watched flat(folder.Path(), false);
  Watched deep(folder.Path(), true);

  folder.WriteFile("sub/inside.txt", "x");
  ASSERT_TRUE(deep.WaitForCalls(1));
  // The flat watch saw the same moment; it had its gathering time to report.
  EXPECT_FALSE(flat.WaitForCalls(1, kReportWindowMs));

  // A folder made after the watch started is watched once its creation is reported.
  folder.MakeDir("later");
  ASSERT_TRUE(deep.WaitForCalls(2));
  ASSERT_TRUE(flat.WaitForCalls(1));  // a folder name changed in the root itself
  folder.WriteFile("later/new.txt", "x");
  EXPECT_TRUE(deep.WaitForCalls(3));
}

TEST(ShellChangeNotifier, ANewRootTakesEffectBeforeTheNextReport) {
  TempFolder a, b;
  Watched witness(a.Path());
  Watched watched(a.Path());
  watched.notifier->SetRoot(b.Path());

  a.WriteFile("old-root.txt", "x");
  ASSERT_TRUE(witness.WaitForCalls(1));
  EXPECT_FALSE(watched.WaitForCalls(1, kReportWindowMs));
  // Watched from the moment SetRoot returned: no waiting for the worker.
  b.WriteFile("new-root.txt", "x");
  EXPECT_TRUE(watched.WaitForCalls(1));
}

TEST(ShellChangeNotifier, TheSameNameInAnotherCaseIsAnotherFolder) {
  TempFolder folder;
  folder.MakeDir("Photos");
  folder.MakeDir("photos");
  Watched watched(folder.Path() + "Photos");
  watched.notifier->SetRoot(folder.Path() + "photos");
  EXPECT_EQ(watched.notifier->Root(), folder.Path() + "photos");
  folder.WriteFile("photos/new.jpg", "x");
  EXPECT_TRUE(watched.WaitForCalls(1));
}

TEST(ShellChangeNotifier, OtherKindsAreReportedWhenAsked) {
  TempFolder folder;
  folder.WriteFile("file.txt", "x");
  Watched watched(folder.Path());
  watched.notifier->SetNotifyFilters(NotifyFilterSet({nfAttributeChange}));
  ASSERT_EQ(chmod((folder.Path() + "file.txt").c_str(), 0600), 0);
  ASSERT_TRUE(watched.WaitForCalls(1));
  watched.notifier->SetNotifyFilters(NotifyFilterSet({nfWriteChange}));
  FILE* file = std::fopen((folder.Path() + "file.txt").c_str(), "a");
  ASSERT_NE(file, nullptr);
  std::fputs("more", file);
  std::fclose(file);
  EXPECT_TRUE(watched.WaitForCalls(2));
}

TEST(ShellChangeNotifier, FreeingTheNotifierEndsItsWorkerPromptlyAndNothingIsCalledAfter) {
  TempFolder folder;
  ASSERT_TRUE(QTest::qWaitFor([] { return ThreadCount() == 0; }, kTimeoutMs));  // earlier tests' workers gone
  const int threadsBefore = 0;
  bool calledAfterFree = false;
  bool freed = false;
  {
    TbsShellChangeNotifier notifier;
    notifier.SetRoot(folder.Path());
    notifier.SetOnChange([&] { calledAfterFree = freed; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ThreadCount() == threadsBefore + 1; }, kTimeoutMs));
    folder.WriteFile("pending.txt", "x");  // a change the worker may be about to hand over
  }
  freed = true;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(QTest::qWaitFor([&] { return ThreadCount() == threadsBefore; }, kTimeoutMs));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LT(took.count(), 1000);
  QTest::qWait(1);
  QCoreApplication::processEvents();
  EXPECT_FALSE(calledAfterFree);
}

TEST(ShellChangeNotifier, ABurstGivesFewCallsAndTheLastOneComesAfterIt) {
  // Enough files that a call per change would be obvious, written for at
  // least ten quiet times, so the burst is far longer than one however fast
  // the disk is.
  constexpr int kMinFiles = 500;
  constexpr auto kMinBurst = DirWatch::kQuietTime * 10;
  TempFolder folder;
  Watched watched(folder.Path());
  int maxSeen = 0;
  watched.onCall = [&] { maxSeen = std::max(maxSeen, CountEntries(folder.Path())); };

  const auto start = std::chrono::steady_clock::now();
  std::atomic<bool> done{false};
  int files = 0;
  std::thread burst([&] {
    int i = 0;
    while (i < kMinFiles || std::chrono::steady_clock::now() - start < kMinBurst)
      folder.WriteFile("f" + std::to_string(i++), "");
    files = i;
    done = true;
  });
  const bool finished = QTest::qWaitFor([&] { return done.load(); }, 60000);
  burst.join();
  ASSERT_TRUE(finished);
  const auto burstMs = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  // A call that saw every file came after the last one.
  ASSERT_TRUE(QTest::qWaitFor([&] { return maxSeen == files; }, kTimeoutMs));
  const int bound = 3 + static_cast<int>(burstMs.count() / (DirWatch::kQuietTime.count()));
  std::printf("%d files in %lld ms: %d calls (bound %d)\n", files, static_cast<long long>(burstMs.count()),
              watched.calls, bound);
  EXPECT_LE(watched.calls, bound);
  EXPECT_LT(watched.calls, files / 20);
}

// A stream that never pauses long enough to count as quiet is still
// reported while it lasts, at least once a longest delay.
TEST(ShellChangeNotifier, AStreamOfChangesWithoutAPauseIsReportedWhileItLasts) {
  TempFolder folder;
  Watched watched(folder.Path());
  std::atomic<bool> done{false};
  int duringStream = 0;
  watched.onCall = [&] { duringStream += done ? 0 : 1; };
  std::thread stream([&] {
    for (int i = 0; i < 100; ++i) {  // one file every 10 ms for a second
      folder.WriteFile("f" + std::to_string(i), "");
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    done = true;
  });
  QTest::qWaitFor([&] { return done.load(); }, 60000);
  stream.join();
  // A second at most a longest delay apart gives about four; two leave room for a loaded machine.
  EXPECT_GE(duringStream, 2) << "reported only once the stream paused";
}

TEST(ShellChangeNotifier, ARootThatCannotBeWatchedEndsTheWorkerAndReportsNothing) {
  TempFolder folder;
  folder.WriteFile("plain.txt", "x");
  ASSERT_TRUE(QTest::qWaitFor([] { return ThreadCount() == 0; }, kTimeoutMs));  // earlier tests' workers gone
  const int threadsBefore = 0;
  for (const std::string& root : {folder.Path() + "missing", folder.Path() + "plain.txt"}) {
    Watched watched(root);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watched.notifier->HasWorker(); }, kTimeoutMs)) << root;
    EXPECT_EQ(watched.calls, 0);
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return ThreadCount() == threadsBefore; }, kTimeoutMs));
}

TEST(ShellChangeNotifier, TheRootGoneIsReportedOnceThenNothingIsWatchedUntilNewOptions) {
  TempFolder folder;
  folder.MakeDir("root");
  TempFolder other;
  Watched watched(folder.Path() + "root");
  ASSERT_EQ(rename((folder.Path() + "root").c_str(), (folder.Path() + "moved").c_str()), 0);
  ASSERT_TRUE(watched.WaitForCalls(1));
  // Changes in the moved folder are no longer ours, and the worker idles.
  const double cpuBefore = ProcessCpuSeconds();
  folder.WriteFile("moved/after.txt", "x");
  EXPECT_FALSE(watched.WaitForCalls(2, kReportWindowMs));
  EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.5 * kReportWindowMs / 1000.0);
  EXPECT_EQ(watched.calls, 1);
  EXPECT_TRUE(watched.notifier->HasWorker());

  watched.notifier->SetRoot(other.Path());
  other.WriteFile("again.txt", "x");
  EXPECT_TRUE(watched.WaitForCalls(2));
}

TEST(ShellChangeNotifier, ThousandsOfNotifiersLeaveNoThreadOrDescriptorBehind) {
  TempFolder folder;
  ASSERT_TRUE(QTest::qWaitFor([] { return ThreadCount() == 0; }, kTimeoutMs));  // earlier tests' workers gone
  const int threadsBefore = 0;
  const int descriptorsBefore = DescriptorCount();
  for (int i = 0; i < 2000; ++i) {
    TbsShellChangeNotifier notifier;
    notifier.SetRoot(folder.Path());
    notifier.SetOnChange([] {});
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return ThreadCount() == threadsBefore; }, kTimeoutMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return DescriptorCount() <= descriptorsBefore; }, kTimeoutMs));
}

TEST(DirWatch, AtTheWatchLimitWhatFitsIsWatchedAndAnUnwatchableFolderIsAChange) {
  TempFolder folder;
  for (const char* name : {"a", "b", "c", "d"}) folder.MakeDir(name);
  WakeEvent wake;
  DirWatch watch;
  watch.SetMaxWatches(3);
  ASSERT_TRUE(watch.Open(folder.Path(), true, kChangeFileName));
  EXPECT_TRUE(watch.Incomplete());
  EXPECT_EQ(watch.WatchCount(), 3u);
  // Only file names are asked for, yet a folder that cannot be watched is reported.
  folder.MakeDir("e");
  EXPECT_EQ(watch.Wait(wake.Fd()), DirWatch::WaitResult::Change);
  folder.WriteFile("root.txt", "x");
  EXPECT_EQ(watch.Wait(wake.Fd()), DirWatch::WaitResult::Change);
  wake.Signal();
  EXPECT_EQ(watch.Wait(wake.Fd()), DirWatch::WaitResult::Woken);
}

TEST(DirWatch, FoldersMovedOutOfTheTreeAreDropped) {
  TempFolder folder, outside;
  folder.MakeDir("a");
  folder.MakeDir("a/b");
  WakeEvent wake;
  DirWatch watch;
  ASSERT_TRUE(watch.Open(folder.Path(), true, kChangeFileName | kChangeDirName));
  EXPECT_EQ(watch.WatchCount(), 3u);
  ASSERT_EQ(rename((folder.Path() + "a").c_str(), (outside.Path() + "a").c_str()), 0);
  EXPECT_EQ(watch.Wait(wake.Fd()), DirWatch::WaitResult::Change);
  EXPECT_EQ(watch.WatchCount(), 1u);
  ASSERT_EQ(rename((outside.Path() + "a").c_str(), (folder.Path() + "back").c_str()), 0);
  EXPECT_EQ(watch.Wait(wake.Fd()), DirWatch::WaitResult::Change);
  EXPECT_EQ(watch.WatchCount(), 3u);
}

// When the kernel's queue overflows, events were lost, so the watch reports
// a change even though every event it did read was of a kind not asked for.
TEST(DirWatch, AnOverflowedQueueIsAChange) {
  std::ifstream limitFile("/proc/sys/fs/inotify/max_queued_events");
  long limit = 0;
  ASSERT_TRUE(limitFile >> limit);
  ASSERT_LE(limit, 1000000) << "the queue limit is too large to overflow in a test";
  TempFolder folder;
  folder.WriteFile("a", "");
  WakeEvent wake;
  DirWatch watch;
  ASSERT_TRUE(watch.Open(folder.Path(), false, kChangeDirName));
  // One file renamed back and forth queues two file events a rename, never
  // two alike in a row (the kernel would merge those), and leaves a single
  // file to clean up.
  const std::string names[2] = {folder.Path() + "a", folder.Path() + "b"};
  for (long i = 0; i <= limit / 2; ++i) ASSERT_EQ(rename(names[i % 2].c_str(), names[(i + 1) % 2].c_str()), 0);
  // Without the overflow the wait would only end at the wake-up, which comes
  // when the wait is over or at the latest after kTimeoutMs.
  std::mutex mutex;
  std::condition_variable waited;
  bool over = false;
  std::thread waker([&] {
    std::unique_lock lock(mutex);
    waited.wait_for(lock, std::chrono::milliseconds(kTimeoutMs), [&] { return over; });
    wake.Signal();
  });
  EXPECT_EQ(watch.Wait(wake.Fd()), DirWatch::WaitResult::Change);
  {
    std::lock_guard lock(mutex);
    over = true;
  }
  waited.notify_one();
  waker.join();
}

TEST(ShellChangeNotifier, AnErrorInOnChangeIsShownAndWatchingGoesOn) {
  TempFolder folder;
  std::vector<std::string> errors;
  Application()->OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
  Watched watched(folder.Path());
  watched.onCall = [] { throw std::runtime_error("Refresh failed"); };
  folder.WriteFile("one.txt", "x");
  ASSERT_TRUE(watched.WaitForCalls(1));
  folder.WriteFile("two.txt", "x");
  EXPECT_TRUE(watched.WaitForCalls(2));
  Application()->OnException = nullptr;
  ASSERT_GE(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Refresh failed");
}
