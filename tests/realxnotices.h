// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting until this program has taken in what the X server told it, for
// the real-X suites that read window states the toolkit learns from notices.

#include <gtest/gtest.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

#include "realx.h"

namespace realx {

inline xcb_connection_t* XConnection() {
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

inline xcb_atom_t NoticeMarkAtom() {
  static const char kName[] = "_BR_TEST_NOTICE_MARK";
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
      xcb_intern_atom_reply(XConnection(), xcb_intern_atom(XConnection(), 0, sizeof kName - 1, kName), nullptr),
      &std::free);
  return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Sees the notice of a change of property `Atom` of window `Window` where the
// toolkit handles the server's events.
struct TPropertyNoticeSeen : QAbstractNativeEventFilter {
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(message);
    if ((e->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
    if (p->window == Window && p->atom == Atom) Seen = true;
    return false;
  }
  xcb_window_t Window = 0;
  xcb_atom_t Atom = 0;
  bool Seen = false;
};

// Until the toolkit has handled every notice the server sent about `w` so
// far: a property of our own is changed, and its notice, which the server
// sends after all earlier ones, is awaited where the toolkit takes them in.
// (A round trip alone does not do: the toolkit reads events on a thread of
// its own and may not have them yet.)
inline void TakeInNotices(const QWidget& w) {
  TPropertyNoticeSeen mark;
  mark.Window = xcb_window_t(w.winId());
  mark.Atom = NoticeMarkAtom();
  qApp->installNativeEventFilter(&mark);
  const uint32_t value = 1;
  xcb_change_property(XConnection(), XCB_PROP_MODE_REPLACE, mark.Window, mark.Atom, XCB_ATOM_CARDINAL, 32, 1, &value);
  xcb_flush(XConnection());
  const bool seen = QTest::qWaitFor([&] { return mark.Seen; }, realx::kPatienceMs);
  qApp->removeNativeEventFilter(&mark);
  ASSERT_TRUE(seen) << "the toolkit takes in the server's notices";
  QCoreApplication::processEvents();  // and what handling them posted
}

}  // namespace realx
