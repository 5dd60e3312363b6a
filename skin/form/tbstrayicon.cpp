// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbstrayicon.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyle>
#include <QStyleHints>
#include <algorithm>
#include <climits>

#include "framework/tapplication.h"
#include "framework/tform.h"
#include "framework/tmenuitem.h"
#include "framework/handlerguard.h"

namespace {

// The owner's icon stands in while the application has none of its own.
QIcon ApplicationIcon(const QObject* owner) {
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull())
    if (auto* form = qobject_cast<const TForm*>(owner)) icon = form->windowIcon();
  return icon;
}

// A form that is still whole: one being torn down is no longer a TForm.
TForm* WholeForm(const QPointer<TForm>& form) { return qobject_cast<TForm*>(static_cast<QObject*>(form.data())); }

}  // namespace

TbsTrayIcon::TbsTrayIcon(QObject* owner) : TComponent(owner) {
  connect(&FCycleTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { CycleTimerStep(); }); });
  // A click counts only once the double-click time has passed without a
  // second press.
  FClickTimer.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
  connect(&FClickTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { ClickTimerStep(); }); });
  FTrayWatchTimer.setInterval(kTrayWatchInterval);
  connect(&FTrayWatchTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { TrayWatchStep(); }); });
  FNotifyIcon.OnMessage = [this](TNotifyIconMessage message, const QPoint& pos) {
    CallGuarded([&] { IconMessage(message, pos); });
  };
  if (ComponentState() & csDesigning) return;
  FIcon = ApplicationIcon(owner);
  if (qApp) qApp->installEventFilter(this);
}

TbsTrayIcon::~TbsTrayIcon() {
  if (qApp) qApp->removeEventFilter(this);
  FClickTimer.stop();
  FCycleTimer.stop();
  FTrayWatchTimer.stop();
  // Whatever this icon hid must not stay out of reach once it is gone.
  if (FApplicationHidden)
    for (const QPointer<TForm>& hidden : FHiddenForms)
      if (TForm* form = WholeForm(hidden)) form->isMinimized() ? form->showNormal() : form->show();
  FNotifyIcon.Delete();
}

// ---------------------------------------------------------------- properties

void TbsTrayIcon::SetIconList(const QList<QIcon>& value) {
  FIconList = value;
  FIconIndex = std::clamp(FIconIndex, 0, std::max(0, int(FIconList.size()) - 1));
}

void TbsTrayIcon::SetCycleIcons(bool value) {
  if (FCycleIcons == value) return;
  FCycleIcons = value;
  if (value) FIconIndex = 0;
  UpdateCycleTimer();
}

void TbsTrayIcon::SetAnimateTimerInterval(unsigned value) {
  if (FAnimateTimerInterval == value) return;
  FAnimateTimerInterval = value;
  UpdateCycleTimer();
}

void TbsTrayIcon::UpdateCycleTimer() {
  // An interval of 0 means no cycling, never a timer that spins.
  if (FCycleIcons && FAnimateTimerInterval > 0 && !(ComponentState() & csDesigning)) {
    FCycleTimer.start(int(std::min<unsigned>(FAnimateTimerInterval, INT_MAX)));
  } else {
    FCycleTimer.stop();
  }
}

void TbsTrayIcon::SetHint(const std::string& value) {
  if (FHint == value) return;
  FHint = value;
  UpdateIcon();
}

void TbsTrayIcon::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  UpdateIcon();
}

void TbsTrayIcon::SetIcon(const QIcon& value) {
  if (FIcon.cacheKey() == value.cacheKey()) return;
  FIcon = value;
  UpdateIcon();
}

void TbsTrayIcon::SetIconVisible(bool value) {
  // A stored layout sets the property before the icon may appear (Loaded).
  if (ComponentState() & (csLoading | csDesigning)) {
    FIconVisible = value;
    return;
  }
  if (FIconVisible == value && FNotifyIcon.Added() == value) return;
  value ? AddIcon() : RemoveIcon();
}

void TbsTrayIcon::SetIconIndex(int value) {
  value = std::clamp(value, 0, std::max(0, int(FIconList.size()) - 1));
  if (FIconIndex == value) return;
  FIconIndex = value;
  if (!FIconList.isEmpty()) FIcon = FIconList[value];
  UpdateIcon();
}

// ---------------------------------------------------------------- the icon

std::string TbsTrayIcon::Tip() const { return FShowHint ? TNotifyIcon::CutTip(FHint) : std::string(); }

QIcon TbsTrayIcon::ShownIcon() const {
  if (!FIcon.isNull()) return FIcon;
  // Never an empty slot the user cannot see to click.
  const QIcon icon = ApplicationIcon(Owner());
  return icon.isNull() ? QApplication::style()->standardIcon(QStyle::SP_ComputerIcon) : icon;
}

void TbsTrayIcon::AddIcon() {
  FIconVisible = true;
  FNotifyIcon.Add(ShownIcon(), Tip());  // no notification area: the icon waits for one
}

void TbsTrayIcon::RemoveIcon() {
  FIconVisible = false;
  FNotifyIcon.Delete();
}

void TbsTrayIcon::UpdateIcon() { FNotifyIcon.Modify(ShownIcon(), Tip()); }

void TbsTrayIcon::Loaded() {
  if (ComponentState() & csDesigning) return;
  TForm* app = ApplicationForm();
  if (FMinimizedOnStart && qobject_cast<TForm*>(Owner()) && app) {
    FIconVisible = true;
    FMinimizeToTray = true;
    if (TNotifyIcon::Available()) {
      if (Application()) Application()->SetShowMainForm(false);
      app->hide();
      FHiddenForms.emplace_back(app);
      FApplicationHidden = true;
      FTrayWatchTimer.start();
    } else {
      // Nowhere to show the icon: the window starts minimised instead of
      // out of the user's reach.
      app->setWindowState(app->windowState() | Qt::WindowMinimized);
    }
  }
  FIconVisible ? AddIcon() : RemoveIcon();
}

// ---------------------------------------------------------------- the application

TForm* TbsTrayIcon::ApplicationForm() const {
  if (Application() && Application()->MainForm()) return Application()->MainForm();
  return qobject_cast<TForm*>(Owner());
}

void TbsTrayIcon::MinimizeApplication() {
  if (TForm* app = ApplicationForm()) app->showMinimized();
}

bool TbsTrayIcon::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    TForm* app = ApplicationForm();
    if (app && watched == app && app->isMinimized()) ApplicationMinimized();
  } else if (event->type() == QEvent::Show && FApplicationHidden && watched == Owner()) {
    // The program showed its window while it sat in the tray: the whole
    // application comes back, restored and in front (once the show is done).
    QTimer::singleShot(0, this, [this] {
      if (FApplicationHidden) ShowApplication();
    });
  }
  return false;
}

void TbsTrayIcon::ApplicationMinimized() {
  if (!FMinimizeToTray || FHidePosted) return;
  // Later, not now: the minimise that sent this still shows the window once
  // the notice returns.
  FHidePosted = true;
  QTimer::singleShot(0, this, [this] {
    FHidePosted = false;
    TForm* app = ApplicationForm();
    if (!FMinimizeToTray || !app || !app->isMinimized() || !TNotifyIcon::Available()) return;
    HideApplication();
    AddIcon();
  });
}

void TbsTrayIcon::HideApplication() {
  if (!TNotifyIcon::Available()) return;
  for (TForm* form : Screen().Forms())
    if (form->isVisible()) {
      FHiddenForms.emplace_back(form);
      form->hide();
    }
  FApplicationHidden = true;
  FTrayWatchTimer.start();
}

std::vector<QPointer<TForm>> TbsTrayIcon::TakeHiddenForms() {
  std::vector<QPointer<TForm>> forms;
  forms.swap(FHiddenForms);
  FApplicationHidden = false;
  FTrayWatchTimer.stop();
  TForm* app = ApplicationForm();
  if (app && std::find(forms.begin(), forms.end(), app) == forms.end()) forms.emplace(forms.begin(), app);
  return forms;
}

void TbsTrayIcon::TrayWatchStep() {
  if (FApplicationHidden && !TNotifyIcon::Available()) ShowApplication();
}

void TbsTrayIcon::ShowApplication() {
  TForm* app = ApplicationForm();
  for (const QPointer<TForm>& hidden : TakeHiddenForms()) {
    TForm* form = WholeForm(hidden);
    if (!form) continue;
    if (form->isMinimized()) form->showNormal();
    else form->show();
  }
  if (app) {
    app->raise();
    app->activateWindow();
  }
}

// ---------------------------------------------------------------- input

void TbsTrayIcon::IconMessage(TNotifyIconMessage message, const QPoint& pos) {
  if (!FEnabled) return;
  const TShiftState keys = ShiftStateOf(QGuiApplication::queryKeyboardModifiers(), Qt::NoButton);
  const int x = pos.x(), y = pos.y();
  QPointer<TbsTrayIcon> alive(this);  // a handler may free the icon
  switch (message) {
    case TNotifyIconMessage::MouseMove:
      if (OnMouseMove) OnMouseMove(keys, x, y);
      break;
    case TNotifyIconMessage::LButtonDown:
      if (!FClickTimer.isActive()) FDblClicked = false;
      FClickTimer.start();
      FClickPending = true;
      if (OnMouseDown) OnMouseDown(mbLeft, keys | ssLeft, x, y);
      if (alive && FPopupByLeftButton) OpenMenu(pos);
      break;
    case TNotifyIconMessage::LButtonUp:
      if (FClickPending) {
        FClickPending = false;
        if (FClickTimer.isActive()) {
          FClickReady = true;
        } else if (OnClick) {
          OnClick();  // released after the double-click time: no second click can follow
        }
      }
      if (alive && OnMouseUp) OnMouseUp(mbLeft, keys | ssLeft, x, y);
      break;
    case TNotifyIconMessage::LButtonDblClk:
      FClickReady = false;
      FDblClicked = true;
      if (OnDblClick) OnDblClick();
      if (alive && FPopupMenu && FPopupMenu->AutoPopup() && !FPopupByLeftButton)
        if (TMenuItem* item = FPopupMenu->DefaultItem()) item->Click();
      break;
    case TNotifyIconMessage::RButtonDown:
      if (OnMouseDown) OnMouseDown(mbRight, keys | ssRight, x, y);
      if (alive) OpenMenu(pos);
      break;
    case TNotifyIconMessage::RButtonUp:
      if (OnMouseUp) OnMouseUp(mbRight, keys | ssRight, x, y);
      break;
    case TNotifyIconMessage::MButtonDown:
      if (OnMouseDown) OnMouseDown(mbMiddle, keys | ssMiddle, x, y);
      break;
    case TNotifyIconMessage::MButtonUp:
      if (OnMouseUp) OnMouseUp(mbMiddle, keys | ssMiddle, x, y);
      break;
  }
}

void TbsTrayIcon::OpenMenu(const QPoint& pos) {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(pos.x(), pos.y());
}

void TbsTrayIcon::ClickTimerStep() {
  FClickTimer.stop();
  const bool click = FClickReady && !FDblClicked;
  FClickReady = false;
  FDblClicked = false;
  if (click && OnClick) OnClick();
}

void TbsTrayIcon::CycleTimerStep() {
  QPointer<TbsTrayIcon> alive(this);
  const bool hasList = !FIconList.isEmpty();
  if (hasList) FIcon = FIconList[FIconIndex];
  if (OnCycle) OnCycle(hasList ? FIconIndex + 1 : 0);
  if (!alive) return;
  UpdateIcon();
  // The handler may have changed the list.
  const int count = int(FIconList.size());
  FIconIndex = FIconIndex + 1 < count ? FIconIndex + 1 : 0;
}
