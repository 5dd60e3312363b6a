// SPDX-License-Identifier: GPL-3.0-or-later
// The notification-area icon: its defaults, the click timer against the
// double-click time, the tip, icon cycling, the toolkit's gestures, the start
// hidden, and the frame's minimise to and restore from it on a test form,
// with and without a notification area.

#include <gtest/gtest.h>

#include <QMenu>
#include <QProcess>
#include <cstdlib>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <optional>
#include <tuple>
#include <vector>

#include "formtesthelpers.h"
#include "realx.h"
#include "skin/data/tbsresourcestrdata.h"
#include "tests/skin/controls/embeddedskin.h"
#include "framework/tapplication.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "skin/form/tbstrayicon.h"

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>

#include "realxnotices.h"
#define BR_TEST_HAVE_XCB 1
#endif

using namespace formtest;

namespace {

QIcon Solid(QRgb colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(QColor::fromRgb(colour));
  return QIcon(pixmap);
}
QRgb ColourOf(const QIcon& icon) { return icon.pixmap(16, 16).toImage().pixel(8, 8) & 0xFFFFFF; }
QRgb ColourOf(QSystemTrayIcon& icon) { return ColourOf(icon.icon()); }

// Pretends, for one test, that the desktop has (or has not) a notification area.
struct TrayAvailable {
  explicit TrayAvailable(bool value) { TNotifyIcon::SetAvailableOverride(value); }
  ~TrayAvailable() { TNotifyIcon::SetAvailableOverride(std::nullopt); }
};

// Records how the icon opened it instead of showing anything.
struct RecordingMenu : TPopupMenu {
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override {
    DoPopup(x, y);
    opened.emplace_back(x, y, PopupComponent());
  }
  std::vector<std::tuple<int, int, QObject*>> opened;
};

// Click and button events as the icon reports them.
struct Recorder {
  explicit Recorder(TbsTrayIcon& icon) {
    icon.OnClick = [this] { events.push_back("click"); };
    icon.OnDblClick = [this] { events.push_back("dblclick"); };
    icon.OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) {
      events.push_back("down" + std::to_string(b));
      shift = s, pos = {x, y};
    };
    icon.OnMouseUp = [this](TMouseButton b, TShiftState, int, int) { events.push_back("up" + std::to_string(b)); };
    icon.OnMouseMove = [this](TShiftState, int, int) { events.push_back("move"); };
  }
  std::vector<std::string> events;
  TShiftState shift = 0;
  QPoint pos;
};

// QTest's own waiting checks report to QTest, not to this runner: wait with
// qWaitFor and fail here.
#define WAIT_UNTIL(condition, ms) ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, ms)) << #condition

using Strings = std::vector<std::string>;
using M = TNotifyIconMessage;
const QPoint kAt(300, 200);

struct Clicks : ::testing::Test {
  TForm form;
  TbsTrayIcon* icon = new TbsTrayIcon(&form);
  Recorder rec{*icon};
  void Send(M m) { icon->IconMessage(m, kAt); }
};

TEST_F(Clicks, AClickFiresOnlyOnceTheDoubleClickTimeHasPassed) {
  Send(M::LButtonDown);
  Send(M::LButtonUp);
  EXPECT_EQ(rec.events, (Strings{"down0", "up0"})) << "no click before the time is up";
  EXPECT_TRUE(icon->ClickTimer().isActive());
  icon->ClickTimerStep();
  EXPECT_EQ(rec.events, (Strings{"down0", "up0", "click"}));
  EXPECT_FALSE(icon->ClickTimer().isActive());
  EXPECT_EQ(rec.pos, kAt);
  EXPECT_TRUE(rec.shift & ssLeft);
}

TEST_F(Clicks, ADoubleClickFiresDblClickAndNoClick) {
  Send(M::LButtonDown);
  Send(M::LButtonUp);
  Send(M::LButtonDblClk);
  Send(M::LButtonUp);
  icon->ClickTimerStep();
  EXPECT_EQ(rec.events, (Strings{"down0", "up0", "dblclick", "up0"}));
}

TEST_F(Clicks, AReleaseAfterTheDoubleClickTimeClicksAtOnce) {
  Send(M::LButtonDown);
  icon->ClickTimerStep();  // the time runs out while the button is held
  EXPECT_EQ(rec.events, (Strings{"down0"}));
  Send(M::LButtonUp);
  EXPECT_EQ(rec.events, (Strings{"down0", "click", "up0"}));
}

TEST_F(Clicks, ATripleClickIsNoClick) {
  Send(M::LButtonDown);
  Send(M::LButtonUp);
  Send(M::LButtonDblClk);
  Send(M::LButtonUp);
  Send(M::LButtonDown);
  Send(M::LButtonUp);
  icon->ClickTimerStep();
  EXPECT_EQ(std::count(rec.events.begin(), rec.events.end(), "click"), 0);
}

TEST_F(Clicks, AClickAfterALoneDoubleClickStillCounts) {
  // A double-click reported without the press before it (a desktop that
  // reports only the gesture) leaves no mark that swallows the next click.
  Send(M::LButtonDblClk);
  Send(M::LButtonUp);
  Send(M::LButtonDown);
  Send(M::LButtonUp);
  icon->ClickTimerStep();
  EXPECT_EQ(rec.events, (Strings{"dblclick", "up0", "down0", "up0", "click"}));
}

TEST_F(Clicks, RightMiddleAndMoveReportTheirButtonsAndADisabledIconNothing) {
  Send(M::MouseMove);
  Send(M::RButtonDown);
  Send(M::RButtonUp);
  Send(M::MButtonDown);
  Send(M::MButtonUp);
  EXPECT_EQ(rec.events, (Strings{"move", "down1", "up1", "down2", "up2"}));
  rec.events.clear();
  icon->SetEnabled(false);
  for (M m : {M::MouseMove, M::LButtonDown, M::LButtonUp, M::LButtonDblClk, M::RButtonDown, M::MButtonDown}) Send(m);
  icon->ClickTimerStep();
  EXPECT_TRUE(rec.events.empty());
}

TEST(TrayClickTimer, WaitsTheDesktopsDoubleClickTimeOnARealClock) {
  QStyleHints* hints = QGuiApplication::styleHints();
  const int saved = hints->mouseDoubleClickInterval();
  hints->setMouseDoubleClickInterval(60);
  TForm form;
  auto* icon = new TbsTrayIcon(&form);
  hints->setMouseDoubleClickInterval(saved);
  EXPECT_EQ(icon->ClickTimer().interval(), 60);
  int clicks = 0;
  icon->OnClick = [&] { ++clicks; };
  icon->IconMessage(M::LButtonDown, kAt);
  icon->IconMessage(M::LButtonUp, kAt);
  QTest::qWait(20);
  EXPECT_EQ(clicks, 0);
  WAIT_UNTIL(clicks == 1, realx::kPatienceMs);
}

TEST_F(Clicks, TheMenuOpensAtThePointerForTheRightButtonAndTheLeftOnlyWhenAsked) {
  auto* menu = new RecordingMenu(&form);
  icon->SetPopupMenu(menu);
  Send(M::LButtonDown);
  EXPECT_TRUE(menu->opened.empty());
  Send(M::RButtonDown);
  ASSERT_EQ(menu->opened.size(), 1u);
  EXPECT_EQ(menu->opened[0], std::make_tuple(kAt.x(), kAt.y(), static_cast<QObject*>(icon)));
  EXPECT_EQ(rec.events.back(), "down1") << "the press is reported before the menu opens";
  icon->SetPopupByLeftButton(true);
  Send(M::LButtonDown);
  EXPECT_EQ(menu->opened.size(), 2u);
  menu->SetAutoPopup(false);
  Send(M::RButtonDown);
  Send(M::LButtonDown);
  EXPECT_EQ(menu->opened.size(), 2u) << "a menu that does not pop up by itself stays shut";
}

TEST_F(Clicks, ADoubleClickRunsTheMenusDefaultItem) {
  auto* menu = new RecordingMenu(&form);
  int runs = 0;
  menu->Items()->Add("a", "A", [] {});
  menu->Items()->Add("b", "B", [&] { ++runs; })->SetDefault(true);
  icon->SetPopupMenu(menu);
  Send(M::LButtonDblClk);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(rec.events, (Strings{"dblclick"})) << "after OnDblClick";
  icon->SetPopupByLeftButton(true);
  Send(M::LButtonDblClk);
  EXPECT_EQ(runs, 1) << "not when the left button opens the menu";
}

TEST_F(Clicks, AHandlerThatFreesTheIconEndsTheGesture) {
  QPointer<TbsTrayIcon> alive(icon);
  icon->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { delete alive.data(); };
  auto* menu = new RecordingMenu(&form);
  alive->SetPopupMenu(menu);
  alive->NotifyIcon().TrayIcon().activated(QSystemTrayIcon::Context);
  EXPECT_TRUE(alive.isNull());
  EXPECT_TRUE(menu->opened.empty());
}

// What the toolkit reports becomes the presses and releases it stands for.
TEST_F(Clicks, TheToolkitsGesturesArriveAsPressesAndReleases) {
  QSystemTrayIcon& tray = icon->NotifyIcon().TrayIcon();
  tray.activated(QSystemTrayIcon::Trigger);
  tray.activated(QSystemTrayIcon::DoubleClick);
  icon->ClickTimerStep();
  tray.activated(QSystemTrayIcon::Context);
  tray.activated(QSystemTrayIcon::MiddleClick);
  tray.activated(QSystemTrayIcon::Trigger);
  icon->ClickTimerStep();
  EXPECT_EQ(rec.events,
            (Strings{"down0", "up0", "dblclick", "up0", "down1", "up1", "down2", "up2", "down0", "up0", "click"}));
}

TEST(TrayIcon, StartsWithThePublishedDefaultsAndTheApplicationsIcon) {
  const QIcon saved = QApplication::windowIcon();
  QApplication::setWindowIcon(Solid(qRgb(10, 200, 30)));
  TForm form;
  TbsTrayIcon icon(&form);
  QApplication::setWindowIcon(saved);
  EXPECT_FALSE(icon.DesignPreview());
  EXPECT_TRUE(icon.IconList().isEmpty());
  EXPECT_FALSE(icon.CycleIcons());
  EXPECT_EQ(icon.AnimateTimerInterval(), 0u);
  EXPECT_TRUE(icon.Enabled());
  EXPECT_EQ(icon.Hint(), "");
  EXPECT_TRUE(icon.ShowHint());
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_EQ(icon.PopupMenu(), nullptr);
  EXPECT_FALSE(icon.PopupByLeftButton());
  EXPECT_FALSE(icon.MinimizedOnStart());
  EXPECT_TRUE(icon.MinimizeToTray());
  EXPECT_EQ(ColourOf(icon.Icon()), qRgb(10, 200, 30) & 0xFFFFFF);
  EXPECT_FALSE(icon.NotifyIcon().Added()) << "nothing shows before the layout is loaded";
  EXPECT_FALSE(icon.CycleTimer().isActive());
  EXPECT_FALSE(icon.ClickTimer().isActive());
}

TEST(TrayIcon, TheLoadedLayoutShowsOrLeavesOutTheIcon) {
  TForm form;
  TbsTrayIcon shown(&form), hidden(&form);
  shown.BeginLoading();
  hidden.BeginLoading();
  hidden.SetIconVisible(false);
  EXPECT_FALSE(hidden.NotifyIcon().Added());
  shown.EndLoading();
  hidden.EndLoading();
  EXPECT_TRUE(shown.NotifyIcon().Added());
  EXPECT_TRUE(shown.NotifyIcon().TrayIcon().isVisible());
  EXPECT_FALSE(hidden.NotifyIcon().Added());
  shown.SetIconVisible(false);
  EXPECT_FALSE(shown.NotifyIcon().TrayIcon().isVisible());
}

TEST(TrayIcon, ALongTipIsCutTo127CharactersNeverInsideOne) {
  TForm form;
  TbsTrayIcon icon(&form);
  std::string chinese;
  for (int i = 0; i < 200; ++i) chinese += "文";
  icon.SetHint(chinese);
  const QString shown = icon.NotifyIcon().TrayIcon().toolTip();
  EXPECT_EQ(shown.size(), 127);
  EXPECT_EQ(shown, QString(127, QChar(0x6587)));
  EXPECT_EQ(icon.Hint(), chinese) << "the property keeps the whole text";

  icon.SetHint(std::string(127, 'a'));
  EXPECT_EQ(icon.Tip(), std::string(127, 'a'));
  icon.SetHint(std::string(128, 'b'));
  EXPECT_EQ(icon.Tip(), std::string(127, 'b'));
  icon.SetShowHint(false);
  EXPECT_EQ(icon.NotifyIcon().TrayIcon().toolTip(), QString()) << "no tip while ShowHint is off";
}

TEST(TrayIcon, IconIndexIsClampedToTheListAndShowsItsImage) {
  TForm form;
  TbsTrayIcon icon(&form);
  icon.SetIconIndex(5);
  EXPECT_EQ(icon.IconIndex(), 0) << "without a list";
  icon.SetIconList({Solid(qRgb(255, 0, 0)), Solid(qRgb(0, 255, 0)), Solid(qRgb(0, 0, 255))});
  icon.SetIconIndex(7);
  EXPECT_EQ(icon.IconIndex(), 2);
  EXPECT_EQ(ColourOf(icon.NotifyIcon().TrayIcon()), 0x0000FFu);
  icon.SetIconIndex(-3);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_EQ(ColourOf(icon.NotifyIcon().TrayIcon()), 0xFF0000u);
  icon.SetIconIndex(2);
  icon.SetIconList({Solid(qRgb(9, 9, 9))});
  EXPECT_EQ(icon.IconIndex(), 0) << "a shorter list pulls the index in";
}

TEST(TrayIcon, CyclingWalksTheListAndWrapsWithOnCycleGivingTheNextIndex) {
  TForm form;
  TbsTrayIcon icon(&form);
  icon.SetIconList({Solid(qRgb(255, 0, 0)), Solid(qRgb(0, 255, 0)), Solid(qRgb(0, 0, 255))});
  icon.SetIconIndex(2);
  std::vector<int> cycles;
  std::vector<QRgb> shown;
  icon.OnCycle = [&](int next) { cycles.push_back(next); };
  icon.SetCycleIcons(true);
  EXPECT_EQ(icon.IconIndex(), 0) << "switching cycling on starts from the first image";
  EXPECT_FALSE(icon.CycleTimer().isActive()) << "interval 0: no timer that spins";
  icon.SetAnimateTimerInterval(40);
  EXPECT_TRUE(icon.CycleTimer().isActive());
  EXPECT_EQ(icon.CycleTimer().interval(), 40);
  for (int i = 0; i < 4; ++i) {
    icon.CycleTimerStep();
    shown.push_back(ColourOf(icon.NotifyIcon().TrayIcon()));
  }
  EXPECT_EQ(cycles, (std::vector<int>{1, 2, 3, 1}));
  EXPECT_EQ(shown, (std::vector<QRgb>{0xFF0000, 0x00FF00, 0x0000FF, 0xFF0000}));
  EXPECT_EQ(icon.IconIndex(), 1);
  icon.SetCycleIcons(false);
  EXPECT_FALSE(icon.CycleTimer().isActive());

  TbsTrayIcon bare(&form);
  std::vector<int> bareCycles;
  bare.OnCycle = [&](int next) { bareCycles.push_back(next); };
  bare.CycleTimerStep();
  EXPECT_EQ(bareCycles, (std::vector<int>{0}));
  EXPECT_EQ(bare.IconIndex(), 0);
}

TEST(TrayIcon, AHandlerThatEmptiesTheListLeavesAValidIndex) {
  TForm form;
  TbsTrayIcon icon(&form);
  icon.SetIconList({Solid(qRgb(255, 0, 0)), Solid(qRgb(0, 255, 0))});
  icon.SetIconIndex(1);
  icon.OnCycle = [&](int) { icon.SetIconList({}); };
  icon.CycleTimerStep();
  EXPECT_EQ(icon.IconIndex(), 0);
  icon.CycleTimerStep();  // no list now: nothing to index
}

TEST(TrayIcon, MinimizedOnStartHidesTheFormWhereThereIsATray) {
  TrayAvailable tray(true);
  TForm form;
  TbsTrayIcon icon(&form);
  icon.BeginLoading();
  icon.SetMinimizedOnStart(true);
  icon.SetMinimizeToTray(false);
  icon.EndLoading();
  EXPECT_FALSE(Application()->ShowMainForm());
  Application()->SetMainForm(&form);
  QTimer::singleShot(0, [] { QCoreApplication::quit(); });
  Application()->Run();  // the loop starts without showing the main form
  Application()->SetMainForm(nullptr);
  Application()->SetShowMainForm(true);
  EXPECT_TRUE(icon.MinimizeToTray());
  EXPECT_TRUE(icon.NotifyIcon().Added());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(icon.ApplicationHidden());
  icon.ShowApplication();
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isMinimized());
}

TEST(TrayIcon, MinimizedOnStartWithoutATrayStartsMinimisedAndShown) {
  TrayAvailable tray(false);
  TForm form;
  TbsTrayIcon icon(&form);
  icon.BeginLoading();
  icon.SetMinimizedOnStart(true);
  icon.EndLoading();
  EXPECT_TRUE(Application()->ShowMainForm()) << "the loop still shows the main form";
  form.show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.isMinimized());
  EXPECT_FALSE(icon.ApplicationHidden());
}

TEST(TrayIcon, FreeingTheIconBringsBackWhatItHid) {
  TrayAvailable tray(true);
  TForm form;
  form.show();
  auto* icon = new TbsTrayIcon(&form);
  icon->MinimizeApplication();
  WAIT_UNTIL(!form.isVisible(), realx::kPatienceMs);
  delete icon;
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isMinimized());
}

// ---------------------------------------------------------------- the frame's tray operations

struct FrameTray : ::testing::Test {
  FramedForm w{400, 300};
  TbsTrayIcon* icon = new TbsTrayIcon(&w.Form);
  int minimized = 0, restored = 0;
  void SetUp() override {
    icon->BeginLoading();
    icon->EndLoading();  // shown, as a loaded layout shows it
    w.Frame->OnMinimizeToTray = [this] { ++minimized; };
    w.Frame->OnRestoreFromTray = [this] { ++restored; };
  }
  void ClickObject(const char* name) {
    const TbsActiveSkinObject* o = w.Frame->FindObject(name);
    ASSERT_TRUE(o) << name;
    const QPoint p((o->Bounds.Left + o->Bounds.Right) / 2, (o->Bounds.Top + o->Bounds.Bottom) / 2);
    w.Form.Perform(WM_NCACTIVATE, 1);  // offscreen, a re-shown window's activation is not reported
    MoveTo(w.Form, p);
    w.Frame->HoverTimerStep();
    Press(w.Form, p);
    Release(w.Form, p);
  }
};

TEST_F(FrameTray, AssigningTheIconHidesItAndGivesItTheTrayMenuAndRestoreOnDoubleClick) {
  ASSERT_TRUE(icon->NotifyIcon().Added());
  w.Frame->SetTrayIcon(icon);
  EXPECT_FALSE(icon->NotifyIcon().Added());
  EXPECT_FALSE(icon->IconVisible());
  EXPECT_FALSE(icon->MinimizeToTray());
  ASSERT_EQ(icon->PopupMenu(), static_cast<TPopupMenu*>(w.Frame->TrayMenu()));
  const TMenuItem* items = icon->PopupMenu()->Items();
  ASSERT_EQ(items->Count(), 3);
  EXPECT_EQ(items->Items(0)->Name(), "TRAY_BSF_RESTORE");
  EXPECT_EQ(items->Items(0)->Caption(), "&Restore");
  EXPECT_TRUE(items->Items(1)->IsLine());
  EXPECT_EQ(items->Items(2)->Name(), "TRAY_BSF_CLOSE");
  EXPECT_EQ(items->Items(2)->Caption(), "&Close");
  EXPECT_TRUE(bool(icon->OnDblClick));
  EXPECT_EQ(w.Frame->BorderIcons() & biMinimizeToTray, 0u) << "the caption button is the application's choice";
}

TEST_F(FrameTray, AnIconWithItsOwnMenuKeepsItAndAlwaysShowInTrayKeepsItShown) {
  auto* own = new RecordingMenu(&w.Form);
  icon->SetPopupMenu(own);
  w.Frame->SetAlwaysShowInTray(true);
  w.Frame->SetTrayIcon(icon);
  EXPECT_EQ(icon->PopupMenu(), own);
  EXPECT_FALSE(bool(icon->OnDblClick));
  EXPECT_TRUE(icon->NotifyIcon().Added());
}

TEST_F(FrameTray, MinimiseToTrayHidesTheFormAndRestoreBringsItBack) {
  TrayAvailable tray(true);
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  EXPECT_EQ(minimized, 1);
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  EXPECT_TRUE(icon->NotifyIcon().Added());
  EXPECT_TRUE(icon->MinimizeToTray());

  w.Frame->RestoreAppFromTray();
  EXPECT_EQ(restored, 1);
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_FALSE(w.Form.isMinimized());
  EXPECT_FALSE(icon->NotifyIcon().Added()) << "the icon goes with the restore";
  EXPECT_FALSE(icon->MinimizeToTray());
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.Form.isVisible());
}

TEST_F(FrameTray, AlwaysShowInTrayKeepsTheIconAfterTheRestore) {
  TrayAvailable tray(true);
  w.Frame->SetAlwaysShowInTray(true);
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  w.Frame->RestoreAppFromTray();
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_TRUE(icon->NotifyIcon().Added());
}

TEST_F(FrameTray, TheTrayMenuRestoresAndClosesAndADoubleClickRestores) {
  TrayAvailable tray(true);
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  icon->NotifyIcon().TrayIcon().activated(QSystemTrayIcon::DoubleClick);
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_EQ(restored, 1);

  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  EXPECT_TRUE(icon->PopupMenu()->FindItem("TRAY_BSF_RESTORE")->Click());
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_EQ(restored, 2);

  bool closed = false;
  w.Form.OnClose = [&](TCloseAction&) { closed = true; };
  EXPECT_TRUE(icon->PopupMenu()->FindItem("TRAY_BSF_CLOSE")->Click());
  EXPECT_TRUE(closed);
}

TEST_F(FrameTray, TheRightButtonOpensTheSkinnedTrayMenuAtThePointerAndEnterRestores) {
  TrayAvailable tray(true);
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  QCursor::setPos(200, 150);
  icon->NotifyIcon().TrayIcon().activated(QSystemTrayIcon::Context);
  TbsSkinPopupMenu* menu = w.Frame->TrayMenu();
  ASSERT_TRUE(menu->IsOpen());
  TbsSkinPopupWindow* popup = menu->SkinMenu().Window(0);
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->pos(), QPoint(200, 150)) << "opens downwards from the pointer";
  EXPECT_EQ(popup->ItemCount(), 3);
  EXPECT_EQ(menu->PopupComponent(), static_cast<QObject*>(icon));
  for (QWidget* top : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<QMenu*>(top)) << "our own popup, never the toolkit's menu";
  QTest::keyClick(popup, Qt::Key_Return);  // the first item is active: restore
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_EQ(restored, 1);
}

TEST_F(FrameTray, TheTrayMenuTakesTheMenusSkinAndItsTextsWhenItOpens) {
  w.Frame->SetTrayIcon(icon);
  TbsResourceStrData texts(&w.Form);
  TStringList lines = TbsResourceStrData::InitialStrings();
  for (int i = 0; i < lines.Count(); ++i)
    if (lines.Strings(i).rfind("MI_RESTORECAPTION=", 0) == 0) lines.SetStrings(i, "MI_RESTORECAPTION=&Wiederherstellen");
  texts.SetResStrings(lines);
  w.Data->SetResourceStrData(&texts);
  TbsSkinPopupMenu* menu = w.Frame->TrayMenu();
  QCursor::setPos(100, 100);
  icon->IconMessage(M::RButtonDown, QPoint(100, 100));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->SkinData(), w.Data);
  EXPECT_EQ(menu->FindItem("TRAY_BSF_RESTORE")->Caption(), "&Wiederherstellen");
  EXPECT_EQ(menu->FindItem("TRAY_BSF_CLOSE")->Caption(), "&Close");
  menu->CloseMenu();

  TbsSkinData* menus = skintest::LoadEmbeddedSkin(&w.Form);
  w.Frame->SetMenusSkinData(menus);
  icon->IconMessage(M::RButtonDown, QPoint(100, 100));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->SkinData(), menus) << "the menus' own skin wins";
  EXPECT_EQ(menu->FindItem("TRAY_BSF_RESTORE")->Caption(), "&Restore");
  skintest::SaveRender(menu->SkinMenu().Window(0)->grab().toImage(), "tray-menu-embedded-skin");
  menu->CloseMenu();
}

// Offscreen there is no notification area, as under a bare X server: the
// window must stay where the user can get it back.
TEST_F(FrameTray, WithoutANotificationAreaTheWindowMinimisesInsteadOfVanishing) {
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  EXPECT_EQ(minimized, 1);
  QCoreApplication::processEvents();
  QTest::qWait(20);
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_TRUE(w.Form.isMinimized());
  icon->HideApplication();
  EXPECT_TRUE(w.Form.isVisible()) << "nothing hides it with nowhere to come back from";
  w.Frame->RestoreAppFromTray();
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_FALSE(w.Form.isMinimized());
}

TEST_F(FrameTray, WithoutATrayIconBothOperationsDoNothing) {
  w.Frame->MinimizeAppToTray();
  w.Frame->RestoreAppFromTray();
  QCoreApplication::processEvents();
  EXPECT_FALSE(w.Form.isMinimized());
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_EQ(minimized + restored, 0);
}

TEST_F(FrameTray, TheTrayButtonAndTheMinimiseButtonWithAlwaysMinimizeToTrayGoToTheTray) {
  TrayAvailable tray(true);
  w.Frame->SetTrayIcon(icon);
  w.Frame->SetBorderIcons(kDefaultFrameBorderIcons | biMinimizeToTray);
  ClickObject("traybutton");
  EXPECT_EQ(minimized, 1);
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  w.Frame->RestoreAppFromTray();

  ClickObject("minbutton");
  QCoreApplication::processEvents();
  EXPECT_EQ(minimized, 1) << "a plain minimise";
  EXPECT_EQ(w.Frame->WindowState(), bswsMinimized);
  EXPECT_TRUE(w.Form.isVisible());
  w.Frame->SetWindowState(bswsNormal);
  QCoreApplication::processEvents();

  w.Frame->SetAlwaysMinimizeToTray(true);
  ClickObject("minbutton");
  EXPECT_EQ(minimized, 2);
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  w.Frame->RestoreAppFromTray();
}

TEST_F(FrameTray, TheSystemMenusTrayItemAndItsMinimiseWithAlwaysMinimizeToTrayGoToTheTray) {
  TrayAvailable tray(true);
  w.Frame->SetTrayIcon(icon);
  EXPECT_EQ(w.Frame->BuildSystemMenu()->Find("BSF_MINTOTRAY"), nullptr) << "only with the tray caption button";
  w.Frame->SetBorderIcons(kDefaultFrameBorderIcons | biMinimizeToTray);
  TMenuItem* toTray = w.Frame->BuildSystemMenu()->Find("BSF_MINTOTRAY");
  ASSERT_TRUE(toTray);
  EXPECT_TRUE(toTray->Click());
  EXPECT_EQ(minimized, 1);
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  w.Frame->RestoreAppFromTray();

  w.Frame->SetAlwaysMinimizeToTray(true);
  EXPECT_TRUE(w.Frame->BuildSystemMenu()->Find("BSF_MINITEM")->Click());
  EXPECT_EQ(minimized, 2);
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  EXPECT_EQ(w.Frame->WindowState(), bswsNormal) << "the tray, not the collapsed caption bar";
  w.Frame->RestoreAppFromTray();
}

TEST_F(FrameTray, WhenTheNotificationAreaGoesTheHiddenWindowComesBack) {
  std::optional<TrayAvailable> tray(std::in_place, true);
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(!w.Form.isVisible(), realx::kPatienceMs);
  EXPECT_TRUE(icon->TrayWatchTimer().isActive());
  icon->TrayWatchStep();
  EXPECT_FALSE(w.Form.isVisible()) << "the tray is still there";
  tray.reset();  // offscreen: no notification area
  icon->TrayWatchStep();
  EXPECT_TRUE(w.Form.isVisible());
  EXPECT_FALSE(w.Form.isMinimized());
  EXPECT_FALSE(icon->ApplicationHidden());
  EXPECT_FALSE(icon->TrayWatchTimer().isActive());
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.Form.isVisible());
}

TEST_F(FrameTray, AWindowShownWhileInTheTrayBringsTheApplicationBackRestored) {
  TrayAvailable tray(true);
  TForm other;
  other.show();
  w.Frame->SetTrayIcon(icon);
  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(!w.Form.isVisible() && !other.isVisible(), realx::kPatienceMs);
  w.Form.show();
  WAIT_UNTIL(!icon->ApplicationHidden(), realx::kPatienceMs);
  EXPECT_FALSE(w.Form.isMinimized());
  EXPECT_TRUE(other.isVisible()) << "what was hidden with it comes back too";
  EXPECT_FALSE(icon->TrayWatchTimer().isActive());
}

TEST_F(FrameTray, AnIconThatOutlivesItsFrameIgnoresTheDoubleClick) {
  w.Frame->SetTrayIcon(icon);
  delete w.Frame;
  icon->IconMessage(M::LButtonDblClk, kAt);
  EXPECT_TRUE(w.Form.isVisible());
}

// The state the X server's window manager gives the window: Normal, Iconic
// or, once hidden, none (withdrawn).
std::string ServerWindowState(const QWidget& w) {
  QProcess p;
  p.start("xprop", {"-id", QString::number(w.winId()), "WM_STATE"});
  p.waitForFinished(realx::kPatienceMs);
  const QString out = QString::fromUtf8(p.readAllStandardOutput());
  const int at = out.indexOf("window state: ");
  return at < 0 ? "Withdrawn" : out.mid(at + 14).section('\n', 0, 0).trimmed().toStdString();
}

// Xvfb with openbox has no notification area: minimising to the tray must
// leave an iconified window the window manager can give back.
TEST(RealXTray, WithoutANotificationAreaTheWindowIsIconifiedNotWithdrawn) {
  BR_REQUIRE_REAL_X();
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "this X server has no tray";
  FramedForm w{400, 300};
  auto* icon = new TbsTrayIcon(&w.Form);
  w.Frame->SetTrayIcon(icon);
  WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Normal"), realx::kPatienceMs);
  w.Frame->MinimizeAppToTray();
  WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Iconic"), realx::kPatienceMs);
  QTest::qWait(300);
  EXPECT_EQ(ServerWindowState(w.Form), std::string("Iconic")) << "still there to be restored";
  EXPECT_TRUE(w.Form.isVisible());
  w.Frame->RestoreAppFromTray();
  WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Normal"), realx::kPatienceMs);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&w.Form, realx::kPatienceMs));
}

#ifdef BR_TEST_HAVE_XCB
// A notification area as small as the desktop's protocol allows: it owns the
// tray selection, announces itself on the root window and counts the icons
// that ask to dock. Stop and Start again are a tray that restarts.
class FakeTray {
 public:
  FakeTray() {
    int screenNumber = 0;
    FConnection = xcb_connect(nullptr, &screenNumber);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(FConnection));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
    FRoot = it.data->root;
    FVisual = it.data->root_visual;
    FSelection = Atom("_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber));
    FOpcode = Atom("_NET_SYSTEM_TRAY_OPCODE");
    FManager = Atom("MANAGER");
  }
  ~FakeTray() {
    Stop();
    xcb_disconnect(FConnection);
  }
  void Start() {
    FWindow = xcb_generate_id(FConnection);
    xcb_create_window(FConnection, XCB_COPY_FROM_PARENT, FWindow, FRoot, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, FVisual, 0, nullptr);
    xcb_set_selection_owner(FConnection, FWindow, FSelection, XCB_CURRENT_TIME);
    xcb_client_message_event_t announce{};
    announce.response_type = XCB_CLIENT_MESSAGE;
    announce.format = 32;
    announce.window = FRoot;
    announce.type = FManager;
    announce.data.data32[0] = XCB_CURRENT_TIME;
    announce.data.data32[1] = FSelection;
    announce.data.data32[2] = FWindow;
    xcb_send_event(FConnection, 0, FRoot, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&announce));
    xcb_flush(FConnection);
  }
  void Stop() {
    if (!FWindow) return;
    xcb_destroy_window(FConnection, FWindow);
    xcb_flush(FConnection);
    FWindow = 0;
  }
  // Dock requests received so far.
  int Docks() {
    constexpr uint32_t kRequestDock = 0;
    while (xcb_generic_event_t* e = xcb_poll_for_event(FConnection)) {
      if ((e->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
        const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
        if (m->type == FOpcode && m->data.data32[1] == kRequestDock) ++FDocks;
      }
      std::free(e);
    }
    return FDocks;
  }

 private:
  xcb_atom_t Atom(const std::string& name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(FConnection, xcb_intern_atom(FConnection, 0, uint16_t(name.size()), name.c_str()), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return atom;
  }
  xcb_connection_t* FConnection;
  xcb_window_t FRoot = 0, FWindow = 0;
  xcb_visualid_t FVisual = 0;
  xcb_atom_t FSelection = 0, FOpcode = 0, FManager = 0;
  int FDocks = 0;
};

// With a notification area the window really goes, the icon docks, and a
// tray that restarts gets the icon again without our asking.
TEST(RealXTray, TheIconDocksHidesTheWindowAndDocksAgainWhenTheTrayRestarts) {
  BR_REQUIRE_REAL_X();
  FakeTray tray;
  tray.Start();
  WAIT_UNTIL(QSystemTrayIcon::isSystemTrayAvailable(), realx::kPatienceMs);
  {
    FramedForm w{400, 300};
    auto* icon = new TbsTrayIcon(&w.Form);
    w.Frame->SetTrayIcon(icon);
    w.Frame->MinimizeAppToTray();
    WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Withdrawn"), realx::kPatienceMs);
    EXPECT_FALSE(w.Form.isVisible());
    WAIT_UNTIL(tray.Docks() == 1, realx::kPatienceMs);

    tray.Stop();
    QTest::qWait(200);
    tray.Start();
    WAIT_UNTIL(tray.Docks() == 2, realx::kPatienceMs);

    w.Frame->RestoreAppFromTray();
    WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Normal"), realx::kPatienceMs);
    EXPECT_FALSE(icon->NotifyIcon().Added());
    // Back on the screen and every notice of the way back handled, as before
    // a user's next click.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.Form, realx::kPatienceMs));
    realx::TakeInNotices(w.Form);

    // The tray's program ends while the window is in it: the window comes back.
    w.Frame->MinimizeAppToTray();
    WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Withdrawn"), realx::kPatienceMs);
    tray.Stop();
    WAIT_UNTIL(ServerWindowState(w.Form) == std::string("Normal"), realx::kPatienceMs)
        << "now " << ServerWindowState(w.Form);
  }
  tray.Stop();
  WAIT_UNTIL(!QSystemTrayIcon::isSystemTrayAvailable(), realx::kPatienceMs);
}
#endif

}  // namespace
