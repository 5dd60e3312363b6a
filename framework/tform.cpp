// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tform.h"

#include <cmath>
#include <cstddef>

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "framework/tbitmap.h"
#include "framework/tcanvas.h"
#include "framework/tfontconfiguration.h"
#include "platform/windowposition.h"

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

// The widget at the client rectangle. Its background is the form's to paint
// (WM_ERASEBKGND), so a frame can tile a skin picture there.
class TFormClientArea : public TControl {
 public:
  explicit TFormClientArea(TForm* form) : TControl(form), FForm(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);  // not the form's edge cursors
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    TCanvas canvas(&painter);
    FForm->Perform(WM_ERASEBKGND, reinterpret_cast<intptr_t>(&canvas), 0);
  }

 private:
  TForm* FForm;
};

TCursor CursorForHitCode(int hitCode) {
  switch (hitCode) {
    case HTLEFT:
    case HTRIGHT: return crSizeWE;
    case HTTOP:
    case HTBOTTOM: return crSizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return crSizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return crSizeNESW;
    default: return crArrow;
  }
}

TForm::TForm(QWidget* parent) : TControl(parent), FClientArea(new TFormClientArea(this)) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setMouseTracking(true);
  FClientArea->setObjectName(QStringLiteral("ClientArea"));
  Screen().FForms.push_back(this);
  PlaceClientArea();
}

TForm::~TForm() {
  DestroyWindow();
  auto& forms = Screen().FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TForm::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  setWindowTitle(QString::fromStdString(value));
  Perform(WM_SETTEXT);
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  FrameChanged();
}

void TForm::SetPlatformCaption(bool value) {
  if (FPlatformCaption == value) return;
  FPlatformCaption = value;
  const bool shown = isVisible();
  setWindowFlag(Qt::FramelessWindowHint, !value);  // hides a shown window
  if (shown) show();
}

TWindowState TForm::WindowState() const {
  if (isMinimized()) return wsMinimized;
  if (isMaximized()) return wsMaximized;
  return wsNormal;
}

void TForm::SetClientSize(int width, int height) {
  PlaceClientArea();  // margins as the window procedure gives them now
  const int marginW = this->width() - FClientArea->width();
  const int marginH = this->height() - FClientArea->height();
  SetBounds(x(), y(), width + marginW, height + marginH);
  PlaceClientArea();
}

void TForm::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  PlaceClientArea();  // a hidden window gets its resize event only when shown
}

void TForm::FrameChanged() {
  PlaceClientArea();
  InvalidateFrame();
}

void TForm::InvalidateFrame() {
  QRegion band(rect());
  band -= FClientArea->geometry();
  update(band);
}

void TForm::PlaceClientArea() {
  TRect r{0, 0, width(), height()};
  Perform(WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&r));
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  FClientArea->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TForm::BeginBuild() {
  FLoading = true;
  // The form's first text may wait for the font configuration; the first
  // picture follows soon after, and no control's paint buffer is larger
  // than the client area.
  if (ClientWidth() <= 0 || ClientHeight() <= 0) return;
  const std::size_t bytes = std::size_t(ClientWidth()) * std::size_t(ClientHeight()) * 4;
  TFontConfiguration::WhileWaiting([bytes] { TBitmap::PreparePaintMemory(bytes); });
}

void TForm::EndBuild() {
  if (!FLoading) return;
  FLoading = false;
  PlaceClientArea();
  std::function<void(TControl*)> built = [&](TControl* control) {
    for (QObject* o : control->children())
      if (auto* c = qobject_cast<TControl*>(o)) {
        c->FormBuilt();
        built(c);
      }
  };
  built(this);
  std::function<void(TControl*)> realignTree = [&](TControl* control) {
    control->Realign();
    for (QObject* o : control->children())
      if (auto* c = qobject_cast<TControl*>(o)) realignTree(c);
  };
  realignTree(this);
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate();
}

void TForm::DestroyWindow() {
  if (FWindowDestroyed) return;
  FWindowDestroyed = true;
  Perform(WM_DESTROY);
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TMinMaxInfo TForm::MinMaxInfo() {
  TMinMaxInfo info;
  Perform(WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
  return info;
}

void TForm::SetCapture() {
  if (FCaptured) return;
  FCaptured = true;
  grabMouse();
}

void TForm::ReleaseCapture() {
  if (!FCaptured) return;
  FCaptured = false;
  releaseMouse();
}

// What the platform does with a message nobody handled.
void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST: {
      const QPoint p = mapFromGlobal(QPoint(LParamX(m.LParam), LParamY(m.LParam)));
      m.Result = FClientArea->geometry().contains(p) ? HTCLIENT
                 : rect().contains(p)                  ? HTCAPTION
                                                       : HTNOWHERE;
      break;
    }
    case WM_ERASEBKGND: {
      auto* canvas = reinterpret_cast<TCanvas*>(m.WParam);
      canvas->Brush.Color = Color();
      canvas->Brush.Style = bsSolid;
      canvas->FillRect(TRect{0, 0, FClientArea->width(), FClientArea->height()});
      m.Result = 1;
      break;
    }
    case WM_NCLBUTTONDOWN:
      if (m.WParam == HTCAPTION || (m.WParam >= HTLEFT && m.WParam <= HTBOTTOMRIGHT))
        RunMoveSizeLoop(int(m.WParam), QPoint(LParamX(m.LParam), LParamY(m.LParam)));
      break;
    case WM_SYSCOMMAND:
      switch (m.WParam & 0xFFF0) {
        case SC_MINIMIZE: showMinimized(); break;
        case SC_MAXIMIZE: showMaximized(); break;
        case SC_RESTORE: showNormal(); break;
        case SC_CLOSE: close(); break;
        default: break;
      }
      break;
    default:
      break;
  }
}

void TForm::RunMoveSizeLoop(int hitCode, const QPoint& startGlobal) {
  if (FLoop) return;
  Perform(WM_ENTERSIZEMOVE);
  FMoveSize = MoveSize{hitCode, startGlobal, geometry(), MinMaxInfo()};
  QEventLoop loop;
  FLoop = &loop;
  const bool hadCapture = FCaptured;
  if (!hadCapture) grabMouse(ToQtCursor(hitCode == HTCAPTION ? crArrow : CursorForHitCode(hitCode)));
  loop.exec();
  FLoop = nullptr;
  if (!hadCapture) releaseMouse();
  Perform(WM_EXITSIZEMOVE);
}

void TForm::MoveSizeStep(const QPoint& global) {
  const MoveSize& s = FMoveSize;
  const QPoint d = global - s.StartGlobal;
  TRect r = FromQRect(s.StartRect);
  if (s.HitCode == HTCAPTION) {
    OffsetRect(r, d.x(), d.y());
    Perform(WM_MOVING, 0, reinterpret_cast<intptr_t>(&r));
    move(r.Left, r.Top);
    return;
  }
  const int h = s.HitCode;
  const bool left = h == HTLEFT || h == HTTOPLEFT || h == HTBOTTOMLEFT;
  const bool right = h == HTRIGHT || h == HTTOPRIGHT || h == HTBOTTOMRIGHT;
  const bool top = h == HTTOP || h == HTTOPLEFT || h == HTTOPRIGHT;
  const bool bottom = h == HTBOTTOM || h == HTBOTTOMLEFT || h == HTBOTTOMRIGHT;
  const TPoint minSize = s.Limits.MinTrackSize, maxSize = s.Limits.MaxTrackSize;
  // The moving edge stops where the size reaches a track limit.
  auto clampSpan = [](int span, int lo, int hi) { return std::max(lo, std::min(span, std::max(lo, hi))); };
  if (left) r.Left = r.Right - clampSpan(r.Width() - d.x(), minSize.X, maxSize.X);
  if (right) r.Right = r.Left + clampSpan(r.Width() + d.x(), minSize.X, maxSize.X);
  if (top) r.Top = r.Bottom - clampSpan(r.Height() - d.y(), minSize.Y, maxSize.Y);
  if (bottom) r.Bottom = r.Top + clampSpan(r.Height() + d.y(), minSize.Y, maxSize.Y);
  const int edge = h == HTLEFT ? WMSZ_LEFT : h == HTRIGHT ? WMSZ_RIGHT : h == HTTOP ? WMSZ_TOP
                 : h == HTTOPLEFT ? WMSZ_TOPLEFT : h == HTTOPRIGHT ? WMSZ_TOPRIGHT
                 : h == HTBOTTOM ? WMSZ_BOTTOM : h == HTBOTTOMLEFT ? WMSZ_BOTTOMLEFT : WMSZ_BOTTOMRIGHT;
  Perform(WM_SIZING, edge, reinterpret_cast<intptr_t>(&r));
  setGeometry(ToQRect(r));
}

void TForm::paintEvent(QPaintEvent*) {
  if (FClientArea->geometry() == rect()) return;  // no non-client area
  QPainter painter(this);
  TCanvas canvas(&painter);
  Perform(WM_NCPAINT, reinterpret_cast<intptr_t>(&canvas), 0);
}

void TForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceClientArea();
  const int kind = isMaximized() ? SIZE_MAXIMIZED : isMinimized() ? SIZE_MINIMIZED : SIZE_RESTORED;
  Perform(WM_SIZE, kind, MakeLParam(width(), height()));
}

void TForm::MouseMessage(QMouseEvent* event, unsigned ncMsg, unsigned clientMsg) {
  const QPoint global = PixelAt(event->globalPosition());
  if (FCaptured) {
    const QPoint p = FClientArea->mapFromGlobal(global);
    Perform(clientMsg, 0, MakeLParam(p.x(), p.y()));
    return;
  }
  const intptr_t where = MakeLParam(global.x(), global.y());
  const int hit = int(Perform(WM_NCHITTEST, 0, where));
  if (ncMsg == WM_NCMOUSEMOVE) setCursor(ToQtCursor(CursorForHitCode(hit)));
  Perform(ncMsg, hit, where);
}

static bool IsRight(const QMouseEvent* e) { return e->button() == Qt::RightButton; }

void TForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && !IsRight(event)) return;
  MouseMessage(event, IsRight(event) ? WM_NCRBUTTONDOWN : WM_NCLBUTTONDOWN,
               IsRight(event) ? WM_RBUTTONDOWN : WM_LBUTTONDOWN);
}

void TForm::mouseReleaseEvent(QMouseEvent* event) {
  if (FLoop) {
    if (event->button() == Qt::LeftButton) FLoop->quit();
    return;
  }
  if (event->button() != Qt::LeftButton && !IsRight(event)) return;
  MouseMessage(event, IsRight(event) ? WM_NCRBUTTONUP : WM_NCLBUTTONUP,
               IsRight(event) ? WM_RBUTTONUP : WM_LBUTTONUP);
}

void TForm::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && !IsRight(event)) return;
  MouseMessage(event, IsRight(event) ? WM_NCRBUTTONDBLCLK : WM_NCLBUTTONDBLCLK,
               IsRight(event) ? WM_RBUTTONDOWN : WM_LBUTTONDOWN);
}

void TForm::mouseMoveEvent(QMouseEvent* event) {
  if (FLoop) {
    if (event->buttons() & Qt::LeftButton) MoveSizeStep(PixelAt(event->globalPosition()));
    else FLoop->quit();  // the button went up where we did not see it
    return;
  }
  MouseMessage(event, WM_NCMOUSEMOVE, WM_MOUSEMOVE);
}

void TForm::keyPressEvent(QKeyEvent* event) {
  if (FLoop && event->key() == Qt::Key_Escape) {
    setGeometry(FMoveSize.StartRect);  // Escape puts the window back
    FLoop->quit();
    return;
  }
  TControl::keyPressEvent(event);
}

void TForm::changeEvent(QEvent* event) {
  TControl::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) {
    const intptr_t active = isActiveWindow() ? 1 : 0;
    Perform(WM_NCACTIVATE, active);
    Perform(WM_ACTIVATE, active);
  }
}

void TForm::showEvent(QShowEvent* event) {
  Perform(WM_SHOWWINDOW, 1);
  TControl::showEvent(event);
  // A window manager may place the window as it maps it without any
  // configure notice reaching us; every mapping of the pointer would then use
  // a stale position. So each map is checked once the window is exposed.
  if (QWindow* handle = windowHandle(); handle && isWindow()) {
    handle->removeEventFilter(this);
    handle->installEventFilter(this);
    FCheckPlacement = true;
  }
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
  if (FCheckPlacement && event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
    FCheckPlacement = false;
    CheckPlacement();
  }
  return TControl::eventFilter(watched, event);
}

void TForm::CheckPlacement() {
  if (FLoop || windowState() != Qt::WindowNoState) return;
  QPoint real;
  if (!WindowSystemPosition(windowHandle(), real)) return;
  const QPoint known = geometry().topLeft();
  // Asking for the place where the window already is changes nothing on the
  // screen and puts our idea of the position right.
  // At a fractional scale the server's device pixels round to either
  // neighbouring logical pixel; only a real difference is a misplacement.
  const qreal ratio = windowHandle()->devicePixelRatio();
  const int slack = ratio == std::floor(ratio) ? 0 : 1;
  const QPoint error = real - known;
  if (std::abs(error.x()) > slack || std::abs(error.y()) > slack) move(pos() + error);
}

void TForm::hideEvent(QHideEvent* event) {
  Perform(WM_SHOWWINDOW, 0);
  TControl::hideEvent(event);
}

void TForm::closeEvent(QCloseEvent* event) {
  TCloseAction action = caHide;
  if (OnClose) OnClose(action);
  if (action == caNone) event->ignore();
  else event->accept();
}
