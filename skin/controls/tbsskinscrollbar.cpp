// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinscrollbar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "skin/data/tbsdataskinscrollbarcontrol.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/defaultlook.h"
#include "skin/draw/skinimage.h"
#include "framework/handlerguard.h"

namespace {

const TRect& Either(const TRect& preferred, const TRect& fallback) {
  return IsEmptyRect(preferred) ? fallback : preferred;
}

}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(QWidget* parent) : TbsSkinCustomControl(parent), FRepeatTimer(this) {
  FRepeatTimer.setObjectName("RepeatTimer");
  connect(&FRepeatTimer, &QTimer::timeout, this, [this] { CallGuarded([this] { RepeatTick(); }); });
  resize(200, 19);
  SetDefaultHeight(19);
  SetSkinDataName("hscrollbar");
  UpdateFocusPolicy();
}

TbsSkinScrollBar::~TbsSkinScrollBar() = default;

TbsScrollState TbsSkinScrollBar::State() const {
  return TbsScrollState{Vertical(), FMin, FMax, FPageSize, FPosition};
}

int TbsSkinScrollBar::ClampPosition(int value) const {
  const int top = FPageSize != 0 ? FMax - FPageSize + 1 : FMax;
  // Min wins over a top below it, so the position never leaves the range start.
  return std::max(FMin, std::min(value, top));
}

void TbsSkinScrollBar::SetPosition(int value) {
  value = ClampPosition(value);
  if (value == FPosition) return;
  FPosition = value;
  Changed();
  if (OnChange) OnChange();
}

void TbsSkinScrollBar::SetRange(int min, int max, int page, int position) {
  FMin = min;
  FMax = max;
  FPageSize = page;
  FPosition = ClampPosition(position);
  Changed();
}

void TbsSkinScrollBar::SetMax(int value) {
  if (FMax == value) return;
  FMax = value;
  // The position stays where it is unless the shorter range no longer holds it.
  FPosition = ClampPosition(FPosition);
  Changed();
}

void TbsSkinScrollBar::SetMin(int value) {
  if (FMin == value) return;
  FMin = value;
  FPosition = std::max(FPosition, FMin);
  Changed();
}

void TbsSkinScrollBar::SetPageSize(int value) {
  // A page larger than what is left of the range is refused.
  if (FMax - FMin + 1 >= value + FPosition) FPageSize = value;
  Changed();
}

void TbsSkinScrollBar::SetSmallChange(int value) {
  if (FSmallChange == value) return;
  FSmallChange = value;
  update();
}

void TbsSkinScrollBar::SetLargeChange(int value) {
  if (FLargeChange == value) return;
  FLargeChange = value;
  update();
}

void TbsSkinScrollBar::SetKind(TScrollBarKind value) {
  if (FKind == value) return;
  FKind = value;
  Changed();
}

void TbsSkinScrollBar::SetBoth(bool value) {
  if (FBoth == value) return;
  FBoth = value;
  if (value) {
    FNormalSkinDataName = SkinDataName();
    SetSkinDataName(FBothSkinDataName);
  } else if (!FNormalSkinDataName.empty()) {
    SetSkinDataName(FNormalSkinDataName);
  }
  ReadSkinRecord();
  if (FSkinIndex == -1)
    update();
  else
    SkinChanged();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int value) {
  if (value < 0 || FBothMarkerWidth == value) return;
  FBothMarkerWidth = value;
  if (FSkinIndex == -1) update();
}

void TbsSkinScrollBar::SetCanFocused(bool value) {
  if (FCanFocused == value) return;
  FCanFocused = value;
  SetTabStop(value);
  UpdateFocusPolicy();
}

void TbsSkinScrollBar::SetTabStop(bool value) {
  if (FTabStop == value) return;
  FTabStop = value;
  UpdateFocusPolicy();
}

void TbsSkinScrollBar::UpdateFocusPolicy() {
  setFocusPolicy(!FCanFocused ? Qt::NoFocus : FTabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TbsSkinScrollBar::ReadSkinRecord() {
  FHasScrollRecord = false;
  TbsSkinCustomControl::ReadSkinRecord();
  if (FSkinIndex == -1) return;
  const auto* r =
      dynamic_cast<const TbsDataSkinScrollBarControl*>(SkinData()->ControlRecords[size_t(FSkinIndex)].get());
  if (!r) return;
  FHasScrollRecord = true;
  FTrackArea = r->TrackArea;
  FUpButtonRect = r->UpButtonRect;
  FActiveUpButtonRect = r->ActiveUpButtonRect;
  FDownUpButtonRect = Either(r->DownUpButtonRect, r->ActiveUpButtonRect);
  FDownButtonRect = r->DownButtonRect;
  FActiveDownButtonRect = r->ActiveDownButtonRect;
  FDownDownButtonRect = Either(r->DownDownButtonRect, r->ActiveDownButtonRect);
  FThumbRect = r->ThumbRect;
  FActiveThumbRect = Either(r->ActiveThumbRect, FThumbRect);
  FDownThumbRect = Either(r->DownThumbRect, FActiveThumbRect);
  FGlyphRect = r->GlyphRect;
  FActiveGlyphRect = Either(r->ActiveGlyphRect, FGlyphRect);
  FDownGlyphRect = Either(r->DownGlyphRect, FActiveGlyphRect);
  FThumbOffset1 = r->ThumbOffset1;
  FThumbOffset2 = r->ThumbOffset2;
}

void TbsSkinScrollBar::CalcSkinSize(int& width, int& height) {
  TbsSkinCustomControl::CalcSkinSize(width, height);
  UpdateGeometry();
}

void TbsSkinScrollBar::UpdateGeometry() {
  if (Skinned()) {
    const TbsScrollBarSkinGeometry skin{SkinRect,        FTrackArea, FUpButtonRect, FDownButtonRect, FThumbRect,
                                        Vertical() ? LeftBottomPoint.Y : RightTopPoint.X};
    FGeometry = SkinScrollBarGeometry(State(), width(), height(), skin);
  } else {
    FGeometry = DefaultScrollBarGeometry(State(), width(), height(), FBoth ? FBothMarkerWidth : 0);
  }
}

void TbsSkinScrollBar::Changed() {
  UpdateGeometry();
  update();
}

void TbsSkinScrollBar::resizeEvent(QResizeEvent* event) {
  TbsSkinCustomControl::resizeEvent(event);
  UpdateGeometry();
}

int TbsSkinScrollBar::PositionFromDrag(int delta) {
  int start = FGeometry.ThumbStart, end = FGeometry.ThumbEnd;
  if (FPageSize != 0) {
    const TRect& thumb = FGeometry.Parts[spThumb];
    const int length = Vertical() ? thumb.Height() : thumb.Width();
    start = (Vertical() ? FGeometry.Track.Top : FGeometry.Track.Left) + length / 2;
    end = (Vertical() ? FGeometry.Track.Bottom : FGeometry.Track.Right) - length / 2;
  }
  const int span = end - start;
  double f = span > 0 ? double(FDragStartShift + delta) / span : 0.0;
  f = std::clamp(f, 0.0, 1.0);
  const int positions = FPageSize != 0 ? FMax - FMin - FPageSize + 1 : FMax - FMin;
  return FMin + int(std::nearbyint(positions * f));
}

int TbsSkinScrollBar::PartAt(const TPoint& p) const {
  for (int part : {spThumb, spUpButton, spDownButton})
    if (PtInRect(FGeometry.Parts[part], p)) return part;
  return -1;
}

void TbsSkinScrollBar::SetHotPart(int part) {
  if (FPressedPart != -1 && part != FPressedPart) part = -1;
  if (part == FHotPart) return;
  const int old = FHotPart;
  FHotPart = part;
  const bool buttonRepeat = FRepeatKind == rkSmallDown || FRepeatKind == rkSmallUp;
  if (old != -1) {
    FActive[old] = false;
    // The held button lost the pointer: the repeat pauses.
    if (old == FPressedPart && buttonRepeat) FRepeatTimer.stop();
  }
  if (part != -1) {
    FActive[part] = true;
    if (part == FPressedPart && buttonRepeat && !FRepeatTimer.isActive()) {
      FDelayPending = false;
      StartRepeat(kRepeatIntervalMs);
    }
  }
  update();
}

void TbsSkinScrollBar::StepDown() {
  if (OnDownButtonClick)
    OnDownButtonClick();
  else
    SetPosition(FPosition - FSmallChange);
}

void TbsSkinScrollBar::StepUp() {
  if (OnUpButtonClick)
    OnUpButtonClick();
  else
    SetPosition(FPosition + FSmallChange);
}

void TbsSkinScrollBar::StartRepeat(int intervalMs) {
  FRepeatTimer.stop();
  FRepeatTimer.setInterval(intervalMs);
  FRepeatTimer.start();
}

bool TbsSkinScrollBar::PointerBeforeThumb() const {
  const TRect& t = FGeometry.Parts[spThumb];
  return Vertical() ? FPointer.Y < t.Top : FPointer.X < t.Left;
}

bool TbsSkinScrollBar::PointerAfterThumb() const {
  const TRect& t = FGeometry.Parts[spThumb];
  return Vertical() ? FPointer.Y > t.Bottom : FPointer.X > t.Right;
}

void TbsSkinScrollBar::RepeatTick() {
  if (FDelayPending) {
    FDelayPending = false;
    StartRepeat(kRepeatIntervalMs);
    return;
  }
  QPointer<TbsSkinScrollBar> self(this);
  switch (FRepeatKind) {
    case rkSmallDown:
      StepDown();
      break;
    case rkSmallUp:
      StepUp();
      break;
    case rkPageToMin:
    case rkPageToMax: {
      UpdateGeometry();
      SetHotPart(PartAt(FPointer));
      const bool toMin = FRepeatKind == rkPageToMin;
      // Paging stops once the thumb has reached the pointer.
      if (toMin ? PointerBeforeThumb() : PointerAfterThumb()) {
        SetPosition(toMin ? FPosition - FLargeChange : FPosition + FLargeChange);
        if (!self) return;
        if (toMin && OnPageUp) OnPageUp();
        if (!toMin && OnPageDown) OnPageDown();
      } else {
        FRepeatTimer.stop();
        FRepeatKind = rkNone;
      }
      break;
    }
    default:
      FRepeatTimer.stop();
      break;
  }
}

void TbsSkinScrollBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && FCanFocused && !hasFocus()) {
    FFocusingByMouse = true;
    setFocus(Qt::MouseFocusReason);
    FFocusingByMouse = false;
    if (!hasFocus()) return;  // a bar that cannot take the focus ignores the press
  }
  QPointer<TbsSkinScrollBar> self(this);
  TbsSkinCustomControl::mousePressEvent(event);  // OnMouseDown
  if (!self || event->button() != Qt::LeftButton) return;
  FMouseDown = true;
  UpdateGeometry();
  FRepeatKind = rkNone;
  FDelayPending = true;
  FPointer = FromQPoint(event->position().toPoint());
  const int part = PartAt(FPointer);
  if (part != -1) {
    FPressedPart = part;
    FDown[part] = true;
    SetHotPart(part);
    update();
    switch (part) {
      case spUpButton:
        FRepeatKind = rkSmallUp;
        StartRepeat(kRepeatDelayMs);
        StepUp();
        break;
      case spDownButton:
        FRepeatKind = rkSmallDown;
        StartRepeat(kRepeatDelayMs);
        StepDown();
        break;
      default:
        FDragStartPos = Vertical() ? FPointer.Y : FPointer.X;
        FDragStartShift = FGeometry.ThumbShift;
        FDragging = true;
        break;
    }
    return;
  }
  if (!PtInRect(FGeometry.Track, FPointer)) return;
  const bool toMin = PointerBeforeThumb();
  FRepeatKind = toMin ? rkPageToMin : rkPageToMax;
  StartRepeat(kRepeatDelayMs);
  SetPosition(toMin ? FPosition - FLargeChange : FPosition + FLargeChange);
  if (!self) return;
  if (toMin && OnPageUp) OnPageUp();
  if (!toMin && OnPageDown) OnPageDown();
}

void TbsSkinScrollBar::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TbsSkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
  FPointer = FromQPoint(event->position().toPoint());
  UpdateGeometry();
  SetHotPart(PartAt(FPointer));
  // While the button is held the bar keeps the mouse and Qt sends no leave,
  // so leaving and coming back are seen here.
  if (FMouseDown && FRepeatKind == rkPageToMax) {
    if (!rect().contains(event->position().toPoint())) PausePagingToMax();
    else if (!FRepeatTimer.isActive()) {
      FDelayPending = false;
      StartRepeat(kRepeatIntervalMs);  // the tick decides whether the thumb still has to go
    }
  }
  if (FDragging) SetPosition(PositionFromDrag((Vertical() ? FPointer.Y : FPointer.X) - FDragStartPos));
  TbsSkinCustomControl::mouseMoveEvent(event);  // OnMouseMove
}

void TbsSkinScrollBar::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<TbsSkinScrollBar> self(this);
  TbsSkinCustomControl::mouseReleaseEvent(event);  // OnMouseUp
  if (!self) return;
  FMouseDown = false;
  if (FRepeatKind == rkPageToMin || FRepeatKind == rkPageToMax) {
    FRepeatTimer.stop();
    FRepeatKind = rkNone;
  }
  const int pressed = FPressedPart;
  FPressedPart = -1;
  if (pressed == -1) return;
  FDown[pressed] = false;
  if (pressed != FHotPart) FActive[pressed] = false;
  update();
  if (pressed == spThumb) {
    FDragging = false;
  } else {
    FRepeatTimer.stop();
    FRepeatKind = rkNone;
  }
  if (pressed == spThumb && event->button() == Qt::LeftButton && OnLastChange) OnLastChange();
}

void TbsSkinScrollBar::MouseLeft() {
  if (FHotPart != -1 && FPressedPart == -1 && !FDragging) {
    FActive[FHotPart] = false;
    FHotPart = -1;
    update();
  }
  if (FMouseDown && FRepeatKind == rkPageToMax) PausePagingToMax();
}

void TbsSkinScrollBar::PausePagingToMax() { FRepeatTimer.stop(); }

void TbsSkinScrollBar::keyPressEvent(QKeyEvent* event) {
  if (!FCanFocused) return TbsSkinCustomControl::keyPressEvent(event);
  TbsSkinCustomControl::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      SetPosition(FPosition - FSmallChange);
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      SetPosition(FPosition + FSmallChange);
      break;
    default:
      return;
  }
  event->accept();
}

void TbsSkinScrollBar::wheelEvent(QWheelEvent* event) {
  if (!FocusedHere()) {
    event->ignore();
    return;
  }
  const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
  SetPosition(delta > 0 ? FPosition - FSmallChange : FPosition + FSmallChange);
  event->accept();
}

void TbsSkinScrollBar::focusInEvent(QFocusEvent* event) {
  TbsSkinCustomControl::focusInEvent(event);
  update();
}

void TbsSkinScrollBar::focusOutEvent(QFocusEvent* event) {
  TbsSkinCustomControl::focusOutEvent(event);
  update();
}

void TbsSkinScrollBar::changeEvent(QEvent* event) {
  TbsSkinCustomControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) update();
}

void TbsSkinScrollBar::DrawDefaultImage(TBitmap& bitmap) {
  UpdateGeometry();
  TCanvas& c = bitmap.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = clBtnFace;
  c.FillRect(TRect{0, 0, width(), height()});
  auto drawPart = [&](int part) {
    const bool pressed = part == spThumb ? FDown[part] || FocusedHere() : FDown[part] && FActive[part];
    const TRect& r = FGeometry.Parts[part];
    if (pressed)
      DrawDefaultPart(c, r, dpsDown);
    else if (FActive[part])
      DrawDefaultPart(c, r, dpsHot);
    else
      DrawDefaultPart(c, r, dpsNormal);
    if (part == spThumb) return;
    const TRect inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    const int kind = part == spUpButton ? (Vertical() ? akDown : akRight) : (Vertical() ? akUp : akLeft);
    DrawArrowGlyph(c, inner, clBlack, kind);
  };
  if (isEnabled()) drawPart(spThumb);
  drawPart(spUpButton);
  drawPart(spDownButton);
}

void TbsSkinScrollBar::DrawSkinImage(TBitmap& bitmap) {
  if (!FHasScrollRecord || !DrawSkinImageFrom(bitmap, SkinRect)) {
    DrawDefaultImage(bitmap);
    return;
  }
  UpdateGeometry();
  TCanvas& c = bitmap.Canvas();
  // The composed picture already shows the buttons at rest.
  auto drawButton = [&](int part, const TRect& active, const TRect& down) {
    if (!FActive[part]) return;
    const TRect& source = FDown[part] ? down : active;
    if (IsEmptyRect(source)) return;
    c.CopyRect(FGeometry.Parts[part], SkinPicture->Canvas(), source);
  };
  drawButton(spUpButton, FActiveUpButtonRect, FDownUpButtonRect);
  drawButton(spDownButton, FActiveDownButtonRect, FDownDownButtonRect);
  if (isEnabled()) DrawSkinThumb(c, FGeometry.Parts[spThumb]);
}

void TbsSkinScrollBar::DrawSkinThumb(TCanvas& canvas, const TRect& r) {
  if (IsEmptyRect(r)) return;
  const bool down = FDown[spThumb] || FocusedHere();
  const TRect& source = down ? FDownThumbRect : FActive[spThumb] ? FActiveThumbRect : FThumbRect;
  const TRect& glyph = down ? FDownGlyphRect : FActive[spThumb] ? FActiveGlyphRect : FGlyphRect;
  if (IsEmptyRect(source)) return;
  TBitmap thumb;
  if (FPageSize != 0) {
    // A page thumb keeps both ends and repeats its middle to the length.
    if (Vertical())
      ComposeVerticalSkinImage(FThumbOffset1, FThumbOffset2, thumb, *SkinPicture, source, r.Height());
    else
      ComposeHorizontalSkinImage(FThumbOffset1, FThumbOffset2, thumb, *SkinPicture, source, r.Width());
  } else {
    thumb.SetSize(r.Width(), r.Height());
    thumb.Canvas().CopyRect(TRect{0, 0, r.Width(), r.Height()}, SkinPicture->Canvas(), source);
  }
  if (!IsEmptyRect(glyph)) {
    const int x = thumb.Width() / 2 - glyph.Width() / 2, y = thumb.Height() / 2 - glyph.Height() / 2;
    thumb.Canvas().CopyRect(Bounds(x, y, glyph.Width(), glyph.Height()), SkinPicture->Canvas(), glyph);
  }
  canvas.Draw(r.Left, r.Top, thumb);
}
