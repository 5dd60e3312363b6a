// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every visual control: bounds, `Align` layout of its children,
// hint properties, font, colour, cursor and the mouse, key and focus events
// as the program's handlers expect them.

#include <QWidget>
#include <functional>
#include <string>

#include "framework/tcolor.h"
#include "framework/tfont.h"
#include "framework/tmessage.h"
#include "framework/trect.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;
enum TCursor { crDefault, crArrow, crHandPoint, crIBeam, crSizeWE, crSizeNS, crSizeNWSE, crSizeNESW, crSizeAll, crHSplit, crVSplit };

using TNotifyEvent = std::function<void()>;
using TMouseEvent = std::function<void(TMouseButton, TShiftState, int, int)>;
using TMouseMoveEvent = std::function<void(TShiftState, int, int)>;
using TKeyPressEvent = std::function<void(char&)>;

class TControl : public QWidget {
  Q_OBJECT
 public:
  explicit TControl(QWidget* parent = nullptr);

  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  TRect BoundsRect() const { return FromQRect(geometry()); }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  // The part of the control that aligned children share.
  virtual TRect ClientRect() const;
  void Realign();
  // While a form is being built its stored bounds stay as they are; the
  // first layout happens when building ends.
  bool AlignDisabled() const;
  // The form this control was built into has finished building: what waited
  // for the whole layout happens now, before the form's first alignment.
  virtual void FormBuilt() {}

  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool value);
  bool Visible() const { return !isHidden(); }
  void SetVisible(bool value);

  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  // The effective switch: the parent's when ParentShowHint is on.
  bool ShowHint() const;
  void SetShowHint(bool value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value) { FParentShowHint = value; }

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);

  TControl* ParentControl() const;

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyPressEvent OnKeyPress;

  // Forwards mouse, key and focus events of an inner Qt widget (a wrapped
  // platform control) to this control's events.
  void ForwardEventsOf(QWidget* inner);

  // Messages sent to the control (SendMessage): skin notices and the like.
  // Overrides handle what they know and pass the rest to the base.
  virtual void WndProc(TMessage& message);
  // The handler every message goes through first; WndProc unless a hook
  // (a frame component) put its own in place, keeping the old one to call.
  std::function<void(TMessage&)> WindowProc;
  // Sends a message through WindowProc and returns its result.
  intptr_t Perform(unsigned msg, intptr_t wParam = 0, intptr_t lParam = 0);

 protected:
  virtual void FontChanged();
  virtual void Click();
  // Offers every character of `text` to OnKeyPress and returns what goes in:
  // the characters kept (a wide one whole), replaced or dropped.
  QString JudgeTyped(const QString& text);
  static constexpr char kWideCharStandIn = '?';  // what OnKeyPress sees of a character wider than a byte

  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void childEvent(QChildEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AlignChildren();
  bool FilterInnerEvent(QObject* watched, QEvent* event);
  bool HandleMouse(QEvent* event, const QPoint& localPos);
  enum class KeyVerdict { Pass, Swallow, Replace };
  KeyVerdict HandleKey(QKeyEvent* event, QString& replacement);

  TAlign FAlign = alNone;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TFont FFont{"MS Sans Serif", -11};
  TColor FColor = clBtnFace;
  TCursor FCursor = crDefault;
  bool FRealigning = false;
  bool FRealignPending = false;
  bool FPressed = false;
  bool FRedeliveringKey = false;
};

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
Qt::CursorShape ToQtCursor(TCursor cursor);
