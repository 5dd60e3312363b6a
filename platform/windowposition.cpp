// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowposition.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <cstdlib>
#include <memory>

#if QT_CONFIG(xcb) && defined(BR_HAVE_XCB)
#include <xcb/xcb.h>
#endif

QPoint PointerPixel() {
#if QT_CONFIG(xcb) && defined(BR_HAVE_XCB)
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  const xcb_setup_t* setup = c ? xcb_get_setup(c) : nullptr;
  if (setup && setup->roots_len > 0) {
    const xcb_screen_t* root = xcb_setup_roots_iterator(setup).data;
    const auto freeReply = [](void* p) { std::free(p); };
    std::unique_ptr<xcb_query_pointer_reply_t, decltype(freeReply)> at(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root->root), nullptr), freeReply);
    if (at) {
      const QPoint device(at->root_x, at->root_y);
      // Each screen's device origin is its logical origin times its ratio.
      for (QScreen* screen : QGuiApplication::screens()) {
        const qreal ratio = screen->devicePixelRatio();
        const QRect logical = screen->geometry();
        const QRectF area(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio);
        if (!area.contains(device)) continue;
        const QPointF offset = (QPointF(device) - area.topLeft()) / ratio;
        return logical.topLeft() + QPoint(int(std::floor(offset.x())), int(std::floor(offset.y())));
      }
    }
  }
#endif
  return QCursor::pos();
}

bool WindowSystemPosition(const QWindow* window, QPoint& position) {
#if QT_CONFIG(xcb) && defined(BR_HAVE_XCB)
  if (!window || !window->handle()) return false;
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return false;
  xcb_connection_t* c = x11->connection();
  const auto id = xcb_window_t(window->winId());
  const auto freeReply = [](void* p) { std::free(p); };
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(freeReply)> geometry(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), freeReply);
  if (!geometry) return false;
  std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(freeReply)> at(
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, geometry->root, 0, 0), nullptr),
      freeReply);
  if (!at) return false;
  // The server counts device pixels; the toolkit places windows in logical
  // ones. With a scale factor every screen's device origin is its logical
  // origin times the ratio, so the point maps back through its screen.
  const QPoint device(at->dst_x, at->dst_y);
  const qreal ratio = window->devicePixelRatio();
  if (ratio == 1.0) {
    position = device;
    return true;
  }
  const QPoint origin = window->screen() ? window->screen()->geometry().topLeft() : QPoint();
  const QPointF offset = QPointF(device - origin * ratio) / ratio;
  position = origin + QPoint(qRound(offset.x()), qRound(offset.y()));
  return true;
#else
  Q_UNUSED(window);
  Q_UNUSED(position);
  return false;
#endif
}
