// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinbutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cctype>

#include "framework/handlerguard.h"
#include "skin/data/tbsdataskinbuttoncontrol.h"
#include "skin/controls/accessiblecontrols.h"
#include "skin/controls/buttonmorph.h"
#include "skin/controls/focusmark.h"
#include "skin/draw/defaultlook.h"
#include "skin/draw/skinimage.h"

TbsSkinButton::TbsSkinButton(QWidget* parent)
    : TbsSkinCustomControl(parent), FRepeatTimer(this), FMorphTimer(this) {
  InstallControlsAccessibility();
  resize(75, 25);
  SetSkinDataName("button");
  UpdateFocusPolicy();
  FRepeatTimer.setObjectName("RepeatTimer");
  FMorphTimer.setObjectName("MorphTimer");
  FMorphTimer.setInterval(kMorphIntervalMs);
  connect(&FRepeatTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { ButtonClick(); }); });
  connect(&FMorphTimer, &QTimer::timeout, this, [this] { MorphTick(); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && now->window() == window()) FocusChanged(now);
  });
  FActiveDefault = FDefault;
  WatchWindow();
}

TbsSkinButton::~TbsSkinButton() {
  if (FWatchedWindow) FWatchedWindow->removeEventFilter(this);
}

void TbsSkinButton::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  update();
}

void TbsSkinButton::SetGlyph(const TBitmap& value) {
  FGlyph = value;
  update();
}

void TbsSkinButton::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (FNumGlyphs == value) return;
  FNumGlyphs = value;
  update();
}

void TbsSkinButton::SetMargin(int value) {
  if (FMargin == value || value < -1) return;
  FMargin = value;
  update();
}

void TbsSkinButton::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  update();
}

void TbsSkinButton::SetLayout(TbsButtonLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  update();
}

void TbsSkinButton::SetDown(bool value) {
  if (FDown == value) return;
  FDown = value;
  if (Morphs()) {
    FMorphFactor = 1;
    // Pressed shows at once; released fades back from the active look.
    if (value)
      StopMorph();
    else if (!FMorphTimer.isActive())
      FMorphTimer.start();
  }
  update();
  if (FGroupIndex != 0 && FDown && !FAllowAllUp)
    if (QWidget* p = parentWidget())
      for (auto* sibling : p->findChildren<TbsSkinButton*>(Qt::FindDirectChildrenOnly))
        if (sibling != this && sibling->FGroupIndex == FGroupIndex && sibling->FDown) sibling->SetDown(false);
}

void TbsSkinButton::SetGroupIndex(int value) {
  if (FGroupIndex == value) return;
  FGroupIndex = value;
  // A toggle of a group never takes the keyboard focus.
  if (value != 0) SetCanFocused(false);
}

void TbsSkinButton::SetCanFocused(bool value) {
  if (FCanFocused == value) return;
  FCanFocused = value;
  UpdateFocusPolicy();
}

void TbsSkinButton::SetTabStop(bool value) {
  if (FTabStop == value) return;
  FTabStop = value;
  UpdateFocusPolicy();
}

void TbsSkinButton::UpdateFocusPolicy() {
  setFocusPolicy(!FCanFocused ? Qt::NoFocus : FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TbsSkinButton::SetDefault(bool value) {
  if (FDefault == value) return;
  FDefault = value;
  if (!FCanFocused) return;
  // Every button of the form works out again which one Enter clicks.
  QWidget* focused = window()->focusWidget();
  for (auto* button : window()->findChildren<TbsSkinButton*>()) button->FocusChanged(focused);
  FocusChanged(focused);
}

int TbsSkinButton::GlyphIndexFor(bool down, bool active) const {
  if (down && active && FNumGlyphs > 2) return 3;
  if (active && FNumGlyphs > 3) return 4;
  if (isEnabled() || FNumGlyphs < 2) return 1;
  return 2;
}

void TbsSkinButton::ButtonClick() {
  if (FCanFocused) window()->setProperty("ModalResult", FModalResult);
  // An OnClick of its own wins over the linked action.
  if (FAction && OnClick) {
    OnClick();
    return;
  }
  if (FAction) {
    FAction->Execute();
    return;
  }
  if (OnClick) OnClick();
}

void TbsSkinButton::Press() {
  if (!isEnabled()) return;
  if (FGroupIndex == 0) {
    ButtonClick();
  } else if (!FDown) {
    SetDown(true);
    ButtonClick();
  } else if (FAllowAllUp) {
    SetDown(false);
    ButtonClick();
  }
}

void TbsSkinButton::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  FMorphing = false;
  if (FSkinIndex == -1) return;
  const auto* r = dynamic_cast<const TbsDataSkinButtonControl*>(SkinData()->ControlRecords[size_t(FSkinIndex)].get());
  if (!r) return;
  FFontName = r->FontName;
  FFontStyle = r->FontStyle;
  FFontHeight = r->FontHeight;
  FFontColor = r->FontColor;
  FActiveFontColor = r->ActiveFontColor;
  FDownFontColor = r->DownFontColor;
  FDisabledFontColor = r->DisabledFontColor;
  FActiveSkinRect = IsEmptyRect(r->ActiveSkinRect) ? r->SkinRect : r->ActiveSkinRect;
  FDownSkinRect = IsEmptyRect(r->DownSkinRect) ? FActiveSkinRect : r->DownSkinRect;
  FDisabledSkinRect = r->DisabledSkinRect;
  FMorphing = r->Morphing;
  FMorphKind = r->MorphKind;
}

void TbsSkinButton::SkinChanged() {
  StopMorph();
  FMorphFactor = 0;
  TbsSkinCustomControl::SkinChanged();
  if (Morphs() && (FMouseIn || FocusedHere())) FMorphFactor = 1;
}

void TbsSkinButton::DrawControl(TBitmap& bitmap) {
  DrawLook(bitmap);
  // The active look alone would show the focus just as it shows the pointer.
  if (FocusedHere() && isEnabled()) DrawFocusMark(bitmap.Canvas(), FocusMarkRect(), FocusMarkColor());
}

TRect TbsSkinButton::FocusMarkRect() const {
  return TRect{kFocusMarkInset, kFocusMarkInset, width() - kFocusMarkInset, height() - kFocusMarkInset};
}

TColor TbsSkinButton::FocusMarkColor() const {
  if (FSkinIndex == -1 || !SkinPicture || SkinPicture->Empty()) return clBtnText;
  // The caption colour of the look it is drawn on.
  return FDown && (FGroupIndex != 0 || FMouseIn || !FMousePressed) ? FDownFontColor : FActiveFontColor;
}

void TbsSkinButton::DrawLook(TBitmap& bitmap) {
  if (FSkinIndex == -1 || !SkinPicture || SkinPicture->Empty()) {
    DrawDefaultImage(bitmap);
    return;
  }
  if (Morphs() && FMorphFactor > 0 && FMorphFactor < 1 && isEnabled()) {
    TBitmap active(width(), height());
    DrawStateImage(bitmap, SkinRect, false, false);
    DrawStateImage(active, FActiveSkinRect, true, false);
    MorphBitmap(bitmap, active, FMorphKind, FMorphFactor);
    return;
  }
  if (!isEnabled() && !IsEmptyRect(FDisabledSkinRect))
    DrawStateImage(bitmap, FDisabledSkinRect, false, false);
  else if (FDown && (FGroupIndex != 0 || FMouseIn || (FocusedHere() && !FMousePressed)))
    DrawStateImage(bitmap, FDownSkinRect, true, true);
  else if (FocusedHere() || FMouseIn)
    DrawStateImage(bitmap, FActiveSkinRect, true, false);
  else if (Morphs() && FMorphFactor == 1)
    DrawStateImage(bitmap, FActiveSkinRect, true, false);
  else
    DrawStateImage(bitmap, SkinRect, false, false);
}

void TbsSkinButton::DrawStateImage(TBitmap& bitmap, const TRect& source, bool active, bool down) {
  if (!DrawSkinImageFrom(bitmap, source)) {
    DrawDefaultImage(bitmap);
    return;
  }
  TCanvas& c = bitmap.Canvas();
  TFont font = SkinTextFont(FFontName, FFontHeight, FFontStyle);
  font.SetColor(!isEnabled()      ? FDisabledFontColor
                : active && down ? FDownFontColor
                : active         ? FActiveFontColor
                                 : FFontColor);
  c.Font = font;
  DrawGlyphAndText(c, SizedClientRect, FMargin, active && down, GlyphIndexFor(down, active), FNumGlyphs, FGlyph,
                   FCaption, FLayout, FSpacing);
}

void TbsSkinButton::DrawDefaultImage(TBitmap& bitmap) {
  TCanvas& c = bitmap.Canvas();
  const TRect r{0, 0, width(), height()};
  bool pressed = false;
  if (FDown && (FGroupIndex != 0 || FMouseIn || (FocusedHere() && !FMousePressed))) {
    DrawDefaultPart(c, r, dpsDown);
    pressed = true;
  } else if (FMouseIn || FocusedHere()) {
    DrawDefaultPart(c, r, dpsHot);
  } else {
    DrawDefaultPart(c, r, dpsNormal);
  }
  TFont font = DefaultTextFont();
  if (!isEnabled()) font.SetColor(clBtnShadow);
  c.Font = font;
  DrawGlyphAndText(c, r, FMargin, pressed, GlyphIndexFor(FDown, FMouseIn), FNumGlyphs, FGlyph, FCaption, FLayout,
                   FSpacing);
}

bool TbsSkinButton::LooksChangeOnHover() const {
  return (FGroupIndex != 0 && !FDown) || (FGroupIndex == 0 && (!FocusedHere() || FDown));
}

void TbsSkinButton::StartMorph() {
  if (Morphs()) {
    if (!FMorphTimer.isActive()) FMorphTimer.start();
  } else {
    update();
  }
}

void TbsSkinButton::StopMorph() { FMorphTimer.stop(); }

void TbsSkinButton::MorphTick() {
  const bool target = FMouseIn || FocusedHere();
  if (!Morphs()) {
    FMorphFactor = target ? 1 : 0;
    StopMorph();
    return;
  }
  if (target && FMorphFactor < 1) {
    FMorphFactor += kMorphStep;
  } else if (!target && FMorphFactor > 0) {
    FMorphFactor -= kMorphStep;
  } else {
    FMorphFactor = target ? 1 : 0;
    StopMorph();
  }
  update();
}

void TbsSkinButton::StartRepeat() {
  FRepeatTimer.stop();
  FRepeatTimer.setInterval(FRepeatInterval);
  FRepeatTimer.start();
}

void TbsSkinButton::StopRepeat() { FRepeatTimer.stop(); }

void TbsSkinButton::PointerEntered() {
  FPointerInside = true;
  FMouseIn = true;
  if (LooksChangeOnHover()) {
    if (FDown) {
      if (Morphs()) FMorphFactor = 1;
      update();
    } else {
      StartMorph();
    }
  }
  if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeat();
}

void TbsSkinButton::PointerLeft() {
  FPointerInside = false;
  // A default button stays hot while the focus rests on a control that is not a button.
  if (!(FCanFocused && FDefault && FActiveDefault && !hasFocus())) FMouseIn = false;
  if (LooksChangeOnHover()) StartMorph();
  if (FDown && FRepeatMode && FGroupIndex == 0) StopRepeat();
}

// Crossings seen as moves while the mouse was held are not reported twice.
void TbsSkinButton::enterEvent(QEnterEvent* event) {
  if (FPointerInside)
    QWidget::enterEvent(event);
  else
    TbsSkinCustomControl::enterEvent(event);
}

void TbsSkinButton::leaveEvent(QEvent* event) {
  if (!FPointerInside)
    QWidget::leaveEvent(event);
  else
    TbsSkinCustomControl::leaveEvent(event);
}

void TbsSkinButton::MouseEntered() {
  if (!FPointerInside) PointerEntered();
}

void TbsSkinButton::MouseLeft() {
  if (FPointerInside) PointerLeft();
}

void TbsSkinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && FCanFocused && !hasFocus()) {
    FFocusingByMouse = true;
    setFocus(Qt::MouseFocusReason);
    FFocusingByMouse = false;
    if (!hasFocus()) return;  // a button that cannot take the focus ignores the press
  }
  QPointer<TbsSkinButton> self(this);
  TbsSkinCustomControl::mousePressEvent(event);  // OnMouseDown
  if (!self || event->button() != Qt::LeftButton) return;
  FMousePressed = true;
  FPointerInside = true;
  if (!FDown) {
    FMouseIn = true;
    SetDown(true);
    if (FRepeatMode && FGroupIndex == 0)
      StartRepeat();
    else if (FGroupIndex != 0)
      ButtonClick();
    if (self) FDownAtPress = false;
  } else if (FGroupIndex != 0) {
    FDownAtPress = true;
  }
}

void TbsSkinButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TbsSkinButton::mouseMoveEvent(QMouseEvent* event) {
  QPointer<TbsSkinButton> self(this);
  TbsSkinCustomControl::mouseMoveEvent(event);  // OnMouseMove
  if (!self || !FMousePressed) return;
  // The mouse is held, so the pointer's crossings come only as moves.
  const bool inside = rect().contains(event->position().toPoint());
  if (inside && !FPointerInside) {
    if (OnMouseEnter) OnMouseEnter();
    if (self) PointerEntered();
  } else if (!inside && FPointerInside) {
    if (OnMouseLeave) OnMouseLeave();
    if (self) PointerLeft();
  }
}

void TbsSkinButton::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<TbsSkinButton> self(this);
  if (event->button() == Qt::LeftButton) {
    FMousePressed = false;
    if (FGroupIndex == 0) {
      if (FMouseIn) {
        SetDown(false);
        StopRepeat();
        ButtonClick();
      } else {
        FDown = false;  // the look already left the pressed state with the pointer
        StopRepeat();
      }
    } else if (FDown && FAllowAllUp && FDownAtPress && FMouseIn) {
      SetDown(false);
      ButtonClick();
    }
  }
  if (self && isVisible()) TbsSkinCustomControl::mouseReleaseEvent(event);  // OnMouseUp
}

void TbsSkinButton::keyPressEvent(QKeyEvent* event) {
  if (!FCanFocused) return TbsSkinCustomControl::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Space:
      SetDown(true);
      // The keyboard's own auto-repeat repeats the click.
      if (FRepeatMode) ButtonClick();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ButtonClick();
      return;
    default:
      TbsSkinCustomControl::keyPressEvent(event);
  }
}

void TbsSkinButton::keyReleaseEvent(QKeyEvent* event) {
  if (FCanFocused && event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    SetDown(false);
    ButtonClick();
    return;
  }
  TbsSkinCustomControl::keyReleaseEvent(event);
}

void TbsSkinButton::focusInEvent(QFocusEvent* event) {
  TbsSkinCustomControl::focusInEvent(event);
  if (FCanFocused) StartMorph();
}

void TbsSkinButton::focusOutEvent(QFocusEvent* event) {
  StopRepeat();
  if (FGroupIndex == 0) FDown = false;
  TbsSkinCustomControl::focusOutEvent(event);
  if (FCanFocused) StartMorph();
}

void TbsSkinButton::changeEvent(QEvent* event) {
  TbsSkinCustomControl::changeEvent(event);
  if (event->type() != QEvent::EnabledChange) return;
  StopMorph();
  if (Morphs()) FMorphFactor = 0;
  FMouseIn = false;
  update();
}

void TbsSkinButton::FocusChanged(QWidget* now) {
  auto* button = qobject_cast<TbsSkinButton*>(now);
  FActiveDefault = button ? button == this : FDefault;
  if (!FCanFocused || !FDefault || !now) return;
  if (button && button != this && FMouseIn) {
    FMouseIn = false;
    StartMorph();
  } else if (!button && !FMouseIn) {
    if (Morphs()) FMorphFactor = 1;
    FMouseIn = true;
    StartMorph();
  }
}

bool TbsSkinButton::event(QEvent* event) {
  if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show) WatchWindow();
  return TbsSkinCustomControl::event(event);
}

void TbsSkinButton::WatchWindow() {
  QWidget* w = window();
  if (w == this) w = nullptr;
  if (FWatchedWindow == w) return;
  if (FWatchedWindow) FWatchedWindow->removeEventFilter(this);
  FWatchedWindow = w;
  if (w) w->installEventFilter(this);
}

bool TbsSkinButton::eventFilter(QObject* watched, QEvent* event) {
  // Keys reach the window only when the focused control left them unhandled:
  // those are the dialog keys and accelerators.
  if (watched == FWatchedWindow.data()) {
    if (event->type() == QEvent::KeyPress && DialogKey(static_cast<QKeyEvent*>(event))) return true;
    return false;
  }
  return TbsSkinCustomControl::eventFilter(watched, event);
}

bool TbsSkinButton::DialogKey(QKeyEvent* event) {
  const bool canTakeFocus = isVisible() && isEnabled();
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FActiveDefault && isEnabled() && isVisible()) {
    ButtonClick();
    return true;
  }
  if (key == Qt::Key_Escape && FCancel && FCanFocused && event->modifiers() == Qt::NoModifier && canTakeFocus) {
    ButtonClick();
    return true;
  }
  const char accelerator = AcceleratorOf(FCaption);
  if (accelerator && FCanFocused && canTakeFocus && key < 128 &&
      std::tolower(key) == static_cast<unsigned char>(accelerator)) {
    setFocus(Qt::ShortcutFocusReason);
    ButtonClick();
    return true;
  }
  return false;
}
