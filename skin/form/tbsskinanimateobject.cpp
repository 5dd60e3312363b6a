// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinanimateobject.h"

#include <algorithm>

#include "skin/data/tbsdataskinanimate.h"
#include "skin/form/tbsskinframe.h"

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsSkinFrame* owner, const TbsDataSkinObject* record)
    : TbsActiveSkinObject(owner, record) {
  if (const auto* r = dynamic_cast<const TbsDataSkinAnimate*>(record)) {
    CountFrames = std::max(1, r->CountFrames);
    Cycle = r->Cycle;
    ButtonStyle = r->ButtonStyle;
    Command = r->Command;
    TimerInterval = std::max(kMinInterval, r->TimerInterval);
  }
}

void TbsSkinAnimateObject::Draw(TCanvas& canvas, bool) {
  const int w = RectWidthOf(SkinRect), h = RectHeightOf(SkinRect);
  const int left = ActiveSkinRect.Left + w * (CurrentFrame - 1);
  CopyPiece(canvas, Bounds, ActivePicture, {left, ActiveSkinRect.Top, left + w, ActiveSkinRect.Top + h});
}

void TbsSkinAnimateObject::MouseEnter() {
  MouseInside = true;
  if (ButtonStyle) {
    Hot = true;
    Forward = true;
    Owner->StartAnimateTimer();
  }
  if (Owner->OnMouseEnterEvent) Owner->OnMouseEnterEvent(IDName);
}

void TbsSkinAnimateObject::MouseLeave() {
  if (!MouseInside) return;
  MouseInside = false;
  if (ButtonStyle) {
    Hot = true;  // runs backwards to the first frame
    Forward = false;
    Owner->StartAnimateTimer();
  }
  if (Owner->OnMouseLeaveEvent) Owner->OnMouseLeaveEvent(IDName);
}

void TbsSkinAnimateObject::AnimationStep() {
  if (Elapsed < TimerInterval) {
    Elapsed += kMinInterval;
    return;
  }
  if (Forward) {
    CurrentFrame = CurrentFrame + 1 > CountFrames ? 1 : CurrentFrame + 1;
    if (!Cycle && CurrentFrame == CountFrames) Hot = false;
  } else {
    CurrentFrame = CurrentFrame - 1 < 1 ? CountFrames : CurrentFrame - 1;
    if (CurrentFrame == 1) Hot = false;
  }
  Elapsed = kMinInterval;
  RepaintNow();
}

void TbsSkinAnimateObject::MouseUp(int X, int Y, int Button) {
  TbsActiveSkinObject::MouseUp(X, Y, Button);
  if (!MouseInside || !ButtonStyle || Button != mbLeft) return;
  switch (Command) {
    case cmClose: Owner->CloseForm(); break;
    case cmMaximize:
      Owner->SetWindowState(Owner->WindowState() == bswsMaximized ? bswsNormal : bswsMaximized);
      break;
    case cmMinimize:
      if (Owner->AlwaysMinimizeToTray()) Owner->MinimizeAppToTray();
      else Owner->SetWindowState(Owner->WindowState() == bswsMinimized ? bswsNormal : bswsMinimized);
      break;
    case cmRollUp: Owner->SetRollUp(!Owner->RolledUp()); break;
    case cmMinimizeToTray: Owner->MinimizeAppToTray(); break;
    case cmSysMenu: {
      TRect anchor = Bounds;
      const QPoint origin = Owner->Form()->mapToGlobal(QPoint(0, 0));
      OffsetRect(anchor, origin.x(), origin.y());
      Owner->ShowSystemMenu(anchor);
      break;
    }
    case cmDefault: break;  // no menu items in this program
  }
}

void TbsSkinAnimateObject::DblClick() {
  if (Command == cmSysMenu) Owner->CloseForm();
}
