// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tapplication.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>

#include "framework/handlerguard.h"
#include "framework/tcontrol.h"
#include "framework/tform.h"

namespace {
TApplication* gApplication = nullptr;
constexpr int kHintMaxWidth = 400;    // hint texts wrap beyond this width

TControl* ControlAt(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget())
    if (auto* c = qobject_cast<TControl*>(w)) return c;
  return nullptr;
}
}  // namespace

TApplication* Application() { return gApplication; }

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  gApplication = this;
  FHintTimer.setSingleShot(true);
  FHideTimer.setSingleShot(true);
  connect(&FHintTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { ShowHintNow(); }); });
  connect(&FHideTimer, &QTimer::timeout, this, [this] {
    CallGuarded([this] {
      if (FHintWindow) FHintWindow->ReleaseHandle();
      FHintShowing = false;
    });
  });
}

TApplication::~TApplication() {
  FHintWindow.reset();
  if (gApplication == this) gApplication = nullptr;
}

void TApplication::SetTitle(const std::string& value) {
  if (FTitle == value) return;
  // Not Qt's display name: the window system would append that to every
  // window's title, and a window's title is exactly its caption.
  FTitle = value;
}

std::string TApplication::ErrorBoxText(const std::string& message) {
  std::string text = message;
  // A sentence that already ends, in either script, takes no second full stop.
  for (const char* end : {"。", "！", "？", ".", "!", "?"})
    if (text.ends_with(end)) return text;
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

void TApplication::ShowException(const std::string& message) {
  CancelHint();
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(FTitle),
                  QString::fromStdString(ErrorBoxText(message)), QMessageBox::Ok,
                  activeWindow());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) OnException(e);
  else ShowException(e.what());
}

int TApplication::Run() {
  if (FMainForm && FShowMainForm) {
    FMainForm->show();
    FMainForm->activateWindow();  // the desktop gives a new program the focus
  }
  setQuitOnLastWindowClosed(true);
  return exec();
}

void TApplication::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  if (!value) CancelHint();
}

void TApplication::SetHintWindowClass(THintWindowClass factory) {
  CancelHint();
  FHintWindowClass = std::move(factory);
  FHintWindow.reset();
}

std::string TApplication::GetHint(const TControl* control) {
  for (const TControl* c = control; c; c = c->ParentControl())
    if (!c->Hint().empty()) return c->Hint();
  return {};
}

void TApplication::CancelHint() {
  FHintTimer.stop();
  FHideTimer.stop();
  if (FHintWindow) FHintWindow->ReleaseHandle();
  FHintShowing = false;
  FHintControl = nullptr;
}

void TApplication::HintMouseMove(QWidget* widget) {
  TControl* control = ControlAt(widget);
  if (control == FHintControl) return;
  const bool wasShowing = FHintShowing;
  if (FHintWindow) FHintWindow->ReleaseHandle();
  FHintShowing = false;
  FHideTimer.stop();
  FHintControl = control;
  if (!control || !FShowHint) {
    FHintTimer.stop();
    return;
  }
  // Moving from one hint to the next shows the next one almost at once.
  FHintTimer.start(wasShowing ? FHintShortPause : FHintPause);
}

void TApplication::ShowHintNow() {
  TControl* control = FHintControl;
  if (!control || !FShowHint || !control->ShowHint() || !control->isVisible()) return;
  std::string hint = GetHint(control);
  if (hint.empty()) return;
  const int cursorHeight = HintCursorHeight();
  THintInfo info;
  info.HintControl = control;
  info.CursorPos = FromQPoint(QCursor::pos());
  info.HintPos = TPoint{info.CursorPos.X, info.CursorPos.Y + cursorHeight};
  info.HintMaxWidth = kHintMaxWidth;
  info.HideTimeout = FHintHidePause;
  bool canShow = true;
  if (OnShowHint) OnShowHint(hint, canShow, info);
  if (!canShow || hint.empty()) return;
  if (!FHintWindow) FHintWindow.reset(FHintWindowClass ? FHintWindowClass() : new THintWindow());
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, hint);
  OffsetRect(r, info.HintPos.X, info.HintPos.Y);
  if (const QScreen* screen = control->screen()) {
    const QRect area = screen->availableGeometry();
    if (r.Right > area.right() + 1) OffsetRect(r, area.right() + 1 - r.Right, 0);
    if (r.Bottom > area.bottom() + 1) OffsetRect(r, 0, info.CursorPos.Y - r.Bottom - 4);
    if (r.Left < area.left()) OffsetRect(r, area.left() - r.Left, 0);
  }
  FHintWindow->ActivateHint(r, hint);
  FHintShowing = true;
  FHideTimer.start(info.HideTimeout);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      if (auto* w = qobject_cast<QWidget*>(receiver); w && !qobject_cast<THintWindow*>(w))
        HintMouseMove(w);
      break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
      // The next move, even over the same control, starts a new hint.
      if (FHintControl) CancelHint();
      break;
    default:
      break;
  }
  // The last resort: handlers are guarded where the framework calls them, so
  // an error seen here has already unwound through Qt.
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ++FExceptionsReachingTheLoop;
    HandleException(e);
    return true;
  }
}
