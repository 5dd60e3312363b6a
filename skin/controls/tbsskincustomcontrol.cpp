// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskincustomcontrol.h"

#include <QResizeEvent>

#include "skin/data/tbsdataskincustomcontrol.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"

TbsSkinCustomControl::TbsSkinCustomControl(QWidget* parent) : TbsSkinControl(parent) {
  FDefaultFont.OnChange = [this] {
    DefaultFontChanged();
    if (FSkinIndex == -1) update();
  };
}

TbsSkinCustomControl::~TbsSkinCustomControl() { FDefaultFont.OnChange = nullptr; }

void TbsSkinCustomControl::SetDefaultWidth(int value) {
  if (FDefaultWidth == value) return;
  FDefaultWidth = value;
  if (FSkinIndex == -1 && value > 0) SetWidth(value);
}

void TbsSkinCustomControl::SetDefaultHeight(int value) {
  if (FDefaultHeight == value) return;
  FDefaultHeight = value;
  if (FSkinIndex == -1 && value > 0) SetHeight(value);
}

void TbsSkinCustomControl::ReadSkinRecord() {
  TbsSkinControl::ReadSkinRecord();
  SkinPicture = nullptr;
  SkinMaskPicture = nullptr;
  if (FSkinIndex == -1) return;
  const auto* record =
      dynamic_cast<const TbsDataSkinCustomControl*>(SkinData()->ControlRecords[size_t(FSkinIndex)].get());
  if (!record) {
    // A record kind without corner points: bound, but nothing to draw or size by.
    StretchKind = 0;
    SkinRect = TRect{};
    return;
  }
  LeftTopPoint = record->LeftTopPoint;
  RightTopPoint = record->RightTopPoint;
  LeftBottomPoint = record->LeftBottomPoint;
  RightBottomPoint = record->RightBottomPoint;
  SkinRect = record->SkinRect;
  SkinClientRect = record->ClientRect;
  SkinPicture = SkinData()->ActivePicture(record->PictureIndex);
  SkinMaskPicture = SkinData()->ActivePicture(record->MaskPictureIndex);
  StretchKind = ::StretchKind(SkinRect, LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  // The sized geometry always describes the present size, even when the
  // record changed without a bounds change (a new name, a new skin).
  int w = width(), h = height();
  CalcSkinSize(w, h);
}

void TbsSkinCustomControl::CalcSkinSize(int& width, int& height) {
  if (FSkinIndex == -1 || StretchKind == -1) return;
  // A record without geometry (empty SkinRect with kind 0) would force the
  // control to nothing; such a record leaves the size alone.
  if (StretchKind == 0 && IsEmptyRect(SkinRect)) return;
  const TbsSizedGeometry g = ComputeSizedGeometry(SkinRect, LeftTopPoint, RightTopPoint, LeftBottomPoint,
                                                  RightBottomPoint, SkinClientRect, width, height, StretchKind);
  SizedLeftTopPoint = g.SizedLeftTopPoint;
  SizedRightTopPoint = g.SizedRightTopPoint;
  SizedLeftBottomPoint = g.SizedLeftBottomPoint;
  SizedRightBottomPoint = g.SizedRightBottomPoint;
  SizedClientRect = StretchKind == 0 ? SkinClientRect : g.SizedClientRect;
  width = g.Width;
  height = g.Height;
}

void TbsSkinCustomControl::SkinChanged() {
  ReadSkinRecord();
  if (FSkinIndex == -1) {
    if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
    if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    UpdateSkinRegion();
    update();
    return;
  }
  int w = width(), h = height();
  CalcSkinSize(w, h);
  if (w != width() || h != height()) {
    if (w != width()) SetWidth(w);
    if (h != height()) SetHeight(h);
  } else {
    UpdateSkinRegion();
    update();
  }
}

void TbsSkinCustomControl::BeforeSkinChange() {
  TbsSkinControl::BeforeSkinChange();
  SkinPicture = nullptr;  // the pictures go with the old skin
  SkinMaskPicture = nullptr;
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
  ReadSkinRecord();
  const bool skinned = FSkinIndex != -1 && (width != this->width() || height != this->height());
  if (skinned) CalcSkinSize(width, height);
  TbsSkinControl::SetBounds(left, top, width, height);
  if (skinned) {
    UpdateSkinRegion();
    update();
  }
}

void TbsSkinCustomControl::resizeEvent(QResizeEvent* event) {
  // Alignment sizes children directly, past SetBounds; the skin's fixed
  // directions still win.
  ReadSkinRecord();
  if (FSkinIndex != -1) {
    int w = width(), h = height();
    CalcSkinSize(w, h);
    if (w != width() || h != height()) {
      resize(w, h);
      return;
    }
    UpdateSkinRegion();
  }
  TbsSkinControl::resizeEvent(event);
}

void TbsSkinCustomControl::UpdateSkinRegion() {
  if (!SkinMaskPicture || FSkinIndex == -1) {
    if (FSkinRegion) {
      clearMask();
      FSkinRegion.reset();
    }
    return;
  }
  const int w0 = RectWidth(SkinRect), h0 = RectHeight(SkinRect);
  const TBitmap& mask = *SkinMaskPicture;
  std::optional<QRegion> region;
  switch (StretchKind) {
    case 1:
      region = BuildSkinRegion(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint, SkinClientRect,
                               SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint, SizedRightBottomPoint,
                               SizedClientRect, mask, width(), height());
      break;
    case 2: {
      // Only the top corners count; the bottom ones coincide with them.
      const TPoint right{RightTopPoint.X + width() - w0, RightTopPoint.Y};
      region = BuildSkinRegion(LeftTopPoint, RightTopPoint, LeftTopPoint, RightTopPoint, SkinClientRect, LeftTopPoint,
                               right, LeftTopPoint, right, SizedClientRect, mask, width(), height());
      break;
    }
    case 3: {
      const TPoint bottom{LeftBottomPoint.X, LeftBottomPoint.Y + height() - h0};
      region = BuildSkinRegion(LeftTopPoint, LeftTopPoint, LeftBottomPoint, LeftBottomPoint, SkinClientRect,
                               LeftTopPoint, LeftTopPoint, bottom, bottom, SizedClientRect, mask, width(), height());
      break;
    }
    default:
      region = RegionFromMask(mask);
      break;
  }
  if (region)
    setMask(*region);
  else
    clearMask();
  FSkinRegion = std::move(region);
}

void TbsSkinCustomControl::DrawDefaultImage(TBitmap& bitmap) {
  TCanvas& c = bitmap.Canvas();
  c.Brush.Color = clBtnFace;
  c.Brush.Style = bsSolid;
  c.FillRect(TRect{0, 0, width(), height()});
}

void TbsSkinCustomControl::DrawSkinImage(TBitmap& bitmap) {
  if (!DrawSkinImageFrom(bitmap, SkinRect)) DrawDefaultImage(bitmap);
}

bool TbsSkinCustomControl::DrawSkinImageFrom(TBitmap& bitmap, const TRect& source) {
  if (!SkinPicture || SkinPicture->Empty() || IsEmptyRect(source)) return false;
  const int w0 = RectWidth(SkinRect), h0 = RectHeight(SkinRect);
  switch (StretchKind) {
    case 0:
      bitmap.SetSize(RectWidth(source), RectHeight(source));
      bitmap.Canvas().CopyRect(TRect{0, 0, RectWidth(source), RectHeight(source)}, SkinPicture->Canvas(), source);
      return true;
    case 1:
      ComposeSkinImage(LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint, SkinClientRect,
                       SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint, SizedRightBottomPoint,
                       SizedClientRect, bitmap, *SkinPicture, source, width(), height(), true);
      return true;
    case 2:
      ComposeHorizontalSkinImage(LeftTopPoint.X, w0 - RightTopPoint.X, bitmap, *SkinPicture, source, width());
      return true;
    case 3:
      ComposeVerticalSkinImage(LeftTopPoint.Y, h0 - LeftBottomPoint.Y, bitmap, *SkinPicture, source, height());
      return true;
    default:
      return false;
  }
}

TFont TbsSkinCustomControl::DefaultTextFont() const {
  TFont font(FDefaultFont);
  if (SkinData() && SkinData()->ResourceStrData()) font.SetCharSet(SkinData()->ResourceStrData()->CharSet());
  return font;
}

TFont TbsSkinCustomControl::SkinTextFont(const std::string& recordName, int recordHeight,
                                         TFontStyles recordStyle) const {
  TFont font = DefaultTextFont();
  if (FUseSkinFont && FSkinIndex != -1) {
    font.SetName(recordName);
    font.SetHeight(recordHeight);
    font.SetStyle(recordStyle);
  }
  return font;
}
