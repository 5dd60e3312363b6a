// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Messages between components: a Qt event carrying a message number and two
// parameters, delivered synchronously so the receiver has handled it before
// SendMessage returns.

#include <QEvent>
#include <cstdint>

// Window messages the framework sends to a form's window procedure.
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_SIZE = 0x0005;            // WParam: SIZE_*; LParam: MakeLParam(width, height)
constexpr unsigned WM_ACTIVATE = 0x0006;        // WParam: 1 active, 0 inactive
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_ERASEBKGND = 0x0014;      // WParam: TCanvas* of the client area; Result 1 when filled
constexpr unsigned WM_SHOWWINDOW = 0x0018;      // WParam: 1 showing, 0 hiding
constexpr unsigned WM_GETMINMAXINFO = 0x0024;   // LParam: TMinMaxInfo*
constexpr unsigned WM_NCCALCSIZE = 0x0083;      // LParam: TRect* window rectangle in, client rectangle out
constexpr unsigned WM_NCHITTEST = 0x0084;       // LParam: screen point; Result: HT* code
constexpr unsigned WM_NCPAINT = 0x0085;         // WParam: TCanvas* of the whole window
constexpr unsigned WM_NCACTIVATE = 0x0086;      // WParam: 1 active, 0 inactive
constexpr unsigned WM_NCMOUSEMOVE = 0x00A0;     // WParam: hit code; LParam: screen point
constexpr unsigned WM_NCLBUTTONDOWN = 0x00A1;
constexpr unsigned WM_NCLBUTTONUP = 0x00A2;
constexpr unsigned WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr unsigned WM_NCRBUTTONDOWN = 0x00A4;
constexpr unsigned WM_NCRBUTTONUP = 0x00A5;
constexpr unsigned WM_NCRBUTTONDBLCLK = 0x00A6;
constexpr unsigned WM_SYSCOMMAND = 0x0112;      // WParam: SC_*
constexpr unsigned WM_MOUSEMOVE = 0x0200;       // with capture; LParam: client point
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_SIZING = 0x0214;          // WParam: WMSZ_* edge; LParam: TRect* proposed (screen)
constexpr unsigned WM_MOVING = 0x0216;          // LParam: TRect* proposed (screen)
constexpr unsigned WM_ENTERSIZEMOVE = 0x0231;
constexpr unsigned WM_EXITSIZEMOVE = 0x0232;

constexpr int SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2;
constexpr int SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030,
              SC_CLOSE = 0xF060, SC_KEYMENU = 0xF100, SC_RESTORE = 0xF120;
constexpr int WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
              WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8;

// Hit-test codes.
constexpr int HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3, HTLEFT = 10, HTRIGHT = 11,
              HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16,
              HTBOTTOMRIGHT = 17, HTOBJECT = 19;

// Points travel in LParam as two signed 16-bit halves, x low.
inline intptr_t MakeLParam(int x, int y) {
  return intptr_t(uint32_t(uint16_t(int16_t(x))) | (uint32_t(uint16_t(int16_t(y))) << 16));
}
inline int LParamX(intptr_t l) { return int16_t(uint16_t(uint32_t(l) & 0xFFFF)); }
inline int LParamY(intptr_t l) { return int16_t(uint16_t(uint32_t(l) >> 16)); }

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
