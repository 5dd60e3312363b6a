// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as a user starts it, on the real-X run's display.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "../platform/tempfolder.h"
#include "realx.h"

namespace {

QString Xdotool(const QStringList& args) {
  QProcess p;
  p.start("xdotool", args);
  p.waitForFinished(realx::kPatienceMs);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The device-pixel place the X server gives the program's window, or an
// empty rectangle at (-1, -1) while it has none.
QRect ServerGeometry() {
  const QRect none(-1, -1, 0, 0);
  const QString ids = Xdotool({"search", "--onlyvisible", "--name", "^批量修改文件名$"}).trimmed();
  if (ids.isEmpty()) return none;
  const QString geometry = Xdotool({"getwindowgeometry", ids.split('\n').first()});
  const auto at = QRegularExpression("Position: (-?\\d+),(-?\\d+)").match(geometry);
  const auto size = QRegularExpression("Geometry: (\\d+)x(\\d+)").match(geometry);
  if (!at.hasMatch() || !size.hasMatch()) return none;
  return QRect(at.captured(1).toInt(), at.captured(2).toInt(), size.captured(1).toInt(), size.captured(2).toInt());
}
QPoint ServerPosition() { return ServerGeometry().topLeft(); }

// The program's environment on the real-X display, with a home of its own.
QProcessEnvironment ProgramEnvironment(const TempFolder& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(home.Path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.Path() + ".config"));
  env.insert("QT_QPA_PLATFORM", "xcb");
  return env;
}

// At scale two the window, twice its size, would run off a 1280 x 1024
// screen with its close and rename buttons: it opens moved and shrunk into it.
TEST(RealXProgram, AtScaleTwoTheWindowOpensInsideTheScreen) {
  BR_REQUIRE_REAL_X();
  TempFolder home;
  home.MakeDir("Desktop");
  QProcess program;
  QProcessEnvironment env = ProgramEnvironment(home);
  env.insert("QT_SCALE_FACTOR", "2");
  program.setProcessEnvironment(env);
  program.start(BR_PROGRAM);
  ASSERT_TRUE(program.waitForStarted(realx::kPatienceMs));
  ASSERT_TRUE(QTest::qWaitFor([] { return ServerPosition() != QPoint(-1, -1); }, realx::kPatienceMs));
  // The placement check runs once the window is exposed: wait until it has
  // moved the window inside the screen, then see how.
  const QRect screen(0, 0, 1280, 1024);
  QTest::qWaitFor([&] { return screen.contains(ServerGeometry()); }, realx::kPatienceMs);
  const QRect window = ServerGeometry();
  program.kill();
  program.waitForFinished(realx::kPatienceMs);
  EXPECT_TRUE(screen.contains(window)) << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
  // Shrunk no further than the screen asks: the full width, its own height.
  EXPECT_EQ(window.width(), 1280);
  EXPECT_LT(window.height(), 1024);
}

// A Chinese user's window manager reads the title from WM_NAME in the
// locale's encoding: right only when the locale exists and the program uses it.
TEST(RealXProgram, UnderAChineseLocaleTheTitleReachesTheWindowManagerIntact) {
  BR_REQUIRE_REAL_X();
  TempFolder home;
  home.MakeDir("Desktop");
  QProcess program;
  QProcessEnvironment env = ProgramEnvironment(home);
  env.remove("LC_ALL");
  env.remove("LC_MESSAGES");
  env.remove("LC_CTYPE");
  env.insert("LANG", "zh_CN.UTF-8");
  program.setProcessEnvironment(env);
  program.start(BR_PROGRAM);
  ASSERT_TRUE(program.waitForStarted(realx::kPatienceMs));
  ASSERT_TRUE(QTest::qWaitFor([] { return ServerPosition() != QPoint(-1, -1); }, realx::kPatienceMs));
  const QString id = Xdotool({"search", "--onlyvisible", "--name", "^批量修改文件名$"}).trimmed().split('\n').first();
  QProcess xprop;
  xprop.setProcessEnvironment(env);
  xprop.start("xprop", {"-id", id, "WM_NAME"});
  xprop.waitForFinished(realx::kPatienceMs);
  const QString name = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
  program.kill();
  program.waitForFinished(realx::kPatienceMs);
  EXPECT_TRUE(name.endsWith(" = \"批量修改文件名\"")) << name.toStdString();
}

}  // namespace
