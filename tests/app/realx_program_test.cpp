// The real program started as a user starts it, on the real-X run's display.

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "../platform/tempfolder.h"
#include "realx.h"

namespace {

QString Run(const QStringList& args) {
  QProcess p;
  p.start("xdotool", args);
  p.waitForFinished(5000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The device-pixel position the X server gives the program's window, or
// (-1, -1) while it has none.
QPoint ServerPosition() {
  const QString ids = Run({"search", "--onlyvisible", "--name", "^批量修改文件名$"}).trimmed();
  if (ids.isEmpty()) return {-1, -1};
  const QString geometry = Run({"getwindowgeometry", ids.split('\n').first()});
  const auto m = QRegularExpression("Position: (-?\\d+),(-?\\d+)").match(geometry);
  return m.hasMatch() ? QPoint(m.captured(1).toInt(), m.captured(2).toInt()) : QPoint(-1, -1);
}

TEST(RealXProgram, AtScaleTwoTheWindowStaysWhereItWasPlaced) {
  BR_REQUIRE_REAL_X();
  TempFolder home;
  home.MakeDir("Desktop");
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(home.Path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.Path() + ".config"));
  env.insert("QT_SCALE_FACTOR", "2");
  env.insert("QT_QPA_PLATFORM", "xcb");
  program.setProcessEnvironment(env);
  program.start(BR_PROGRAM);
  ASSERT_TRUE(program.waitForStarted(5000));
  ASSERT_TRUE(QTest::qWaitFor([] { return ServerPosition() != QPoint(-1, -1); }, 10000));
  // The placement check runs once the window is exposed; give it time to act.
  QTest::qWait(1500);
  const QPoint at = ServerPosition();
  program.kill();
  program.waitForFinished(5000);
  // Laid out at (204, 165) logical pixels: (408, 330) on the server. Reading
  // the server's device pixels as logical ones moved it to (816, 660).
  EXPECT_NEAR(at.x(), 408, 2);
  EXPECT_NEAR(at.y(), 330, 2);
}

}  // namespace
