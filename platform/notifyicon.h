// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One icon in the desktop's notification area, on QSystemTrayIcon: added,
// modified and deleted as a whole record (icon and tip), with its pointer
// input reported as the button messages a notification icon receives, so the
// component above it keeps one click logic whatever the desktop delivers.

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>
#include <functional>
#include <optional>
#include <string>

enum class TNotifyIconMessage {
  MouseMove,
  LButtonDown,
  LButtonUp,
  LButtonDblClk,
  RButtonDown,
  RButtonUp,
  MButtonDown,
  MButtonUp,
};

class TNotifyIcon : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMaxTipLength = 127;  // characters; the record keeps one more for the terminator

  explicit TNotifyIcon(QObject* parent = nullptr);
  ~TNotifyIcon() override;

  // Whether the desktop has a notification area now. Tests may pretend
  // either way; std::nullopt asks the desktop again.
  static bool Available();
  static void SetAvailableOverride(std::optional<bool> value);

  // Each returns false when the desktop has no notification area; the icon
  // is still kept, and the toolkit shows it as soon as one appears (it
  // re-docks the icon when the desktop's tray restarts, too).
  bool Add(const QIcon& icon, const std::string& tip);
  bool Modify(const QIcon& icon, const std::string& tip);
  bool Delete();
  bool Added() const { return FAdded; }
  // The tip as handed over: at most kMaxTipLength characters.
  const std::string& Tip() const { return FTip; }
  static std::string CutTip(const std::string& tip);

  // Input on the icon, with the pointer's screen position.
  std::function<void(TNotifyIconMessage message, const QPoint& screenPos)> OnMessage;

  // The toolkit's icon; tests drive its activated() signal.
  QSystemTrayIcon& TrayIcon() { return FIcon; }

 private:
  void Activated(QSystemTrayIcon::ActivationReason reason);
  void Send(TNotifyIconMessage message, const QPoint& pos);
  void Store(const QIcon& icon, const std::string& tip);

  QSystemTrayIcon FIcon;
  std::string FTip;
  bool FAdded = false;
};
