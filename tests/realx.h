// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Suites named RealX* or RealInput* drive real windows on an X server. They
// run only in the real-X run (scripts/realx.sh: Xvfb, openbox, BR_REAL_X=1,
// QT_QPA_PLATFORM=xcb), where a skipped test fails the run; the offscreen run
// leaves them out. Start each such test with BR_REQUIRE_REAL_X().

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <string>

namespace realx {

// How long a real-X test waits for what the X server, the window manager or
// another program does. Each wait ends as soon as the thing it waits for is
// there, so the limit costs nothing when all is well; it only has to outlast
// any delay a loaded machine can cause (scripts/realx-loop.sh checks that).
inline constexpr int kPatienceMs = 30000;

// Why this process cannot run a real-X test, or empty when it can.
inline std::string Missing() {
  if (qgetenv("BR_REAL_X") != "1") return "BR_REAL_X=1 is not set (scripts/realx.sh sets it)";
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return "no DISPLAY";
  if (QGuiApplication::platformName() != "xcb") return "the platform is not xcb";
  if (QStandardPaths::findExecutable("xdotool").isEmpty()) return "xdotool is not installed";
  return {};
}

// Runs xdotool with `args` (real pointer and keys, or questions to the X
// server) and returns once the program has the events it made: xdotool's
// requests are done when it has ended, and a round trip on the program's
// own connection brings in every event the server sent before it.
inline void Xdo(const QStringList& args) {
  QProcess xdotool;
  xdotool.start("xdotool", args);
  ASSERT_TRUE(xdotool.waitForFinished(kPatienceMs));
  QGuiApplication::sync();
  QCoreApplication::processEvents();
}

// Gives `window` the focus: asked of the window manager first, and where it
// refuses (a program only just started) by a click at `inside()` (screen
// pixels, where the server has the window) as a user would. The caller
// asserts the outcome.
template <class F>
void Activate(QWidget& window, F inside) {
  for (QDeadlineTimer patience(kPatienceMs); !window.isActiveWindow() && !patience.hasExpired();) {
    window.activateWindow();
    if (QTest::qWaitFor([&] { return window.isActiveWindow(); }, 300)) break;
    const QPoint at = inside();
    Xdo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    Xdo({"click", "1"});
    (void)QTest::qWaitFor([&] { return window.isActiveWindow(); }, 500);
  }
}

}  // namespace realx

#define BR_REQUIRE_REAL_X()                                                       \
  do {                                                                            \
    if (const std::string why = realx::Missing(); !why.empty()) GTEST_SKIP() << why; \
  } while (0)
