#include "platform/windowposition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdlib>
#include <memory>

#if QT_CONFIG(xcb) && defined(BR_HAVE_XCB)
#include <xcb/xcb.h>
#endif

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
