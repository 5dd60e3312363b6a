// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The boundary between Qt and the program's own handlers. Qt's event
// delivery is not written for exceptions passing through it, so an error
// raised by a handler ends where the framework called the handler: it is
// shown in the application's error box there and the program goes on.

#include <exception>
#include <utility>

// Shows `error` as an error that reached the message loop is shown.
void ReportHandlerException(const std::exception& error);

// Runs `handler` at a place where Qt called into the program; false when it
// raised an error (already shown by then).
template <class F>
bool CallGuarded(F&& handler) {
  try {
    std::forward<F>(handler)();
    return true;
  } catch (const std::exception& error) {
    ReportHandlerException(error);
    return false;
  }
}
