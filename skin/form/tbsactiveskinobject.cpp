// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsactiveskinobject.h"

#include <algorithm>
#include <cmath>

#include "skin/data/tbsdataskinobject.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/frameeffects.h"
#include "skin/form/tbsskinframe.h"

TbsActiveSkinObject::TbsActiveSkinObject(TbsSkinFrame* owner, const TbsDataSkinObject* record) : Owner(owner) {
  if (!record) return;
  IDName = record->IDName;
  Hint = record->Hint;
  SkinRect = record->SkinRect;
  ActiveSkinRect = record->ActiveSkinRect;
  InActiveSkinRect = record->InActiveSkinRect;
  SkinRectInAPicture = record->SkinRectInAPicture;
  Morphing = record->Morphing;
  MorphKind = int(record->MorphKind);
  if (TbsSkinData* data = owner->SkinData()) {
    ActivePicture = data->ActivePicture(record->ActivePictureIndex);
    Picture = &data->Picture;
  }
  if (!ActivePicture) ActiveSkinRect = TRect{};
  if (IsEmptyPiece(ActiveSkinRect)) Morphing = false;
  Bounds = SkinRect;
}

bool TbsActiveSkinObject::FormActive() const { return Owner->IsFormActive(); }

bool TbsActiveSkinObject::NeedsMorphStep() const { return FadeUnderWay(); }

void TbsActiveSkinObject::MorphStep() {
  // Rounded to tenths so five steps land exactly on 0 or 1 in both directions.
  const double next = MorphFactor + (Hot ? kMorphStep : -kMorphStep);
  MorphFactor = std::clamp(std::nearbyint(next * 10) / 10, 0.0, 1.0);
  RepaintNow();
}

void TbsActiveSkinObject::RepaintNow() { Owner->RepaintNow(Bounds); }

void TbsActiveSkinObject::StartMorph() {
  if (Morphing) Owner->StartMorphTimer();
  else RepaintNow();
}

void TbsActiveSkinObject::MouseDown(int X, int Y, int Button) {
  if (Owner->OnMouseDownEvent) Owner->OnMouseDownEvent(IDName, X, Y, Bounds, TMouseButton(Button));
}

void TbsActiveSkinObject::MouseUp(int X, int Y, int Button) {
  if (MouseInside && Owner->OnMouseUpEvent) Owner->OnMouseUpEvent(IDName, X, Y, Bounds, TMouseButton(Button));
}

void TbsActiveSkinObject::MouseMove(int X, int Y) {
  if (Owner->OnMouseMoveEvent) Owner->OnMouseMoveEvent(IDName, X, Y, Bounds);
}

void TbsActiveSkinObject::MouseEnter() {
  MouseInside = true;
  Hot = true;
  if (!IsEmptyPiece(ActiveSkinRect)) StartMorph();
  if (Owner->OnMouseEnterEvent) Owner->OnMouseEnterEvent(IDName);
}

void TbsActiveSkinObject::MouseLeave() {
  MouseInside = false;
  Hot = false;
  if (!IsEmptyPiece(ActiveSkinRect)) StartMorph();
  if (Owner->OnMouseLeaveEvent) Owner->OnMouseLeaveEvent(IDName);
}

void TbsActiveSkinObject::CopyPiece(TCanvas& canvas, const TRect& dest, const TBitmap* from, const TRect& source) {
  if (!from || from->Empty() || IsEmptyPiece(source) || IsEmptyPiece(dest)) return;
  const QImage& picture = from->Image();
  canvas.Paint([&](QPainter& p) { DrawImageCrisp(p, ToQRect(dest), picture, ToQRect(source)); });
}

void TbsActiveSkinObject::DrawMorph(TCanvas& canvas, const TBitmap* normalFrom, const TRect& normalRect,
                                    const TBitmap* activeFrom, const TRect& activeRect) {
  const int w = RectWidthOf(Bounds), h = RectHeightOf(Bounds);
  if (w < 1 || h < 1) return;
  TBitmap a(w, h), b(w, h);
  CopyPiece(a.Canvas(), {0, 0, w, h}, normalFrom, normalRect);
  CopyPiece(b.Canvas(), {0, 0, w, h}, activeFrom, activeRect);
  MorphBitmaps(a, b, MorphKind, MorphFactor);
  canvas.Draw(Bounds.Left, Bounds.Top, a);
}

void TbsActiveSkinObject::Draw(TCanvas& canvas, bool fullPaint) {
  if (Enabled && !FormActive() && !IsEmptyPiece(InActiveSkinRect)) {
    CopyPiece(canvas, Bounds, ActivePicture, InActiveSkinRect);
    return;
  }
  const TBitmap* normalFrom = SkinRectInAPicture ? ActivePicture : Picture;
  if (Morphing && FadeUnderWay()) {
    DrawMorph(canvas, normalFrom, SkinRect, ActivePicture, ActiveSkinRect);
    return;
  }
  if (!Hot || IsEmptyPiece(ActiveSkinRect)) {
    if (!fullPaint && !SkinRectInAPicture) return;  // the frame picture already shows it
    CopyPiece(canvas, Bounds, normalFrom, SkinRect);
    return;
  }
  CopyPiece(canvas, Bounds, ActivePicture, ActiveSkinRect);
}
