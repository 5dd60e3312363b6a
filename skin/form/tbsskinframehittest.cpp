// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's side of hit testing and non-client mouse input: the state the
// hit-test functions are given, the hover over caption objects, and presses.

#include "skin/form/tbsskinframe.h"

#include "platform/windowposition.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskincaptionobject.h"

// ---------------------------------------------------------------- hit testing

bool TbsSkinFrame::OnCaptionObject(const TPoint& p) const {
  for (const auto& o : FObjects)
    if (dynamic_cast<const TbsSkinCaptionObject*>(o.get()) && PtInRect(o->Bounds, p)) return true;
  return false;
}

int TbsSkinFrame::HitTest(const TPoint& p) {
  if (!FSkinned) {
    LayoutDefaultObjects();
    TbsDefaultHitTest t;
    t.P = p;
    t.Width = FForm->width();
    t.Height = FForm->height();
    t.CaptionHeight = DefaultCaptionHeight();
    t.CaptionRect = FDefaultCaptionRect;
    t.ObjectHot = Object(FHotIndex) != nullptr;
    t.Maximized = FWindowState == bswsMaximized;
    t.Minimized = FWindowState == bswsMinimized;
    t.RolledUp = FRolledUp;
    t.Sizeable = FForm->Sizeable();
    return DefaultHitTestCode(t);
  }
  if (!FInSizeMove) {
    FFrameWidth = FForm->width();
    FFrameHeight = FForm->height();
  }
  SizeGeometry();
  TbsSkinnedHitTest t;
  t.P = p;
  t.FrameWidth = FFrameWidth;
  t.FrameHeight = FFrameHeight;
  t.SizedClientRect = FSizedClientRect;
  t.HitLeftTop = FSizedHitTestPoints[0];
  t.HitRightTop = FSizedHitTestPoints[1];
  t.HitLeftBottom = FSizedHitTestPoints[2];
  t.HitRightBottom = FSizedHitTestPoints[3];
  t.BorderWidth = FSkinData->BorderWidth;
  t.Mask = &FMaskStrips;
  t.SizedMaskRectArea = FSizedMaskRectArea;
  t.OnCaptionObject = OnCaptionObject(p);
  t.ObjectHot = Object(FHotIndex) != nullptr;
  t.InSizeMove = FInSizeMove;
  t.Maximized = FWindowState == bswsMaximized;
  t.Minimized = FWindowState == bswsMinimized;
  t.RolledUp = FRolledUp;
  t.Sizeable = FForm->Sizeable();
  return SkinnedHitTestCode(t);
}

// ---------------------------------------------------------------- object input

void TbsSkinFrame::UpdateHover(const TPoint& p, bool search) {
  if (!IsFormActive() || FObjects.empty()) return;
  FPrevHotIndex = FHotIndex;
  int hot = -1;
  if (search)
    for (int i = 0; i < int(FObjects.size()); ++i) {
      const TbsActiveSkinObject& o = *FObjects[size_t(i)];
      if (o.Enabled && o.Visible && PtInRect(o.Bounds, p)) {
        hot = i;
        break;
      }
    }
  if (FCapturedIndex != -1 && hot != FCapturedIndex) hot = -1;
  if (hot == FHotIndex) return;
  FHotIndex = hot;
  const bool objectHints = FShowObjectHint && FSkinHint;
  if (TbsActiveSkinObject* prev = Object(FPrevHotIndex); prev && prev->Enabled && prev->Visible) {
    prev->MouseLeave();
    if (objectHints && !prev->Hint.empty()) FSkinHint->HideHint();
  }
  if (TbsActiveSkinObject* now = Object(FHotIndex)) {
    now->MouseEnter();
    if (objectHints && !now->Hint.empty()) FSkinHint->ShowHintDelayed(now->Hint);
  }
}

void TbsSkinFrame::HoverTimerStep() {
  if (!IsFormActive()) return;
  if (FInSizeMove || FForm->InMoveSizeLoop()) {
    FHoverTimer.stop();
    return;
  }
  const QPoint cursor = PointerPixel();
  HoverAt(WindowPoint(cursor.x(), cursor.y()));
}

void TbsSkinFrame::HoverAt(const TPoint& p) {
  if (!PtInRect(FSizedClientRect, p)) UpdateHover(p, true);
  else if (FHotIndex != -1) UpdateHover({-1, -1}, true);
}

void TbsSkinFrame::ObjectButtonDown(int hitCode, const TPoint& p, int button) {
  UpdateHover(p, true);
  if (TbsActiveSkinObject* hot = Object(FHotIndex)) {
    if (!dynamic_cast<TbsSkinCaptionObject*>(hot)) FForm->SetCapture();
    FCapturedIndex = FHotIndex;
    hot->MouseDown(p.X, p.Y, button);
  }
  if (hitCode == HTCAPTION) FCapturedIndex = -1;
}

void TbsSkinFrame::ObjectButtonUp(const TPoint& releasedAt, const TPoint& p, int button) {
  TbsActiveSkinObject* captured = Object(FCapturedIndex);
  if (!captured) return;
  // The hover timer may not have seen the pointer leave yet; a command runs
  // only when the button goes up over its object.
  HoverAt(releasedAt);
  if (!dynamic_cast<TbsSkinCaptionObject*>(captured)) FForm->ReleaseCapture();
  FCapturedIndex = -1;
  captured->MouseUp(p.X, p.Y, button);
}
