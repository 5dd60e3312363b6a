// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinmenu.h"

#include <QGuiApplication>
#include <QWidget>

#include "framework/handlerguard.h"
#include "framework/tmessage.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinwindow.h"
#include "skin/form/tbsskinpopupwindow.h"

namespace {

// The popups are gone on our side, but an X server has still to tell the
// windows that were under them: the exposure and the focus coming back from
// the popup's grab. Those notices must be in before a command runs: a late
// exposure of a window the command has just minimised shows it again.
void LetThePopupsGo() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) QGuiApplication::sync();
}

}  // namespace

TbsSkinMenu::TbsSkinMenu(QObject* owner, QWidget* form) : TComponent(owner), FForm(form) {
  FSubMenuTimer.setSingleShot(true);
  FSubMenuTimer.setInterval(kSubMenuDelay);
  connect(&FSubMenuTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { SubMenuTimerStep(); }); });
  // The menu goes when the user turns to another program.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive || !IsOpen()) return;
    QTimer::singleShot(0, this, [this] {
      if (QGuiApplication::applicationState() != Qt::ApplicationActive) CloseAll();
    });
  });
}

TbsSkinMenu::~TbsSkinMenu() {
  FControl = nullptr;  // no notices from a menu that is going
  CloseAll();
}

TbsSkinPopupWindow* TbsSkinMenu::Window(int level) const {
  return level >= 0 && level < Count() ? FWindows[size_t(level)].data() : nullptr;
}

TbsSkinPopupWindow* TbsSkinMenu::ActiveWindow() const { return FWindows.empty() ? nullptr : Window(Count() - 1); }

void TbsSkinMenu::Popup(QObject* control, TbsSkinData* skinData, bool upwards, TMenuItem* items,
                        const TRect& anchor, int first) {
  CloseAll();
  if (!GetMonitorWorkArea(FForm, true, FWorkArea)) FWorkArea = TRect{};
  if (!items || first < 0 || first >= items->Count()) return;
  FSkinData = skinData;
  FControl = control;
  CreateWindow(0, items, anchor, upwards, first);
  if (!IsOpen()) FControl = nullptr;
}

TbsSkinPopupWindow* TbsSkinMenu::CreateWindow(int level, TMenuItem* items, const TRect& anchor, bool upwards,
                                              int first) {
  auto* window = new TbsSkinPopupWindow(this, level);  // freed by Dismiss, deepest first
  window->Prepare(items, first, FSkinData.data(), FWorkArea);
  if (window->ItemCount() == 0) {  // every item hidden: nothing to show
    window->Dismiss();
    return nullptr;
  }
  FWindows.emplace_back(window);
  window->ShowAt(anchor, upwards);
  return window;
}

void TbsSkinMenu::CloseFrom(int level) {
  level = std::max(level, 0);
  if (FSubMenuLevel >= level) StopSubMenuTimer();
  while (Count() > level) {
    QPointer<TbsSkinPopupWindow> window = FWindows.back();
    FWindows.pop_back();
    if (window) window->Dismiss();
  }
  if (level > 0 || FClosing) return;
  const QPointer<QObject> control = FControl;
  FControl = nullptr;
  FSkinData = nullptr;
  if (control) {
    FClosing = true;
    SendMessage(control, SkinMsgMenuClosed, 0, 0);
    FClosing = false;
  }
}

void TbsSkinMenu::StartSubMenuTimer(int level, TMenuItem* item) {
  // Hovering the item whose submenu is open already keeps it.
  if (TbsSkinPopupWindow* next = Window(level + 1); next && next->ParentItem() == item) {
    StopSubMenuTimer();
    return;
  }
  FSubMenuLevel = level;
  FSubMenuItem = item;
  FSubMenuTimer.start();
}

void TbsSkinMenu::StopSubMenuTimer() {
  FSubMenuTimer.stop();
  FSubMenuLevel = -1;
  FSubMenuItem = nullptr;
}

void TbsSkinMenu::SubMenuTimerStep() {
  TbsSkinPopupWindow* window = Window(FSubMenuLevel);
  TMenuItem* item = FSubMenuItem.data();
  const int level = FSubMenuLevel;
  StopSubMenuTimer();
  if (!window || !item) return;
  for (int i = 0; i < window->ItemCount(); ++i)
    if (window->Item(i).MenuItem() == item && window->Item(i).Highlighted) {
      OpenSubMenu(level, item, window->ItemScreenRect(i));
      return;
    }
}

void TbsSkinMenu::OpenSubMenu(int level, TMenuItem* item, const TRect& screenRect) {
  if (!item || item->Count() == 0 || level >= Count()) return;
  if (TbsSkinPopupWindow* next = Window(level + 1); next && next->ParentItem() == item) return;
  CloseFrom(level + 1);
  CreateWindow(level + 1, item, screenRect, false, 0);
}

void TbsSkinMenu::ExecuteItem(int level, TMenuItem* item, const TRect& screenRect) {
  if (!item || !item->Enabled()) return;
  if (item->Count() > 0) {
    if (TbsSkinPopupWindow* next = Window(level + 1); next && next->ParentItem() == item) return;
    const QPointer<TMenuItem> guard(item);
    const QPointer<TbsSkinMenu> self(this);
    CallGuarded([&] { item->Click(); });
    if (self && guard) OpenSubMenu(level, guard, screenRect);
    return;
  }
  // The handler may free the menu, the opener or the window: everything it
  // needs afterwards is taken first.
  const QPointer<QObject> control = FControl;
  const QPointer<TMenuItem> guard(item);
  CloseAll();
  LetThePopupsGo();
  if (guard) CallGuarded([&] { guard->Click(); });
  if (control) SendMessage(control, SkinMsgMenuCommand, 0, 0);
}
