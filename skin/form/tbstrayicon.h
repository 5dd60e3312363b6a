// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon in the desktop's notification area: its icon, tip and
// menu, clicks told apart from double-clicks by the double-click time, icon
// cycling through a list, and the application hidden to the icon while
// minimised with MinimizeToTray. Where the desktop has no notification area
// the application is never hidden: it stays minimised where the user can
// get it back.

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "framework/tcomponent.h"
#include "framework/tcontrol.h"
#include "framework/tpopupmenu.h"
#include "platform/notifyicon.h"

class TForm;

// Fired before the icon moves on; `nextIndex` is IconIndex + 1 (0 without a list).
using TbsCycleEvent = std::function<void(int nextIndex)>;

class TbsTrayIcon : public TComponent {
  Q_OBJECT
 public:
  explicit TbsTrayIcon(QObject* owner = nullptr);
  ~TbsTrayIcon() override;

  // Published properties.
  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool value) { FDesignPreview = value; }
  const QList<QIcon>& IconList() const { return FIconList; }
  void SetIconList(const QList<QIcon>& value);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool value);
  unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
  void SetAnimateTimerInterval(unsigned value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  const QIcon& Icon() const { return FIcon; }
  void SetIcon(const QIcon& value);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool value);
  int IconIndex() const { return FIconIndex; }
  void SetIconIndex(int value);
  TPopupMenu* PopupMenu() const { return FPopupMenu.data(); }
  void SetPopupMenu(TPopupMenu* value) { FPopupMenu = value; }
  bool PopupByLeftButton() const { return FPopupByLeftButton; }
  void SetPopupByLeftButton(bool value) { FPopupByLeftButton = value; }
  bool MinimizedOnStart() const { return FMinimizedOnStart; }
  void SetMinimizedOnStart(bool value) { FMinimizedOnStart = value; }
  bool MinimizeToTray() const { return FMinimizeToTray; }
  void SetMinimizeToTray(bool value) { FMinimizeToTray = value; }

  // Events; X and Y are the pointer's screen position.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TbsCycleEvent OnCycle;

  // The icon in the notification area: IconVisible on and "add", off and
  // "delete", and "modify" after the icon or its tip changed.
  void AddIcon();
  void RemoveIcon();
  void UpdateIcon();
  // The tip the icon shows: Hint while ShowHint, cut to the record's length.
  std::string Tip() const;

  // The application: its main form, or the form owning this icon when the
  // application has no main form yet.
  TForm* ApplicationForm() const;
  void MinimizeApplication();
  // Hides the application's visible forms (only where there is a
  // notification area to bring them back from).
  void HideApplication();
  // Shows what HideApplication hid, a minimised main form back to normal.
  void ShowApplication();
  bool ApplicationHidden() const { return FApplicationHidden; }
  // While the application is hidden: when the notification area has gone
  // (its program ended), the application is shown again.
  static constexpr int kTrayWatchInterval = 1000;  // ms
  void TrayWatchStep();
  QTimer& TrayWatchTimer() { return FTrayWatchTimer; }

  // Input on the icon as the platform reports it (only while Enabled).
  void IconMessage(TNotifyIconMessage message, const QPoint& screenPos);
  // One tick of each timer; the timers call these, tests may too.
  void ClickTimerStep();
  void CycleTimerStep();
  QTimer& ClickTimer() { return FClickTimer; }
  QTimer& CycleTimer() { return FCycleTimer; }
  TNotifyIcon& NotifyIcon() { return FNotifyIcon; }

 protected:
  void Loaded() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplicationMinimized();
  // What HideApplication hid, the application's form first; nothing is hidden after.
  std::vector<QPointer<TForm>> TakeHiddenForms();
  void OpenMenu(const QPoint& screenPos);
  void UpdateCycleTimer();
  QIcon ShownIcon() const;

  bool FDesignPreview = false;
  QList<QIcon> FIconList;
  bool FCycleIcons = false;
  unsigned FAnimateTimerInterval = 0;
  bool FEnabled = true;
  std::string FHint;
  bool FShowHint = true;
  QIcon FIcon;
  bool FIconVisible = true;
  int FIconIndex = 0;
  QPointer<TPopupMenu> FPopupMenu;
  bool FPopupByLeftButton = false;
  bool FMinimizedOnStart = false;
  bool FMinimizeToTray = true;

  TNotifyIcon FNotifyIcon;
  QTimer FCycleTimer;
  QTimer FClickTimer;
  QTimer FTrayWatchTimer;
  bool FClickPending = false;  // left button down, not yet up
  bool FClickReady = false;    // a whole click waits for the double-click time
  bool FDblClicked = false;    // a double-click came within that time
  bool FApplicationHidden = false;
  bool FHidePosted = false;
  std::vector<QPointer<TForm>> FHiddenForms;
};
