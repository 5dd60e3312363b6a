// SPDX-License-Identifier: GPL-3.0-or-later
// The system menu under a window manager, driven by real pointer and key
// input from the X server (xdotool): the system-menu button opens the
// skinned menu right under it, an item chosen by the pointer runs, Escape
// closes the menu and lets the button go, and a right click on the caption
// opens the menu at the pointer.

#include <gtest/gtest.h>

#include <QProcess>

#include "formtesthelpers.h"
#include "realx.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "skin/form/tbsskinstdbuttonobject.h"

using namespace formtest;

namespace {

void Xdotool(const QStringList& args) {
  QProcess p;
  p.start("xdotool", args);
  p.waitForFinished(realx::kPatienceMs);
}

// Where the X server has the window's top-left: asked of the server, since
// a window manager may have moved the window without our knowing yet.
QPoint ServerPosition(const QWidget& w) {
  QProcess p;
  p.start("xdotool", {"getwindowgeometry", "--shell", QString::number(w.winId())});
  p.waitForFinished(realx::kPatienceMs);
  int x = 0, y = 0;
  for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
    if (line.startsWith("X=")) x = line.mid(2).toInt();
    if (line.startsWith("Y=")) y = line.mid(2).toInt();
  }
  return QPoint(x, y);
}

void PointerToScreen(const QPoint& at) {
  Xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
}

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

struct RealXSystemMenu : ::testing::Test {
  void SetUp() override {
    BR_REQUIRE_REAL_X();
    form.SetBounds(120, 100, 420, 300);
    frame = new TbsSkinFrame(&form);
    auto* data = new TbsSkinData(&form);
    frame->SetSkinData(data);
    LoadSkin(*data, FrameSkin());
    form.SetCaption("System menu");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, realx::kPatienceMs));
    realx::Activate(form, [&] { return ServerPosition(form) + QPoint(200, 150); });
    ASSERT_TRUE(form.isActiveWindow());
    button = dynamic_cast<TbsSkinStdButtonObject*>(frame->FindObject("sysmenubutton"));
    ASSERT_NE(button, nullptr);
  }
  TbsSkinPopupWindow* Menu() { return frame->SkinMenu()->Window(0); }
  bool WaitOpen() {
    return QTest::qWaitFor([&] { return Menu() && Menu()->isVisible() && Menu()->windowHandle()->isExposed(); }, realx::kPatienceMs);
  }
  // Clicks the system-menu button where the server shows it.
  void ClickButton() {
    PointerToScreen(ServerPosition(form) + Centre(button->Bounds));
    Xdotool({"click", "1"});
  }
  TForm form;
  TbsSkinFrame* frame = nullptr;
  TbsSkinStdButtonObject* button = nullptr;
};

TEST_F(RealXSystemMenu, TheButtonOpensTheMenuUnderItAndEscapeClosesItAndReleasesTheButton) {
  ClickButton();
  ASSERT_TRUE(WaitOpen());
  const QPoint origin = ServerPosition(form);
  EXPECT_EQ(Menu()->pos(), origin + QPoint(button->Bounds.Left, button->Bounds.Bottom));
  EXPECT_TRUE(button->Down);
  EXPECT_TRUE(frame->InMenuMode());
  Xdotool({"key", "Escape"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->SkinMenu()->IsOpen(); }, realx::kPatienceMs));
  EXPECT_FALSE(button->Down);
  EXPECT_FALSE(frame->InMenuMode());
  // The caption still answers: a right click on it opens the menu at the pointer.
  const QPoint at = ServerPosition(form) + Centre(frame->SizedCaptionRect());
  PointerToScreen(at);
  Xdotool({"click", "3"});
  ASSERT_TRUE(WaitOpen());
  EXPECT_EQ(Menu()->pos(), at);
  Xdotool({"key", "Escape"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->SkinMenu()->IsOpen(); }, realx::kPatienceMs));
}

TEST_F(RealXSystemMenu, ClickingMaximizeInTheMenuMaximisesTheWindow) {
  ClickButton();
  ASSERT_TRUE(WaitOpen());
  TbsSkinPopupWindow* menu = Menu();
  int index = -1;
  for (int i = 0; i < menu->ItemCount(); ++i)
    if (menu->Item(i).Caption() == "Ma&ximize") index = i;
  ASSERT_GE(index, 0);
  const TRect item = menu->ItemScreenRect(index);
  PointerToScreen(Centre(item));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Menu() && Menu()->ActiveItem() == index; }, realx::kPatienceMs)) << "the row under the pointer lights";
  Xdotool({"click", "1"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->WindowState() == bswsMaximized; }, realx::kPatienceMs));
  EXPECT_FALSE(frame->SkinMenu()->IsOpen());
  EXPECT_FALSE(button->Down);
}

TEST_F(RealXSystemMenu, AltSpaceOpensTheMenuAndTheKeysDriveIt) {
  // A window manager that binds Alt+Space to its own window menu (openbox
  // does) takes the key before the program; while the window holds the
  // keyboard the real key reaches it.
  form.grabKeyboard();
  Xdotool({"key", "alt+space"});
  form.releaseKeyboard();
  ASSERT_TRUE(WaitOpen());
  EXPECT_EQ(Menu()->ActiveItem(), 0);
  Xdotool({"key", "Down"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return Menu() && Menu()->ActiveItem() == 1; }, realx::kPatienceMs));
  Xdotool({"key", "Return"});  // Ma&ximize
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->WindowState() == bswsMaximized; }, realx::kPatienceMs));
}

}  // namespace
