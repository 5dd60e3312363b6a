// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tcontrol.h"

#include "framework/handlerguard.h"
#include "framework/tform.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <vector>

namespace {
// Children that keep resizing each other settle within a few passes; the
// bound stops a pair that never would.
constexpr int kMaxRealignPasses = 8;
}  // namespace

TControl::TControl(QWidget* parent) : QWidget(parent) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  setMouseTracking(true);  // OnMouseMove comes with and without a button down
  FFont.OnChange = [this] { FontChanged(); };
  setFont(FFont.ToQFont());
}

TControl* TControl::ParentControl() const { return qobject_cast<TControl*>(parentWidget()); }

void TControl::SetBounds(int left, int top, int width, int height) {
  const QRect wanted(left, top, std::max(0, width), std::max(0, height));
  if (geometry() == wanted) return;
  const QSize oldSize = size();
  setGeometry(wanted);
  // Qt holds a hidden control's resize event back until it is shown; the
  // control lays itself out now, as a window does whether shown or not.
  if (wanted.size() != oldSize && !isVisible()) {
    QResizeEvent resized(wanted.size(), oldSize);
    QCoreApplication::sendEvent(this, &resized);
  }
  if (FAlign != alNone)
    if (TControl* p = ParentControl()) p->Realign();
}

void TControl::SetAlign(TAlign value) {
  if (FAlign == value) return;
  FAlign = value;
  if (TControl* p = ParentControl()) p->Realign();
}

void TControl::SetEnabled(bool value) {
  if (isEnabled() == value) return;
  setEnabled(value);
}

void TControl::SetVisible(bool value) {
  if (Visible() == value) return;
  setVisible(value);
  if (FAlign != alNone)
    if (TControl* p = ParentControl()) p->Realign();
}

bool TControl::ShowHint() const {
  if (FParentShowHint)
    if (const TControl* p = ParentControl()) return p->ShowHint();
  return FShowHint;
}

void TControl::SetShowHint(bool value) {
  FShowHint = value;
  FParentShowHint = false;  // an explicit switch no longer follows the parent
}

void TControl::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  update();
}

void TControl::SetCursor(TCursor value) {
  if (FCursor == value) return;
  FCursor = value;
  setCursor(ToQtCursor(value));
}

void TControl::FontChanged() {
  setFont(FFont.ToQFont());
  update();
}

TRect TControl::ClientRect() const { return TRect{0, 0, width(), height()}; }

bool TControl::AlignDisabled() const {
  const auto* form = qobject_cast<const TForm*>(window());
  return form && form->Loading();
}

void TControl::Realign() {
  if (AlignDisabled()) return;
  // A child that changes in the middle of a layout (a scroll bar that shows
  // because its neighbour got shorter) asks for another; it runs after this one.
  if (FRealigning) {
    FRealignPending = true;
    return;
  }
  FRealigning = true;
  const auto done = qScopeGuard([this] { FRealigning = false; });
  int passes = 0;
  do {
    FRealignPending = false;
    AlignChildren();
  } while (FRealignPending && ++passes < kMaxRealignPasses);
}

void TControl::AlignChildren() {
  TRect r = ClientRect();

  std::vector<TControl*> kids;
  for (QObject* o : children())
    if (auto* c = qobject_cast<TControl*>(o); c && !c->isHidden() && !c->isWindow()) kids.push_back(c);

  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> row;
    for (TControl* c : kids)
      if (c->FAlign == kind) row.push_back(c);
    // Nearest to its side first; creation order breaks ties (stable sort).
    std::stable_sort(row.begin(), row.end(), [kind](TControl* a, TControl* b) {
      switch (kind) {
        case alTop: return a->y() < b->y();
        case alBottom: return a->y() + a->height() > b->y() + b->height();
        case alLeft: return a->x() < b->x();
        case alRight: return a->x() + a->width() > b->x() + b->width();
        default: return false;
      }
    });
    for (TControl* c : row) {
      const int w = std::max(0, r.Width()), h = std::max(0, r.Height());
      // Through SetBounds, so a control that keeps a size of its own (a
      // skin's fixed height) keeps it, and the rest of the area follows it.
      switch (kind) {
        case alTop:
          c->SetBounds(r.Left, r.Top, w, c->height());
          r.Top += c->height();
          break;
        case alBottom:
          c->SetBounds(r.Left, r.Bottom - c->height(), w, c->height());
          c->move(c->x(), r.Bottom - c->height());
          r.Bottom -= c->height();
          break;
        case alLeft:
          c->SetBounds(r.Left, r.Top, c->width(), h);
          r.Left += c->width();
          break;
        case alRight:
          c->SetBounds(r.Right - c->width(), r.Top, c->width(), h);
          c->move(r.Right - c->width(), c->y());
          r.Right -= c->width();
          break;
        default:
          c->SetBounds(r.Left, r.Top, w, h);
          break;
      }
    }
  }
}

void TControl::WndProc(TMessage&) {}

intptr_t TControl::Perform(unsigned msg, intptr_t wParam, intptr_t lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

bool TControl::event(QEvent* e) {
  // Every handler a control runs for one of Qt's events (paint, size,
  // mouse, keys, messages) runs below this point; an error it raises ends here.
  try {
    if (auto* m = dynamic_cast<TMessageEvent*>(e)) {
      WindowProc(m->Message);
      return true;
    }
    return QWidget::event(e);
  } catch (const std::exception& error) {
    // A close whose handler failed does not happen.
    if (e->type() == QEvent::Close) e->ignore();
    ReportHandlerException(error);
    return true;
  }
}

void TControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Realign();
}

void TControl::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  if (event->type() == QEvent::ChildRemoved) Realign();
}

void TControl::Click() {
  if (OnClick) CallGuarded(OnClick);
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

Qt::CursorShape ToQtCursor(TCursor cursor) {
  switch (cursor) {
    case crHandPoint: return Qt::PointingHandCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    default: return Qt::ArrowCursor;
  }
}

// Focus that leaves because another window (a message box, a menu) comes to
// the front is not a move between controls.
static bool MovesBetweenControls(const QFocusEvent* e) {
  return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

static TMouseButton ButtonOf(Qt::MouseButton b) {
  return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

bool TControl::HandleMouse(QEvent* event, const QPoint& p) {
  auto* me = static_cast<QMouseEvent*>(event);
  const TShiftState shift = ShiftStateOf(me->modifiers(), me->buttons());
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (me->button() == Qt::LeftButton) FPressed = true;
      if (OnMouseDown) CallGuarded([&] { OnMouseDown(ButtonOf(me->button()), shift, p.x(), p.y()); });
      break;
    case QEvent::MouseButtonRelease: {
      if (OnMouseUp) CallGuarded([&] { OnMouseUp(ButtonOf(me->button()), shift, p.x(), p.y()); });
      const bool click = FPressed && me->button() == Qt::LeftButton && rect().contains(p);
      if (me->button() == Qt::LeftButton) FPressed = false;
      if (click) Click();
      break;
    }
    case QEvent::MouseMove:
      if (OnMouseMove) CallGuarded([&] { OnMouseMove(shift, p.x(), p.y()); });
      break;
    default:
      break;
  }
  return false;
}

static bool IsDialogTab(const QKeyEvent* e) {
  return (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
         !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

QString TControl::JudgeTyped(const QString& text) {
  if (!OnKeyPress) return text;
  QString kept;
  for (const char32_t c : text.toUcs4()) {
    // The handler works on single bytes; a wider character is offered as a
    // stand-in, and the character itself goes in when the handler keeps it.
    const bool wide = c >= 0x80;
    char key = wide ? kWideCharStandIn : char(c);
    const char offered = key;
    // A handler that failed stops the judgement: nothing more of this text goes in.
    if (!CallGuarded([&] { OnKeyPress(key); })) break;
    if (key == '\0') continue;
    if (key == offered) kept += QString::fromUcs4(&c, 1);
    else kept += QChar(char16_t(static_cast<unsigned char>(key)));
  }
  return kept;
}

// The text a key types, or an empty string for a key that types nothing
// (Delete, Alt chords) or a dialog key.
static QString TypedText(const QKeyEvent* e) {
  // Delete edits without a character, as on the desktop the program was made for.
  if (e->key() == Qt::Key_Delete) return {};
  // Tab and Shift+Tab are dialog keys: they move the focus (running OnExit)
  // before any character is made of them, whatever the field's filter says.
  if (IsDialogTab(e)) return {};
  if (e->modifiers() & Qt::AltModifier) return {};
  return e->text();
}

TControl::KeyVerdict TControl::HandleKey(QKeyEvent* event, QString& replacement) {
  const QString text = TypedText(event);
  if (text.isEmpty()) return KeyVerdict::Pass;
  replacement = JudgeTyped(text);
  if (replacement == text) return KeyVerdict::Pass;
  return replacement.isEmpty() ? KeyVerdict::Swallow : KeyVerdict::Replace;
}

static QKeyEvent WithText(const QKeyEvent* e, const QString& text) {
  return QKeyEvent(e->type(), e->key(), e->modifiers(), e->nativeScanCode(), e->nativeVirtualKey(),
                   e->nativeModifiers(), text, e->isAutoRepeat(), ushort(e->count()));
}

void TControl::mousePressEvent(QMouseEvent* e) { HandleMouse(e, PixelAt(e->position())); }
void TControl::mouseReleaseEvent(QMouseEvent* e) { HandleMouse(e, PixelAt(e->position())); }
void TControl::mouseMoveEvent(QMouseEvent* e) { HandleMouse(e, PixelAt(e->position())); }
void TControl::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  if (OnMouseEnter) CallGuarded(OnMouseEnter);
}
void TControl::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  if (OnMouseLeave) CallGuarded(OnMouseLeave);
}
void TControl::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (OnEnter && MovesBetweenControls(e)) CallGuarded(OnEnter);
}
void TControl::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (OnExit && MovesBetweenControls(e)) CallGuarded(OnExit);
}
void TControl::keyPressEvent(QKeyEvent* e) {
  QString replacement;
  switch (HandleKey(e, replacement)) {
    case KeyVerdict::Pass: QWidget::keyPressEvent(e); break;
    case KeyVerdict::Swallow: break;
    case KeyVerdict::Replace: {
      QKeyEvent changed = WithText(e, replacement);
      QWidget::keyPressEvent(&changed);
      e->setAccepted(changed.isAccepted());  // an ignored key goes on to the parent
      break;
    }
  }
}

void TControl::ForwardEventsOf(QWidget* inner) {
  inner->installEventFilter(this);
  inner->setMouseTracking(true);
}

bool TControl::eventFilter(QObject* watched, QEvent* event) {
  try {
    return FilterInnerEvent(watched, event);
  } catch (const std::exception& error) {
    ReportHandlerException(error);
    return true;
  }
}

bool TControl::FilterInnerEvent(QObject* watched, QEvent* event) {
  auto* inner = qobject_cast<QWidget*>(watched);
  if (!inner || watched == this) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
      const QPoint p = inner->mapTo(this, PixelAt(static_cast<QMouseEvent*>(event)->position()));
      HandleMouse(event, p);
      return false;
    }
    case QEvent::KeyPress: {
      if (FRedeliveringKey) return false;
      QString replacement;
      switch (HandleKey(static_cast<QKeyEvent*>(event), replacement)) {
        case KeyVerdict::Pass: return false;
        case KeyVerdict::Swallow: return true;
        case KeyVerdict::Replace: {
          // The inner widget gets the key with the text the handler left.
          QKeyEvent changed = WithText(static_cast<QKeyEvent*>(event), replacement);
          FRedeliveringKey = true;
          QCoreApplication::sendEvent(inner, &changed);
          FRedeliveringKey = false;
          return true;
        }
      }
      return false;
    }
    case QEvent::InputMethod: {
      // Text an input method commits is judged like typed text.
      auto* im = static_cast<QInputMethodEvent*>(event);
      if (!im->commitString().isEmpty()) {
        const QString kept = JudgeTyped(im->commitString());
        if (kept != im->commitString())
          im->setCommitString(kept, im->replacementStart(), im->replacementLength());
      }
      return false;
    }
    case QEvent::FocusIn:
      if (OnEnter && MovesBetweenControls(static_cast<QFocusEvent*>(event))) CallGuarded(OnEnter);
      return false;
    case QEvent::FocusOut:
      if (OnExit && MovesBetweenControls(static_cast<QFocusEvent*>(event))) CallGuarded(OnExit);
      return false;
    default:
      return QWidget::eventFilter(watched, event);
  }
}
