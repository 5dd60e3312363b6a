// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskincustomedit.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

#include "framework/handlerguard.h"
#include "framework/tform.h"
#include "skin/controls/accessiblecontrols.h"
#include "skin/data/skinnotice.h"
#include "skin/data/tbsdataskineditcontrol.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinimage.h"

namespace {
// The default look's push button, by state.
constexpr TColor kHotButtonFill = RGBColor(182, 189, 210);
constexpr TColor kDownButtonFill = RGBColor(133, 147, 181);
}  // namespace

TbsSkinCustomEdit::TbsSkinCustomEdit(QWidget* parent) : TbsCustomEdit(parent) {
  InstallControlsAccessibility();
  // The field draws every pixel of itself; the text goes over that picture.
  setAttribute(Qt::WA_OpaquePaintEvent);
  Editor()->setFrame(false);
  // Text starts 2 pixels in and ends at the right edge: the platform edit
  // keeps 2 pixels on either side and 2 more for the caret at the end.
  Editor()->setTextMargins(0, 0, -4, 0);
  Font() = TFont("Arial", 14, 0, clWindowText);
  FDefaultFont = Font();
  FDefaultFont.OnChange = [this] {
    if (FSkinIndex == -1) Font() = FDefaultFont;
  };
  SetTextTransparent(true);
  TControl::SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() { FDefaultFont.OnChange = nullptr; }

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  if (FSkinData) disconnect(FSkinData, nullptr, this, nullptr);
  FSkinData = value;
  // A freed skin data leaves the field on its default look from the next paint on.
  if (value) connect(value, &QObject::destroyed, this, [this] { BeforeSkinChange(); });
  if (value && value->HasSkin() && !(value->ComponentState() & csDesigning)) SkinChanged();
}

void TbsSkinCustomEdit::BeforeSkinChange() {
  FSkinIndex = -1;
  FEditRecord = false;
  SkinPicture = nullptr;  // it goes with the old skin
  UpdateEditorGeometry();
  Invalidate();
}

void TbsSkinCustomEdit::SetDefaultFont(const TFont& value) {
  FDefaultFont = value;
  if (FSkinIndex == -1) Font() = FDefaultFont;
}

void TbsSkinCustomEdit::SetDefaultWidth(int value) {
  if (FDefaultWidth == value) return;
  FDefaultWidth = value;
  if (FSkinIndex == -1 && value > 0) SetWidth(value);
}

void TbsSkinCustomEdit::SetDefaultHeight(int value) {
  if (FDefaultHeight == value) return;
  FDefaultHeight = value;
  if (FSkinIndex == -1 && value > 0) SetHeight(value);
}

void TbsSkinCustomEdit::SetButtonMode(bool value) {
  if (FButtonMode == value) return;
  FButtonMode = value;
  // Set by hand (not while the form is built), the mode takes its record with it.
  const auto* form = qobject_cast<const TForm*>(window());
  if (!(form && form->Loading())) FSkinDataName = value ? "buttonedit" : "edit";
  FButtonHot = FButtonPressed = false;
  UpdateEditorGeometry();
  Invalidate();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment value) {
  if (value == Alignment()) return;
  TbsCustomEdit::SetAlignment(value);
  Invalidate();
}

void TbsSkinCustomEdit::ReadSkinRecord() {
  FSkinIndex = -1;
  FEditRecord = false;
  SkinPicture = nullptr;
  if (!FSkinData || !FSkinData->HasSkin()) return;
  FSkinIndex = FSkinData->FindControlRecord(FSkinDataName);
  if (FSkinIndex == -1) return;
  const auto* record =
      dynamic_cast<const TbsDataSkinEditControl*>(FSkinData->ControlRecords[size_t(FSkinIndex)].get());
  if (!record) return;  // another kind of record: bound, but nothing to dress the field with
  FEditRecord = true;
  SkinPicture = FSkinData->ActivePicture(record->PictureIndex);
  SkinRect = record->SkinRect;
  ActiveSkinRect = IsEmptyRect(record->ActiveSkinRect) ? record->SkinRect : record->ActiveSkinRect;
  LeftEndWidth = record->LeftTopPoint.X;
  RightTopX = record->RightTopPoint.X;
  RightEndWidth = RectWidth(SkinRect) - RightTopX;
  SkinClientRect = record->ClientRect;
  FontName = record->FontName;
  FontStyle = record->FontStyle;
  FontHeight = record->FontHeight;
  FontColor = record->FontColor;
  DisabledFontColor = record->DisabledFontColor;
  ActiveFontColor = record->ActiveFontColor;
  ButtonRect = record->ButtonRect;
  ActiveButtonRect = record->ActiveButtonRect;
  DownButtonRect = IsEmptyRect(record->DownButtonRect) ? record->ActiveButtonRect : record->DownButtonRect;
  UnEnabledButtonRect = record->UnEnabledButtonRect;
}

bool TbsSkinCustomEdit::UsesSkin() const { return FSkinIndex != -1 && FEditRecord && !IsEmptyRect(SkinRect); }

void TbsSkinCustomEdit::SkinChanged() {
  ReadSkinRecord();
  if (!UsesSkin()) {
    Font() = FDefaultFont;
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
  } else {
    if (FUseSkinFont) {
      TFont font = Font();
      font.SetName(FontName);
      font.SetStyle(FontStyle);
      font.SetHeight(FontHeight);
      Font() = font;
    } else {
      Font() = FDefaultFont;
    }
    // Whatever height the layout asked for: the record's piece is not stretched upwards.
    TControl::SetBounds(Left(), Top(), Width(), RectHeight(SkinRect));
  }
  const TbsResourceStrData* texts = FSkinData ? FSkinData->ResourceStrData() : nullptr;
  Font().SetCharSet(texts ? texts->CharSet() : FDefaultFont.CharSet());
  UpdateEditorGeometry();
  UpdateFontColor();
  Invalidate();
}

void TbsSkinCustomEdit::WndProc(TMessage& message) {
  if (DispatchSkinNotice(message, FSkinData.data(), [this] { BeforeSkinChange(); }, [this] { SkinChanged(); }))
    return;
  TbsCustomEdit::WndProc(message);
}

TbsEditGeometry TbsSkinCustomEdit::Geometry() const {
  if (!UsesSkin()) return ComputeEditGeometry(nullptr, width(), height(), FButtonMode);
  const TbsEditSkinGeometry skin{SkinRect, SkinClientRect, ButtonRect, RightTopX};
  return ComputeEditGeometry(&skin, width(), height(), FButtonMode);
}

QRect TbsSkinCustomEdit::EditorRect() const { return ToQRect(Geometry().ClientRect); }

QPoint TbsSkinCustomEdit::KeyboardMenuPoint() const {
  // The client origin on the screen plus half the field's size.
  const TRect client = Geometry().ClientRect;
  return mapToGlobal(QPoint(client.Left + width() / 2, client.Top + height() / 2));
}

void TbsSkinCustomEdit::SetBounds(int left, int top, int width, int height) {
  ReadSkinRecord();
  if (UsesSkin() && (width != Width() || height != Height())) height = RectHeight(SkinRect);
  TbsCustomEdit::SetBounds(left, top, width, height);
  UpdateEditorGeometry();
  Invalidate();
}

void TbsSkinCustomEdit::resizeEvent(QResizeEvent* event) {
  // Alignment sizes controls past SetBounds; the record's height still wins.
  ReadSkinRecord();
  if (UsesSkin() && height() != RectHeight(SkinRect)) {
    resize(width(), RectHeight(SkinRect));
    return;
  }
  TbsCustomEdit::resizeEvent(event);
  Invalidate();
}

void TbsSkinCustomEdit::Invalidate() {
  if (!parentWidget()) return;
  update();  // the border and the text area: the text is drawn over both
}

TColor TbsSkinCustomEdit::StateFontColor(bool focused) const {
  if (!isEnabled()) return UsesSkin() ? DisabledFontColor : clGrayText;
  if (!UsesSkin()) return FDefaultFont.Color();
  return focused || FMouseIn ? ActiveFontColor : FontColor;
}

void TbsSkinCustomEdit::UpdateFontColor(bool focused) {
  const TColor color = StateFontColor(focused);
  if (Font().Color() != color) Font().SetColor(color);
}

void TbsSkinCustomEdit::UpdateFontColor() { UpdateFontColor(Focused()); }

void TbsSkinCustomEdit::EditorFocusIn(QFocusEvent* event) {
  ReadSkinRecord();
  UpdateFontColor(true);
  TbsCustomEdit::EditorFocusIn(event);
}

void TbsSkinCustomEdit::EditorFocusOut(QFocusEvent* event) {
  ReadSkinRecord();
  UpdateFontColor(false);  // the platform edit still has the focus while this is delivered
  TbsCustomEdit::EditorFocusOut(event);
}

void TbsSkinCustomEdit::changeEvent(QEvent* event) {
  TbsCustomEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    ReadSkinRecord();
    UpdateFontColor();
    Invalidate();
  }
}

void TbsSkinCustomEdit::enterEvent(QEnterEvent* event) {
  FMouseIn = true;
  ReadSkinRecord();
  UpdateFontColor();
  Invalidate();
  TbsCustomEdit::enterEvent(event);  // OnMouseEnter
}

void TbsSkinCustomEdit::leaveEvent(QEvent* event) {
  FMouseIn = false;
  ReadSkinRecord();
  UpdateFontColor();
  FButtonHot = FButtonPressed = false;
  Invalidate();
  TbsCustomEdit::leaveEvent(event);  // OnMouseLeave
}

void TbsSkinCustomEdit::SetButtonHot(bool value) {
  if (FButtonHot == value) return;
  FButtonHot = value;
  Invalidate();
}

void TbsSkinCustomEdit::mousePressEvent(QMouseEvent* event) {
  ReadSkinRecord();
  const TPoint p{event->position().toPoint().x(), event->position().toPoint().y()};
  if (event->button() == Qt::LeftButton && EditHitTest(p, Geometry(), FButtonMode) == TbsEditHit::Button) {
    FButtonPressed = true;
    FButtonHot = true;
    Invalidate();
  }
  TbsCustomEdit::mousePressEvent(event);
}

void TbsSkinCustomEdit::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void TbsSkinCustomEdit::mouseReleaseEvent(QMouseEvent* event) {
  ReadSkinRecord();
  const TPoint p{event->position().toPoint().x(), event->position().toPoint().y()};
  const bool click = FButtonPressed && event->button() == Qt::LeftButton &&
                     EditHitTest(p, Geometry(), FButtonMode) == TbsEditHit::Button;
  if (event->button() == Qt::LeftButton && FButtonPressed) {
    FButtonPressed = false;
    Invalidate();
  }
  TbsCustomEdit::mouseReleaseEvent(event);
  if (!click) return;
  if (!Focused()) SetFocus();
  if (OnButtonClick) CallGuarded(OnButtonClick);
}

void TbsSkinCustomEdit::mouseMoveEvent(QMouseEvent* event) {
  ReadSkinRecord();
  const TPoint p{event->position().toPoint().x(), event->position().toPoint().y()};
  SetButtonHot(EditHitTest(p, Geometry(), FButtonMode) == TbsEditHit::Button);
  TbsCustomEdit::mouseMoveEvent(event);
}

bool TbsSkinCustomEdit::eventFilter(QObject* watched, QEvent* event) {
  // The pointer over the text is off the button.
  if (watched == Editor() && event->type() == QEvent::MouseMove) SetButtonHot(false);
  return TbsCustomEdit::eventFilter(watched, event);
}

void TbsSkinCustomEdit::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  ReadSkinRecord();
  QPainter painter(this);
  TBitmap buffer(width(), height(), TBitmap::ForPaint);
  PlaceOnDevice(buffer, painter, 0, 0);
  DrawField(buffer);
  TCanvas(&painter).Draw(0, 0, buffer);
}

void TbsSkinCustomEdit::DrawField(TBitmap& bitmap) {
  if (!UsesSkin() || !SkinPicture || SkinPicture->Empty()) return DrawDefaultField(bitmap);
  const bool active = FMouseIn || Focused();
  ComposeHorizontalSkinImage(LeftEndWidth, RightEndWidth, bitmap, *SkinPicture, active ? ActiveSkinRect : SkinRect,
                             width());
  if (!FButtonMode) return;
  TRect source;
  if (!isEnabled() && !IsEmptyRect(UnEnabledButtonRect))
    source = UnEnabledButtonRect;
  else if (FButtonHot && FButtonPressed)
    source = DownButtonRect;
  else if (FButtonHot)
    source = ActiveButtonRect;
  // The normal button is part of the field's picture.
  if (!IsEmptyRect(source)) bitmap.Canvas().CopyRect(Geometry().ButtonArea, SkinPicture->Canvas(), source);
}

void TbsSkinCustomEdit::DrawDefaultField(TBitmap& bitmap) {
  const TbsEditGeometry g = Geometry();
  TCanvas& c = bitmap.Canvas();
  const int w = width(), h = height();
  c.Brush.Style = bsSolid;
  c.Brush.Color = clWindow;
  c.FillRect(TRect{0, 0, w, h});
  const int right = FButtonMode ? g.ButtonArea.Left : w;
  c.Brush.Color = clBtnShadow;
  c.FrameRect(TRect{0, 0, right, h});
  c.Brush.Color = clBtnFace;
  c.FrameRect(TRect{1, 1, right - 1, h - 1});
  if (!FButtonMode) return;
  const TColor frame = FButtonHot ? clNavy : clBtnShadow;
  const TColor fill = !FButtonHot ? clBtnFace : FButtonPressed ? kDownButtonFill : kHotButtonFill;
  c.Brush.Color = fill;
  c.FillRect(g.ButtonArea);
  c.Brush.Color = frame;
  c.FrameRect(g.ButtonArea);
}
