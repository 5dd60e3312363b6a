// The font configuration read ahead on a worker is the one the toolkit goes
// on with: starting and waiting any number of times is harmless, and the
// fonts the program asks for by name are found afterwards.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <chrono>
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
