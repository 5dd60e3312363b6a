// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/notifyicon.h"

#include <QCursor>
#include <QPointer>

namespace {

std::optional<bool> gAvailableOverride;

bool IsContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

TNotifyIcon::TNotifyIcon(QObject* parent) : QObject(parent) {
  connect(&FIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) { Activated(r); });
}

TNotifyIcon::~TNotifyIcon() { Delete(); }

bool TNotifyIcon::Available() {
  if (gAvailableOverride) return *gAvailableOverride;
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TNotifyIcon::SetAvailableOverride(std::optional<bool> value) { gAvailableOverride = value; }

std::string TNotifyIcon::CutTip(const std::string& tip) {
  // Counted in characters, never cutting inside a UTF-8 sequence.
  int characters = 0;
  for (size_t i = 0; i < tip.size(); ++i) {
    if (IsContinuationByte(static_cast<unsigned char>(tip[i]))) continue;
    if (characters == kMaxTipLength) return tip.substr(0, i);
    ++characters;
  }
  return tip;
}

void TNotifyIcon::Store(const QIcon& icon, const std::string& tip) {
  FTip = CutTip(tip);
  FIcon.setIcon(icon);
  FIcon.setToolTip(QString::fromStdString(FTip));
}

bool TNotifyIcon::Add(const QIcon& icon, const std::string& tip) {
  Store(icon, tip);
  FAdded = true;
  FIcon.show();
  return Available();
}

bool TNotifyIcon::Modify(const QIcon& icon, const std::string& tip) {
  Store(icon, tip);
  return FAdded && Available();
}

bool TNotifyIcon::Delete() {
  if (!FAdded) return false;
  FAdded = false;
  FIcon.hide();
  return Available();
}

void TNotifyIcon::Send(TNotifyIconMessage message, const QPoint& pos) {
  if (OnMessage) OnMessage(message, pos);
}

// The desktop reports whole gestures (on X11 at the press); each becomes the
// press and release it stands for, so a double-click arrives as down, up,
// double-click, up.
void TNotifyIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  const QPoint pos = QCursor::pos();
  QPointer<TNotifyIcon> alive(this);
  auto pair = [&](TNotifyIconMessage down, TNotifyIconMessage up) {
    Send(down, pos);
    if (alive) Send(up, pos);  // a handler may have freed the icon
  };
  switch (reason) {
    case QSystemTrayIcon::Trigger: pair(TNotifyIconMessage::LButtonDown, TNotifyIconMessage::LButtonUp); break;
    case QSystemTrayIcon::DoubleClick: pair(TNotifyIconMessage::LButtonDblClk, TNotifyIconMessage::LButtonUp); break;
    case QSystemTrayIcon::Context: pair(TNotifyIconMessage::RButtonDown, TNotifyIconMessage::RButtonUp); break;
    case QSystemTrayIcon::MiddleClick: pair(TNotifyIconMessage::MButtonDown, TNotifyIconMessage::MButtonUp); break;
    case QSystemTrayIcon::Unknown: break;
  }
}
