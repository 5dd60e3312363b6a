// SPDX-License-Identifier: GPL-3.0-or-later
// The frame under a window manager, driven by real pointer input from the X
// server (xdotool): right after the first show the caption buttons light up
// and answer where the pointer really is, wherever the manager put the window.

#include <gtest/gtest.h>

#include <QProcess>
#include <QScreen>

#include "formtesthelpers.h"
#include "realx.h"
#include "skin/form/tbsskinstdbuttonobject.h"

using namespace formtest;

namespace {

QPoint Centre(const TbsActiveSkinObject* o) {
  return QPoint((o->Bounds.Left + o->Bounds.Right) / 2, (o->Bounds.Top + o->Bounds.Bottom) / 2);
}

QString Xdotool(const QStringList& args) {
  QProcess p;
  p.start("xdotool", args);
  p.waitForFinished(realx::kPatienceMs);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Where the X server has the window's top-left on the screen: asked of the
// server itself, not of Qt, so a stale position on our side shows.
QPoint ServerPosition(const QWidget& w) {
  const QString out = Xdotool({"getwindowgeometry", "--shell", QString::number(w.winId())});
  int x = INT_MIN, y = INT_MIN;
  for (const QString& line : out.split('\n')) {
    if (line.startsWith("X=")) x = line.mid(2).toInt();
    if (line.startsWith("Y=")) y = line.mid(2).toInt();
  }
  return QPoint(x, y);
}

// The pointer goes to window point `p` of `w`, on the screen as the server has it.
void PointerTo(const QWidget& w, const QPoint& p) {
  const QPoint at = ServerPosition(w) + p;
  // Not --sync: that waits for ever when the pointer is there already.
  Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
  QTest::qWaitFor([&] { return QCursor::pos() == at; }, realx::kPatienceMs);
}

// What the X server shows at window point `p` of `w`: the screen, not the widget's own paint.
QRgb ScreenPixel(const QWidget& w, const QPoint& p) {
  const QPoint at = ServerPosition(w) + p;
  return w.screen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixel(0, 0);
}

// Buttons in the active picture: column `column`, row `look` (0 normal, 1 hot, 2 pressed).
QRgb LookAt(int column, int look) { return ButtonPixel(column * kButton + 1, look * kButtonH + 1); }

// Shown and active, as right after a map: the window manager may have
// placed it without telling us; the frame must still answer the real pointer.
void ShowAndActivate(TForm& form) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, realx::kPatienceMs));
  EXPECT_EQ(form.geometry().topLeft(), ServerPosition(form)) << "known where the window really is once it shows";
  // A window manager may refuse an application's own request for the focus
  // (one only just started): then the user clicks into the window.
  realx::Activate(form, [&] { return ServerPosition(form) + QPoint(200, 150); });
  ASSERT_TRUE(form.isActiveWindow());
}

struct RealXFrame : ::testing::Test {
  void SetUp() override {
    BR_REQUIRE_REAL_X();
    form.SetBounds(50, 40, 400, 300);
    frame = new TbsSkinFrame(&form);
    auto* data = new TbsSkinData(&form);
    frame->SetSkinData(data);
    LoadSkin(*data, FrameSkin());
    form.SetCaption("Frame");
    form.OnClose = [this](TCloseAction& action) {
      ++closeAsked;
      action = caNone;
    };
    close = dynamic_cast<TbsSkinStdButtonObject*>(frame->FindObject("closebutton"));
    max = dynamic_cast<TbsSkinStdButtonObject*>(frame->FindObject("maxbutton"));
    ASSERT_TRUE(close && max);
  }
  // The pointer over the maximise button lights it, in the frame and on the screen.
  void HoverLightsMax() {
    const QPoint server = ServerPosition(form);
    PointerTo(form, Centre(max));
    EXPECT_TRUE(QTest::qWaitFor([&] { return max->Hot; }, realx::kPatienceMs))
        << "the window is at " << server.x() << "," << server.y() << " on the server, at " << form.pos().x()
        << "," << form.pos().y() << " for us";
    EXPECT_FALSE(close->Hot);
    // The repaint reaches the screen a little later.
    const QPoint at(max->Bounds.Left + 1, max->Bounds.Top + 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ScreenPixel(form, at) == LookAt(1, 1); }, realx::kPatienceMs))
        << "the hot look on the screen";
  }
  TForm form;
  TbsSkinFrame* frame = nullptr;
  TbsSkinStdButtonObject *close = nullptr, *max = nullptr;
  int closeAsked = 0;
};

TEST_F(RealXFrame, CaptionButtonsAnswerTheRealPointerRightAfterTheFirstShow) {
  ShowAndActivate(form);
  HoverLightsMax();

  PointerTo(form, Centre(close));
  EXPECT_TRUE(QTest::qWaitFor([&] { return close->Hot && !max->Hot; }, realx::kPatienceMs));
  Xdotool({"click", "1"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return closeAsked == 1; }, realx::kPatienceMs)) << "the close command ran";
  EXPECT_FALSE(close->Down);

  // Pressed on the close button, released off it: no command.
  Xdotool({"mousedown", "1"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return close->Down; }, realx::kPatienceMs));
  PointerTo(form, QPoint(200, 150));
  Xdotool({"mouseup", "1"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return !close->Down; }, realx::kPatienceMs));
  EXPECT_EQ(closeAsked, 1);
}

TEST_F(RealXFrame, EveryMapIsCheckedAgain) {
  for (int map = 0; map < 4; ++map) {
    SCOPED_TRACE(map);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, realx::kPatienceMs));
    const QPoint server = ServerPosition(form);
    EXPECT_EQ(form.geometry().topLeft(), server);
    // The frame takes a screen point to the window point the server means.
    const QPoint c = Centre(max);
    const TPoint p = frame->WindowPoint(server.x() + c.x(), server.y() + c.y());
    EXPECT_EQ(QPoint(p.X, p.Y), c);
    form.hide();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.windowHandle()->isExposed(); }, realx::kPatienceMs));
  }
}

}  // namespace
