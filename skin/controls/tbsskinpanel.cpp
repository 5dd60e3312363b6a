// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinpanel.h"

#include <QMouseEvent>
#include <QPainter>

#include "framework/acceltext.h"
#include "skin/controls/skinrectmapping.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"

namespace {

constexpr int kCheckBoxLeft = 5;     // the default look's check box, from the panel's left edge
constexpr int kCheckBoxSize = 14;
constexpr int kCheckIndent = 20;     // caption text starts right of the check box
constexpr int kArrowWidth = 10;      // strip of the roll-up arrow
constexpr int kSkinArrowReserve = 12;

// A one-pixel frame: top and left in `topLeft`, bottom and right in
// `bottomRight` (which owns the top-right and bottom-left pixels); then R
// shrinks by one on every side.
void Frame3D(TCanvas& canvas, TRect& R, TColor topLeft, TColor bottomRight) {
  if (R.Width() > 0 && R.Height() > 0) {
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = topLeft;
    canvas.FillRect(TRect{R.Left, R.Top, R.Right - 1, R.Top + 1});
    canvas.FillRect(TRect{R.Left, R.Top, R.Left + 1, R.Bottom - 1});
    canvas.Brush.Color = bottomRight;
    canvas.FillRect(TRect{R.Right - 1, R.Top, R.Right, R.Bottom});
    canvas.FillRect(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom});
  }
  R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
}

}  // namespace

TbsSkinPanel::TbsSkinPanel(QWidget* parent) : TbsSkinCustomControl(parent) {
  resize(150, 150);
  SetSkinDataName("panel");
  SizedClientRect = TRect{};
}

TbsSkinPanel::~TbsSkinPanel() = default;

void TbsSkinPanel::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  if (FCaptionMode) update();
}

void TbsSkinPanel::SetCheckedMode(bool value) {
  if (FCheckedMode == value) return;
  FCheckedMode = value;
  update();
}

void TbsSkinPanel::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  if (FCheckedMode) update();
  if (FAutoEnabledControls && FCheckedMode)
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->setEnabled(value);
  if (OnChecked) OnChecked();
}

void TbsSkinPanel::SetGlyph(const TBitmap& value) {
  FGlyph = value;
  update();
}

void TbsSkinPanel::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 2);
  if (FNumGlyphs == value) return;
  FNumGlyphs = value;
  update();
}

void TbsSkinPanel::SetSpacing(int value) {
  if (FSpacing == value) return;
  FSpacing = value;
  update();
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment value) {
  if (FDefaultAlignment == value) return;
  FDefaultAlignment = value;
  if (!HasRecord() && FCaptionMode) update();
}

void TbsSkinPanel::SetRollUpMode(bool value) {
  if (FRollUpMode == value) return;
  FRollUpMode = value;
  if (!HasRecord() && FCaptionMode) update();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int value) {
  if (FDefaultCaptionHeight == value) return;
  FDefaultCaptionHeight = value;
  if (!HasRecord() && FCaptionMode) RealignAndRepaint();
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  if (!HasRecord()) RealignAndRepaint();
}

void TbsSkinPanel::SetCaptionMode(bool value) {
  if (FCaptionMode == value) return;
  FCaptionMode = value;
  RealignAndRepaint();
}

void TbsSkinPanel::RealignAndRepaint() {
  update();
  Realign();
}

void TbsSkinPanel::SetRollUpState(bool value) {
  if (FRollUpState == value) return;
  if (!FRollUpMode) {
    FRollUpState = false;
    return;
  }
  FRollUpState = value;
  if (value)
    RollUp();
  else
    Unroll();
}

void TbsSkinPanel::RollUp() {
  if (FRealHeight != -1) return;
  FRealHeight = height();
  // Children hidden by an earlier roll-up stay remembered as they were.
  if (FHiddenControls.empty())
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!child->isHidden()) {
        FHiddenControls.emplace_back(child);
        child->hide();
      }
  ReadSkinRecord();
  SetHeight(HasRecord() ? height() - SizedClientRect.Height() : FDefaultCaptionHeight + 1);
}

void TbsSkinPanel::Unroll() {
  if (FRealHeight == -1) return;
  SetHeight(FRealHeight);
  FRealHeight = -1;
  for (const QPointer<QWidget>& child : FHiddenControls)
    if (child) child->show();
  FHiddenControls.clear();
  Realign();
}

void TbsSkinPanel::ReadSkinRecord() {
  TbsSkinCustomControl::ReadSkinRecord();
  FBGPictureIndex = -1;
  if (HasRecord()) {
    if (const auto* r = dynamic_cast<const TbsDataSkinPanelControl*>(SkinData()->ControlRecords[size_t(FSkinIndex)].get())) {
      FCaptionRect = r->CaptionRect;
      FAlignment = r->Alignment;
      FFontName = r->FontName;
      FFontStyle = r->FontStyle;
      FFontHeight = r->FontHeight;
      FFontColor = r->FontColor;
      // An index naming no picture is treated as none.
      const TBitmap* bg = SkinData()->ActivePicture(r->BGPictureIndex);
      FBGPictureIndex = bg && !bg->Empty() ? r->BGPictureIndex : -1;
      FCheckImageRect = r->CheckImageRect;
      FUnCheckImageRect = r->UnCheckImageRect;
    }
  }
  UpdateSizedCaptionRect();
}

void TbsSkinPanel::UpdateSizedCaptionRect() {
  if (!HasRecord() || StretchKind == 0 || StretchKind == -1) {
    FSizedCaptionRect = FCaptionRect;
    return;
  }
  const TbsSkinCorners corners{LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint, RectWidth(SkinRect),
                               RectHeight(SkinRect)};
  FSizedCaptionRect = MapSkinRect(FCaptionRect, StretchKind, corners, width() - RectWidth(SkinRect),
                                  height() - RectHeight(SkinRect));
}

TRect TbsSkinPanel::ClientRect() const {
  const TRect full{0, 0, width(), height()};
  if (!HasRecord()) {
    TRect r = full;
    if (FBorderStyle != TbsSkinBorderStyle::bvNone) r = TRect{1, 1, width() - 1, height() - 1};
    if (FCaptionMode) r.Top += FDefaultCaptionHeight;
    return r;
  }
  if (FBGPictureIndex != -1) return full;
  if (FBorderStyle == TbsSkinBorderStyle::bvNone && !FCaptionMode && StretchKind == 1) return full;
  return SizedClientRect;
}

void TbsSkinPanel::SkinChanged() {
  TbsSkinCustomControl::SkinChanged();
  DressPlainChildren();
  if (!FRollUpState) {
    Realign();
    return;
  }
  // Roll up again under the new skin's frame, remembering the same height.
  const int realHeight = FRealHeight;
  FRealHeight = -1;
  RollUp();
  FRealHeight = realHeight;
}

void TbsSkinPanel::DressPlainChildren() {
  ReadSkinRecord();
  TColor face = clBtnFace;
  if (HasRecord() && width() > 0 && height() > 0) {
    // The colour the panel shows in the middle of its client area.
    TBitmap look(width(), height());
    DrawControl(look);
    const TRect c = ClientRect();
    const QPoint middle((c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
    if (look.Image().rect().contains(middle)) face = FromQColor(QColor(look.Image().pixel(middle)));
  }
  FPlainChildColors.Apply(this, HasRecord() ? SkinData() : nullptr, face, FFontColor);
}

void TbsSkinPanel::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  if (!HasRecord()) update();
}

void TbsSkinPanel::changeEvent(QEvent* event) {
  TbsSkinCustomControl::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) update();
}

void TbsSkinPanel::paintEvent(QPaintEvent* event) {
  ReadSkinRecord();
  if (HasRecord() && FBGPictureIndex != -1) {
    if (width() < 1 || height() < 1) return;
    // The background picture covers everything, frame and caption included.
    const QImage& picture = SkinData()->ActivePicture(FBGPictureIndex)->Image();
    QPainter painter(this);
    for (int i = 0; i <= width() / picture.width(); ++i)
      for (int j = 0; j <= height() / picture.height(); ++j)
        DrawImageCrisp(painter, QRect(i * picture.width(), j * picture.height(), picture.width(), picture.height()),
                       picture, picture.rect());
    return;
  }
  TbsSkinCustomControl::paintEvent(event);
}

int TbsSkinPanel::GlyphImage() const { return !isEnabled() && FNumGlyphs == 2 ? 2 : 1; }

void TbsSkinPanel::DrawCaptionContent(TCanvas& canvas, TRect K, TAlignment alignment, int leftPad,
                                      TColor arrowColor) {
  const bool hasGlyph = !FGlyph.Empty();
  const int gw = hasGlyph ? FGlyph.Width() / FNumGlyphs : 0;
  const int textTop = K.Top + K.Height() / 2 - AccelTextHeight(canvas, FCaption) / 2;
  const int T = AccelTextWidth(canvas, FCaption) + (hasGlyph ? gw + FSpacing : 0);
  int X = 0;
  switch (alignment) {
    case taRightJustify: X = K.Right - T; break;
    case taLeftJustify: X = K.Left + leftPad; break;
    case taCenter: X = K.Left + leftPad + K.Width() / 2 - T / 2; break;
  }
  const int glyphLeft = X, glyphTop = K.Top + K.Height() / 2 - FGlyph.Height() / 2;
  if (hasGlyph) X += gw + FSpacing;
  canvas.Brush.Style = bsClear;
  AccelTextRect(canvas, K, X, textTop, FCaption);
  if (hasGlyph) DrawGlyphFrame(canvas, glyphLeft, glyphTop, FGlyph, FNumGlyphs, GlyphImage());
  if (FRollUpMode)
    DrawArrowGlyph(canvas, TRect{K.Right, K.Top, K.Right + kArrowWidth, K.Bottom}, arrowColor,
                   FRollUpState ? akDown : akUp);
}

void TbsSkinPanel::DrawDefaultImage(TBitmap& bitmap) {
  TCanvas& c = bitmap.Canvas();
  c.Brush.Style = bsSolid;
  c.Brush.Color = clBtnFace;
  TRect R{0, 0, width(), height()};
  c.FillRect(R);
  switch (FBorderStyle) {
    case TbsSkinBorderStyle::bvFrame: Frame3D(c, R, clBtnShadow, clBtnShadow); break;
    case TbsSkinBorderStyle::bvRaised: Frame3D(c, R, clBtnHighlight, clBtnShadow); break;
    case TbsSkinBorderStyle::bvLowered: Frame3D(c, R, clBtnShadow, clBtnHighlight); break;
    case TbsSkinBorderStyle::bvNone: break;
  }
  if (!FCaptionMode) return;

  TRect C;
  if (FBorderStyle == TbsSkinBorderStyle::bvFrame) {
    C = TRect{0, 0, width(), FDefaultCaptionHeight};
    Frame3D(c, C, clBtnShadow, clBtnShadow);
    Frame3D(c, C, clBtnHighlight, clBtnFace);
  } else {
    C = TRect{1, 1, width() - 1, FDefaultCaptionHeight};
    Frame3D(c, C, clBtnShadow, clBtnHighlight);
    Frame3D(c, C, clBtnHighlight, clBtnShadow);
  }
  if (FCheckedMode) C.Left += kCheckIndent;
  if (FRollUpMode) C.Right -= kArrowWidth;
  c.Font = DefaultTextFont();

  if (FCheckedMode) {
    TRect B = Bounds(kCheckBoxLeft, C.Top + C.Height() / 2 - kCheckBoxSize / 2, kCheckBoxSize, kCheckBoxSize);
    Frame3D(c, B, clBtnShadow, clBtnShadow);
    if (FChecked) DrawCheckGlyph(c, B.Left + 3, B.Top + 2, clBtnText);
  }
  DrawCaptionContent(c, C, FDefaultAlignment, 2, clBtnText);
}

void TbsSkinPanel::DrawSkinImage(TBitmap& bitmap) {
  if (!SkinPicture || SkinPicture->Empty()) {
    DrawDefaultImage(bitmap);
    return;
  }
  if (FBorderStyle == TbsSkinBorderStyle::bvNone && StretchKind == 1 && !FCaptionMode) {
    // A borderless texture: the skin's client piece repeated over the panel.
    const TRect piece = Bounds(SkinRect.Left + SkinClientRect.Left, SkinRect.Top + SkinClientRect.Top,
                               SkinClientRect.Width(), SkinClientRect.Height());
    bitmap.SetSize(width(), height());
    TCanvas& c = bitmap.Canvas();
    TileRun(piece.Width(), 0, width(), [&](int x, int w) {
      TileRun(piece.Height(), 0, height(), [&](int y, int h) {
        c.CopyRect(Bounds(x, y, w, h), SkinPicture->Canvas(), Bounds(piece.Left, piece.Top, w, h));
      });
    });
    return;
  }
  TbsSkinCustomControl::DrawSkinImage(bitmap);
  if (FCaption.empty() || IsEmptyRect(FCaptionRect)) return;

  TCanvas& c = bitmap.Canvas();
  TRect K = FSizedCaptionRect;
  if (FRollUpMode) K.Right -= kSkinArrowReserve;
  if (FCheckedMode) {
    const TRect source = FChecked ? FCheckImageRect : FUnCheckImageRect;
    if (!IsEmptyRect(source)) {
      TBitmap mark(source.Width(), source.Height());
      mark.Canvas().CopyRect(TRect{0, 0, source.Width(), source.Height()}, SkinPicture->Canvas(), source);
      mark.Transparent = true;
      c.Draw(K.Left, K.Top + K.Height() / 2 - source.Height() / 2, mark);
    }
    K.Left += source.Width() + 2;
  }
  TFont font = SkinTextFont(FFontName, FFontHeight, FFontStyle);
  font.SetColor(FFontColor);
  c.Font = font;
  DrawCaptionContent(c, K, FAlignment, 0, FFontColor);
}

void TbsSkinPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && FCaptionMode && (FRollUpMode || FCheckedMode)) {
    const TRect area = HasRecord() ? FSizedCaptionRect : TRect{1, 1, width() - 1, FDefaultCaptionHeight};
    if (PointInRectInclusive(area, FromQPoint(event->position().toPoint()))) {
      if (FCheckedMode) SetChecked(!FChecked);
      if (FRollUpMode) SetRollUpState(!FRollUpState);
    }
  }
  TbsSkinCustomControl::mouseReleaseEvent(event);
}
