// SPDX-License-Identifier: GPL-3.0-or-later
// The frame and the window manager over the window's state, under a real
// window manager (openbox or icewm, scripts/realx.sh): Minimize chosen in the
// system menu however it was opened leaves the window iconified, and a
// maximise or restore done by the manager (its own menu, a pager, wmctrl)
// becomes the frame's state, so the menu and the caption offer the way back.

#include <gtest/gtest.h>

#include <QProcess>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

#include "formtesthelpers.h"
#include "framework/tapplication.h"
#include "realx.h"
#include "realxnotices.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"

using namespace formtest;

namespace {

xcb_connection_t* Connection() {
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root; }

xcb_atom_t Atom(const char* name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
      xcb_intern_atom_reply(Connection(), xcb_intern_atom(Connection(), 0, uint16_t(strlen(name)), name), nullptr),
      &std::free);
  return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit items of a property of `w`, as the server has them now.
std::vector<uint32_t> Property(const QWidget& w, const char* name) {
  std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> r(
      xcb_get_property_reply(Connection(),
                             xcb_get_property(Connection(), 0, xcb_window_t(w.winId()), Atom(name),
                                              XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
                             nullptr),
      &std::free);
  if (!r || r->format != 32) return {};
  const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r.get()));
  return std::vector<uint32_t>(v, v + xcb_get_property_value_length(r.get()) / 4);
}

constexpr uint32_t kNormalState = 1, kIconicState = 3;
uint32_t WmState(const QWidget& w) {
  const std::vector<uint32_t> v = Property(w, "WM_STATE");
  return v.empty() ? 0 : v[0];
}

bool HasNetState(const QWidget& w, const char* state) {
  const std::vector<uint32_t> v = Property(w, "_NET_WM_STATE");
  return std::find(v.begin(), v.end(), Atom(state)) != v.end();
}

// What a pager sends the window manager to change a window's _NET_WM_STATE.
void AskNetState(const QWidget& w, bool add, const char* first, const char* second = nullptr) {
  // The toolkit reads the state when it handles a change notice, so it must
  // have handled those of earlier changes, or it sees only the last state.
  realx::TakeInNotices(w);
  xcb_client_message_event_t m{};
  m.response_type = XCB_CLIENT_MESSAGE;
  m.format = 32;
  m.window = xcb_window_t(w.winId());
  m.type = Atom("_NET_WM_STATE");
  m.data.data32[0] = add ? 1 : 0;
  m.data.data32[1] = Atom(first);
  m.data.data32[2] = second ? Atom(second) : 0;
  m.data.data32[3] = 2;  // from a pager
  xcb_send_event(Connection(), 0, Root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&m));
  xcb_flush(Connection());
}

// Until the window manager has handled everything this program sent it so
// far: our requests reach it in order, so once it answers a later one (a
// harmless state of our window, toggled) it has acted on all before.
void SettleWithWindowManager(const QWidget& w) {
  const bool on = HasNetState(w, "_NET_WM_STATE_SKIP_PAGER");
  AskNetState(w, !on, "_NET_WM_STATE_SKIP_PAGER");
  ASSERT_TRUE(QTest::qWaitFor([&] { return HasNetState(w, "_NET_WM_STATE_SKIP_PAGER") != on; }, realx::kPatienceMs))
      << "the window manager answers";
  realx::TakeInNotices(w);
}

QRect ServerGeometry(const QWidget& w) {
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
      xcb_get_geometry_reply(Connection(), xcb_get_geometry(Connection(), xcb_window_t(w.winId())), nullptr),
      &std::free);
  std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> at(
      xcb_translate_coordinates_reply(
          Connection(), xcb_translate_coordinates(Connection(), xcb_window_t(w.winId()), Root(), 0, 0), nullptr),
      &std::free);
  return g && at ? QRect(at->dst_x, at->dst_y, g->width, g->height) : QRect();
}

void Xdotool(const QStringList& args) {
  QProcess p;
  p.start("xdotool", args);
  p.waitForFinished(realx::kPatienceMs);
}

void PointerTo(const QPoint& at) {
  Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
  (void)QTest::qWaitFor([&] { return QCursor::pos() == at; }, realx::kPatienceMs);
}

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

struct RealXWindowManager : ::testing::Test {
  void SetUp() override {
    BR_REQUIRE_REAL_X();
    form.SetBounds(120, 100, 420, 300);
    frame = new TbsSkinFrame(&form);
    auto* data = new TbsSkinData(&form);
    frame->SetSkinData(data);
    LoadSkin(*data, FrameSkin());
    form.SetCaption("Window manager");
    Application()->SetMainForm(&form);  // its minimise is the application's: iconified by the manager
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, realx::kPatienceMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return WmState(form) == kNormalState; }, realx::kPatienceMs));
    Activate();
  }
  void TearDown() override { Application()->SetMainForm(nullptr); }
  // A window manager may refuse the focus to a program just started: then
  // the user clicks into the window.
  void Activate() {
    realx::Activate(form, [&] { return ServerGeometry(form).topLeft() + QPoint(200, 150); });
    ASSERT_TRUE(form.isActiveWindow());
  }
  TbsSkinPopupWindow* Menu() { return frame->SkinMenu()->Window(0); }
  bool WaitOpen() {
    return QTest::qWaitFor([&] { return Menu() && Menu()->isVisible() && Menu()->windowHandle()->isExposed(); },
                           realx::kPatienceMs);
  }
  TForm form;
  TbsSkinFrame* frame = nullptr;
};

TEST_F(RealXWindowManager, MinimizeFromTheSystemMenuLeavesTheWindowIconifiedHoweverTheMenuWasOpened) {
  enum Open { Button, Caption, AltSpace, F10 };
  enum Choose { Click, Accelerator, Enter };
  struct Way {
    const char* Name;
    Open How;
    Choose By;
  };
  const Way ways[] = {{"button, click", Button, Click},
                      {"button, accelerator", Button, Accelerator},
                      {"right click on the caption, click", Caption, Click},
                      {"Alt+Space, accelerator", AltSpace, Accelerator},
                      {"F10, Enter", F10, Enter}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.Name);
    const QPoint origin = ServerGeometry(form).topLeft();
    switch (way.How) {
      case Button:
        PointerTo(origin + Centre(frame->FindObject("sysmenubutton")->Bounds));
        Xdotool({"click", "1"});
        break;
      case Caption:
        PointerTo(origin + Centre(frame->SizedCaptionRect()));
        Xdotool({"click", "3"});
        break;
      case AltSpace:
        // A manager that binds Alt+Space itself (openbox does) takes the key
        // before the program; while the window holds the keyboard it is ours.
        form.grabKeyboard();
        Xdotool({"key", "alt+space"});
        form.releaseKeyboard();
        break;
      case F10:
        Xdotool({"key", "F10"});  // no manager keeps it: no grab needed
        break;
    }
    ASSERT_TRUE(WaitOpen());
    int index = -1;
    for (int i = 0; i < Menu()->ItemCount(); ++i)
      if (Menu()->Item(i).MenuItem()->Name() == "BSF_MINITEM") index = i;
    ASSERT_GE(index, 0);
    switch (way.By) {
      case Accelerator: Xdotool({"key", "n"}); break;  // Mi&nimize
      case Enter:
        ASSERT_EQ(Menu()->ActiveItem(), index);  // the first item is highlighted as the menu opens
        Xdotool({"key", "Return"});
        break;
      case Click:
        PointerTo(Centre(Menu()->ItemScreenRect(index)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Menu() && Menu()->ActiveItem() == index; }, realx::kPatienceMs));
        Xdotool({"click", "1"});
        break;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return WmState(form) == kIconicState; }, realx::kPatienceMs));
    SettleWithWindowManager(form);
    EXPECT_EQ(WmState(form), kIconicState) << "still iconified once the program and the manager are done";
    EXPECT_FALSE(frame->SkinMenu()->IsOpen());
    EXPECT_FALSE(frame->InMenuMode());

    form.showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return WmState(form) == kNormalState; }, realx::kPatienceMs));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, realx::kPatienceMs));
    Activate();
  }
}

TEST_F(RealXWindowManager, AMaximiseByTheWindowManagerIsTheFramesAndRestoreGivesTheSizeBack) {
  const QRect before = ServerGeometry(form);
  auto maximisedByManager = [&] {
    return HasNetState(form, "_NET_WM_STATE_MAXIMIZED_VERT") && HasNetState(form, "_NET_WM_STATE_MAXIMIZED_HORZ");
  };
  // The work area as the manager has it now (icewm's task bar may still be coming up).
  auto fillsWorkArea = [&] {
    const QRect work = form.screen()->availableGeometry();
    const QRect g = ServerGeometry(form);
    return g.width() >= work.width() - 2 && g.height() >= work.height() - 2;
  };

  // Maximised by the manager, restored from the frame's menu.
  AskNetState(form, true, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
  ASSERT_TRUE(QTest::qWaitFor([&] { return maximisedByManager() && fillsWorkArea(); }, realx::kPatienceMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->WindowState() == bswsMaximized; }, realx::kPatienceMs));
  EXPECT_EQ(frame->BuildSystemMenu()->Find("BSF_MAXITEM"), nullptr);
  TMenuItem* restore = frame->BuildSystemMenu()->Find("BSF_RESTORE");
  ASSERT_NE(restore, nullptr);
  restore->Click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !maximisedByManager() && ServerGeometry(form).size() == before.size(); },
                              realx::kPatienceMs))
      << "the size before the maximise";
  EXPECT_EQ(frame->WindowState(), bswsNormal);
  // The manager may still be busy with the restore's requests; a pager's
  // maximise is asked once it is done, as a user's would be.
  SettleWithWindowManager(form);

  // Maximised and restored by the manager: the frame follows both ways.
  AskNetState(form, true, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->WindowState() == bswsMaximized && fillsWorkArea(); }, realx::kPatienceMs))
      << "frame state " << int(frame->WindowState()) << ", toolkit state " << int(form.windowState()) << "/"
      << int(form.windowHandle()->windowStates()) << ", manager maximised " << maximisedByManager() << ", at "
      << ServerGeometry(form).width() << "x" << ServerGeometry(form).height() << " in a work area of "
      << form.screen()->availableGeometry().width() << "x" << form.screen()->availableGeometry().height();
  AskNetState(form, false, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
  EXPECT_TRUE(QTest::qWaitFor([&] { return frame->WindowState() == bswsNormal; }, realx::kPatienceMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ServerGeometry(form).size() == before.size(); }, realx::kPatienceMs));
  EXPECT_NE(frame->BuildSystemMenu()->Find("BSF_MAXITEM"), nullptr);
  EXPECT_EQ(frame->BuildSystemMenu()->Find("BSF_RESTORE"), nullptr);

  // The frame's own maximise then restores as before.
  frame->SetWindowState(bswsMaximized);
  EXPECT_TRUE(QTest::qWaitFor([&] { return fillsWorkArea(); }, realx::kPatienceMs));
  frame->SetWindowState(bswsNormal);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ServerGeometry(form).size() == before.size(); }, realx::kPatienceMs));
}

}  // namespace
