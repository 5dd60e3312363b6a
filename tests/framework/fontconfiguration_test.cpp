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
#include <thread>

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
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setenv("BR_FRESH_READING", "1", 1);
    execl("/proc/self/exe", "framework_tests", "--gtest_filter=FontConfiguration.TheReadingLeavesItsStartersProcessorToIt",
          static_cast<char*>(nullptr));
    _exit(2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the worker was allowed all " << processors << " processors";
}
