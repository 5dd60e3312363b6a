// SPDX-License-Identifier: GPL-3.0-or-later
// The font configuration read ahead on a worker is the one the toolkit goes
// on with: starting and waiting any number of times is harmless, and the
// fonts the program asks for by name are found afterwards.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "framework/tfont.h"
#include "framework/tfontconfiguration.h"

TEST(FontConfiguration, ReadingAheadTwiceFromTwoThreadsLeavesTheToolkitItsFonts) {
  std::thread other([] {
    TFontConfiguration::Start();
    TFontConfiguration::Wait();
  });
  TFontConfiguration::Start();
  TFontConfiguration::Wait();
  other.join();
  TFontConfiguration::Wait();  // nothing left to wait for
  EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
  // The layout's face names still reach their metric-compatible families.
  EXPECT_EQ(QFontInfo(TFont("MS Sans Serif", -11).ToQFont()).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(QFontInfo(TFont("Arial", 14).ToQFont()).pixelSize(), 14);
}

TEST(FontConfiguration, TheWorkAfterTheReadingRunsOnTheWorkerWithoutHoldingUpTheWait) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::promise<std::thread::id> ranOn;
  std::future<std::thread::id> ran = ranOn.get_future();
  // Whether or not an earlier start read the configuration, the work runs.
  TFontConfiguration::Start([&] {
    released.wait();
    ranOn.set_value(std::this_thread::get_id());
  });
  TFontConfiguration::Wait();  // returns although the work after it is still held
  EXPECT_EQ(ran.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
  release.set_value();
  ASSERT_EQ(ran.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_NE(ran.get(), std::this_thread::get_id());
}

// Runs one test of this file in a process of its own, in which no reading
// has been started yet; true when it passed.
bool PassesInAFreshProcess(const char* test) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setenv("BR_FRESH_READING", "1", 1);
    const std::string filter = std::string("--gtest_filter=FontConfiguration.") + test;
    execl("/proc/self/exe", "framework_tests", filter.c_str(), static_cast<char*>(nullptr));
    _exit(2);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The waiting thread does the work it was given while the reading goes on,
// once: work given after that first wait, or with no reading to wait for, is
// dropped.
TEST(FontConfiguration, TheFirstWaitDoesTheWorkGivenForItWhileTheReadingGoesOn) {
  if (!getenv("BR_FRESH_READING")) {
    EXPECT_TRUE(PassesInAFreshProcess("TheFirstWaitDoesTheWorkGivenForItWhileTheReadingGoesOn"));
    return;
  }
  const std::thread::id self = std::this_thread::get_id();
  std::vector<std::thread::id> ran;
  TFontConfiguration::Start();
  // Reading the configuration files takes milliseconds; this wait comes at once.
  TFontConfiguration::WhileWaiting([&] { ran.push_back(std::this_thread::get_id()); });
  TFontConfiguration::WhileWaiting([&] { ran.push_back(std::this_thread::get_id()); });
  TFontConfiguration::Wait();
  ASSERT_EQ(ran.size(), 2u);
  EXPECT_EQ(ran[0], self);
  EXPECT_EQ(ran[1], self);
  TFontConfiguration::WhileWaiting([&] { ran.push_back(std::this_thread::get_id()); });
  TFontConfiguration::Wait();
  EXPECT_EQ(ran.size(), 2u) << "work given after the first wait";
}

TEST(FontConfiguration, WorkForAWaitThatNeverComesIsDropped) {
  if (!getenv("BR_FRESH_READING")) {
    EXPECT_TRUE(PassesInAFreshProcess("WorkForAWaitThatNeverComesIsDropped"));
    return;
  }
  bool ran = false;
  TFontConfiguration::WhileWaiting([&] { ran = true; });  // no reading started
  TFontConfiguration::Wait();
  TFontConfiguration::Start();
  TFontConfiguration::Wait();
  EXPECT_FALSE(ran);
}

// The reading runs beside the thread that starts it, not queued behind it:
// its worker leaves out its starter's processor when it may use another.
// Checked in a fresh run of this test alone: this process may have started
// its reading already.
TEST(FontConfiguration, TheReadingLeavesItsStartersProcessorToIt) {
  cpu_set_t allowed;
  ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
  const int processors = CPU_COUNT(&allowed);
  if (getenv("BR_FRESH_READING")) {
    std::promise<int> count;
    std::future<int> counted = count.get_future();
    TFontConfiguration::Start([&] {
      cpu_set_t mine;
      count.set_value(sched_getaffinity(0, sizeof mine, &mine) == 0 ? CPU_COUNT(&mine) : -1);
    });
    const int seen = counted.get();
    _exit(seen == (processors > 1 ? processors - 1 : processors) ? 0 : 1);
  }
  EXPECT_TRUE(PassesInAFreshProcess("TheReadingLeavesItsStartersProcessorToIt"))
      << "the worker was allowed all " << processors << " processors";
}
