// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tmessage.h"

#include <QCoreApplication>

intptr_t SendMessage(QObject* receiver, unsigned msg, intptr_t wParam, intptr_t lParam) {
  if (!receiver) return 0;
  TMessageEvent event(TMessage{msg, wParam, lParam, 0});
  QCoreApplication::sendEvent(receiver, &event);
  return event.Message.Result;
}
