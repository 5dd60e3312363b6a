// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's geometry: the client rectangle, the skin's pieces sized to the
// window, the minimum and maximum sizes, and the window's mask region.

#include "skin/form/tbsskinframe.h"

#include <algorithm>
#include <optional>

#include "skin/data/tbsskindata.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"
#include "skin/draw/skinwindow.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinframedefaults.h"

namespace {

constexpr int kUnskinnedMinWidth = 120;

}  // namespace

// ---------------------------------------------------------------- geometry

void TbsSkinFrame::CalcSize(TRect& r) {
  if (!FForm->HasBorder()) return;
  if (!FSkinned) {
    r.Left += kDefaultBorder;
    r.Top += DefaultCaptionHeight() + kDefaultBorder;
    r.Right -= kDefaultBorder;
    r.Bottom -= kDefaultBorder;
  } else {
    SizeGeometry();
    const TbsSkinData& d = *FSkinData;
    const TRect& cr = d.ClientRect;
    r = TRect{r.Left + cr.Left, r.Top + cr.Top, r.Right + cr.Right - d.Picture.Width(),
              r.Bottom + cr.Bottom - d.Picture.Height()};
  }
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
}

void TbsSkinFrame::SizeGeometry() {
  if (!FSkinned) return;
  if (FFrameWidth == 0 || FFrameHeight == 0) {
    FFrameWidth = FForm->width();
    FFrameHeight = FForm->height();
  }
  const TbsSkinData& d = *FSkinData;
  const int pw = d.Picture.Width(), ph = d.Picture.Height();
  const int dw = FFrameWidth - pw, dh = FFrameHeight - ph;
  const TbsSizedGeometry g = ComputeSizedGeometry({0, 0, pw, ph}, d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint,
                                                  d.RightBottomPoint, d.ClientRect, FFrameWidth, FFrameHeight);
  FSizedLeftTopPoint = g.SizedLeftTopPoint;
  FSizedRightTopPoint = g.SizedRightTopPoint;
  FSizedLeftBottomPoint = g.SizedLeftBottomPoint;
  FSizedRightBottomPoint = g.SizedRightBottomPoint;
  FSizedClientRect = g.SizedClientRect;

  FSizedCaptionRect = d.CaptionRect;
  if (!IsEmptyPiece(d.CaptionRect)) FSizedCaptionRect.Right += dw;
  FSizedButtonsRect = d.ButtonsRect;
  FButtonsAnchoredLeft = false;
  if (!IsEmptyPiece(d.ButtonsRect)) {
    if (pw / 2 < d.ButtonsRect.Left) OffsetRect(FSizedButtonsRect, dw, 0);
    else FButtonsAnchoredLeft = true;
  }
  FSizedHitTestPoints[0] = d.HitTestLeftTopPoint;
  FSizedHitTestPoints[1] = {d.HitTestRightTopPoint.X + dw, d.HitTestRightTopPoint.Y};
  FSizedHitTestPoints[2] = {d.HitTestLeftBottomPoint.X, d.HitTestLeftBottomPoint.Y + dh};
  FSizedHitTestPoints[3] = {d.HitTestRightBottomPoint.X + dw, d.HitTestRightBottomPoint.Y + dh};
  FSizedMaskRectArea = d.MaskRectArea;
  FSizedMaskRectArea.Right += dw;
  FSizedMaskRectArea.Bottom += dh;
}

int TbsSkinFrame::MinimumWidth() const {
  const bool minimized = FWindowState == bswsMinimized;
  if (FSkinned) {
    const int pw = FSkinData->Picture.Width();
    return FMinWidth > pw && !minimized ? FMinWidth : pw;
  }
  return FMinWidth > 0 ? FMinWidth : kUnskinnedMinWidth;
}

int TbsSkinFrame::MinimumHeight() const {
  const int frameOnly = FSkinned ? FSkinData->Picture.Height() - FSkinData->ClientRect.Height()
                                 : DefaultCaptionHeight() + 2 * kDefaultBorder;
  if (frameOnly < FMinHeight && !FRolledUp && FWindowState != bswsMinimized) return FMinHeight;
  return frameOnly;
}

TRect TbsSkinFrame::MaximizeArea() const {
  TRect area, full;
  if (!GetMonitorWorkArea(FForm, !FMaximizeOnFullScreen, area)) return FForm->BoundsRect();
  // Without a taskbar a window covering the whole screen would hide an
  // auto-hidden one, so it stays a pixel inside.
  if (!FMaximizeOnFullScreen && GetMonitorWorkArea(FForm, false, full) && area.Width() == full.Width() &&
      area.Height() == full.Height())
    area = TRect{area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1};
  return area;
}

// ---------------------------------------------------------------- region

void TbsSkinFrame::ClearRegion() {
  if (FHasRegion && FForm) FForm->clearMask();
  FHasRegion = false;
  FWindowRegion = QRegion();
}

void TbsSkinFrame::RebuildRegion() {
  if (!FForm->HasBorder() || !FSkinned || FSkinData->Mask.Empty()) {
    ClearRegion();
    FMaskStrips.Clear();
    return;
  }
  const TbsSkinData& d = *FSkinData;
  FMaskStrips.Clear();  // a strip with nothing to cover must not keep an old size
  ComposeMaskStrips(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint, d.MaskRectArea,
                    FSizedLeftTopPoint, FSizedRightTopPoint, FSizedLeftBottomPoint, FSizedRightBottomPoint,
                    FSizedMaskRectArea, d.Mask, FFrameWidth, FMaskStrips.Left, FMaskStrips.Top, FMaskStrips.Right,
                    FMaskStrips.Bottom);
  const TRect& a = FSizedMaskRectArea;
  QRegion region(ToQRect(a));
  auto add = [&region](const TBitmap& strip, int x, int y) {
    if (strip.Empty()) return;
    if (std::optional<QRegion> r = RegionFromMask(strip)) region += r->translated(x, y);
  };
  add(FMaskStrips.Top, 0, 0);
  add(FMaskStrips.Bottom, 0, a.Bottom);
  add(FMaskStrips.Left, 0, a.Top);
  add(FMaskStrips.Right, a.Right, a.Top);
  FWindowRegion = region;
  FHasRegion = true;
  FForm->setMask(region);
}

void TbsSkinFrame::RebuildFrame(bool layoutObjects) {
  if ((ComponentState() & csDesigning) || !FSkinned) return;
  SizeGeometry();
  if (layoutObjects) LayoutObjects();
  RebuildRegion();
  if (!FHasRegion) RepaintFrame();
}
