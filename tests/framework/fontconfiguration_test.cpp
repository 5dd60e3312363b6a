// The font configuration read ahead on a worker is the one the toolkit goes
// on with: starting and waiting any number of times is harmless, and the
// fonts the program asks for by name are found afterwards.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
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
