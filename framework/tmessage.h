#pragma once
// Messages between components: a Qt event carrying a message number and two
// parameters, delivered synchronously so the receiver has handled it before
// SendMessage returns.

#include <QEvent>
#include <cstdint>

constexpr unsigned WM_USER = 1024;
constexpr unsigned SkinMsgBeforeChange = WM_USER + 201;
constexpr unsigned SkinMsgChange = WM_USER + 202;
constexpr unsigned SkinMsgAfterChange = WM_USER + 203;
constexpr unsigned SkinMsgMenuClosed = WM_USER + 204;
constexpr unsigned SkinMsgMenuCommand = WM_USER + 205;
constexpr unsigned SkinMsgStringsChange = WM_USER + 250;
constexpr unsigned WM_TRAYICONNOTIFY = 2048;

struct TMessage {
  unsigned Msg = 0;
  intptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

class TMessageEvent : public QEvent {
 public:
  explicit TMessageEvent(const TMessage& message)
      : QEvent(static_cast<QEvent::Type>(message.Msg)), Message(message) {}
  TMessage Message;
};

// Message numbers are event types; they all lie in Qt's user range.
inline bool IsMessageEvent(const QEvent* e) {
  return e->type() >= QEvent::User && dynamic_cast<const TMessageEvent*>(e) != nullptr;
}

class QObject;
intptr_t SendMessage(QObject* receiver, unsigned msg, intptr_t wParam, intptr_t lParam);
