// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinbuttonobject.h"

#include "skin/data/tbsdataskinbutton.h"
#include "skin/form/tbsskinframe.h"

TbsSkinButtonObject::TbsSkinButtonObject(TbsSkinFrame* owner, const TbsDataSkinObject* record)
    : TbsActiveSkinObject(owner, record) {
  if (const auto* r = dynamic_cast<const TbsDataSkinButton*>(record)) {
    DownRect = r->DownRect;
    DisableSkinRect = r->DisableSkinRect;
  }
}

bool TbsSkinButtonObject::NeedsMorphStep() const { return !MenuOpen() && TbsActiveSkinObject::NeedsMorphStep(); }

void TbsSkinButtonObject::Draw(TCanvas& canvas, bool fullPaint) {
  if (!Enabled && !IsEmptyPiece(DisableSkinRect)) {
    CopyPiece(canvas, Bounds, ActivePicture, DisableSkinRect);
  } else if (Down && MouseInside && !IsEmptyPiece(DownRect)) {
    CopyPiece(canvas, Bounds, ActivePicture, DownRect);
  } else {
    TbsActiveSkinObject::Draw(canvas, fullPaint);
  }
}

void TbsSkinButtonObject::SetDown(bool value) {
  Down = value;
  if (Morphing && Hot) MorphFactor = 1;
  RepaintNow();
  if (Morphing && !Down) StartMorph();
}

void TbsSkinButtonObject::MenuClosed() {
  if (MenuItem && Down) SetDown(false);
}

void TbsSkinButtonObject::MouseDown(int X, int Y, int Button) {
  if (!Enabled) return;
  if (Button == mbLeft && !Down) SetDown(true);
  TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, int Button) {
  if (!Enabled) return;
  if (Button == mbLeft && !MenuItem && Down) SetDown(false);
  TbsActiveSkinObject::MouseUp(X, Y, Button);
}

void TbsSkinButtonObject::MouseEnter() {
  MouseInside = true;
  Hot = true;
  if (!IsEmptyPiece(DownRect) && Down) {
    if (Morphing) MorphFactor = 1;
    RepaintNow();
  } else if (!IsEmptyPiece(ActiveSkinRect)) {
    StartMorph();
  }
  if (Owner->OnMouseEnterEvent) Owner->OnMouseEnterEvent(IDName);
}

void TbsSkinButtonObject::MouseLeave() {
  MouseInside = false;
  Hot = false;
  if (!MenuOpen()) {
    RepaintNow();
    StartMorph();
  }
  if (Owner->OnMouseLeaveEvent) Owner->OnMouseLeaveEvent(IDName);
}
