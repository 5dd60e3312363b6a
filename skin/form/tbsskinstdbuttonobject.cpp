// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinstdbuttonobject.h"

#include <QPainter>

#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/draw/defaultlook.h"
#include "skin/draw/skinglyphs.h"
#include "skin/form/tbsskinframe.h"

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinFrame* owner, const TbsDataSkinObject* record)
    : TbsSkinButtonObject(owner, record) {
  if (const auto* r = dynamic_cast<const TbsDataSkinStdButton*>(record)) {
    Command = r->Command;
    RestoreRect = r->RestoreRect;
    RestoreActiveRect = r->RestoreActiveRect;
    RestoreDownRect = r->RestoreDownRect;
    RestoreInActiveRect = r->RestoreInActiveRect;
    FromSkin = true;
  }
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsSkinFrame* owner, const std::string& name, TbsStdCommand command)
    : TbsSkinButtonObject(owner, nullptr) {
  IDName = name;
  Command = command;
  SkinRectInAPicture = true;
  SkinRect = ActiveSkinRect = TRect{0, 0, 1, 1};
  Bounds = SkinRect;
}

bool TbsSkinStdButtonObject::InRestoreState() const {
  switch (Command) {
    case cmMaximize: return Owner->WindowState() == bswsMaximized;
    case cmMinimize: return Owner->WindowState() == bswsMinimized;
    case cmRollUp: return Owner->RolledUp();
    default: return false;
  }
}

bool TbsSkinStdButtonObject::NeedsMorphStep() const {
  if (Command == cmSysMenu && Owner->ShowIcon()) return false;
  return TbsSkinButtonObject::NeedsMorphStep();
}

void TbsSkinStdButtonObject::MouseDown(int, int, int Button) {
  if (!Enabled || Button != mbLeft || Down) return;
  if (Command == cmSysMenu) MenuItem = true;  // the press opens the system menu
  SetDown(true);
  if (Command == cmSysMenu && MenuItem) {
    TRect anchor = Bounds;
    const QPoint origin = Owner->Form()->mapToGlobal(QPoint(0, 0));
    OffsetRect(anchor, origin.x(), origin.y());
    Owner->ShowSystemMenu(anchor);
  }
}

void TbsSkinStdButtonObject::MouseUp(int X, int Y, int Button) {
  if (Command == cmClose) {
    // The button draws itself released before the form may go.
    const bool run = Hot && Button == mbLeft;
    TbsSkinButtonObject::MouseUp(X, Y, Button);
    if (run) DoCommand();
    return;
  }
  if (Hot && Button == mbLeft) DoCommand();
  TbsSkinButtonObject::MouseUp(X, Y, Button);
}

void TbsSkinStdButtonObject::DblClick() {
  if (Command == cmSysMenu) Owner->CloseForm();
}

void TbsSkinStdButtonObject::DoCommand() {
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
    case cmSysMenu:
    case cmDefault: break;  // the menu opened on the press
  }
}

void TbsSkinStdButtonObject::Click() {
  if (!Enabled) return;
  const int x = (Bounds.Left + Bounds.Right) / 2, y = (Bounds.Top + Bounds.Bottom) / 2;
  switch (Command) {
    case cmSysMenu: MouseDown(x, y, mbLeft); break;  // the menu keeps the button down while open
    case cmDefault:
      // The application's own button acts on its mouse events.
      if (Owner->OnMouseDownEvent) Owner->OnMouseDownEvent(IDName, x, y, Bounds, mbLeft);
      if (Owner->OnMouseUpEvent) Owner->OnMouseUpEvent(IDName, x, y, Bounds, mbLeft);
      break;
    default: DoCommand(); break;
  }
}

void TbsSkinStdButtonObject::DrawIcon(TCanvas& canvas) {
  const QPixmap& icon = Owner->SmallIcon();
  if (!icon.isNull()) canvas.Paint([&](QPainter& p) { p.drawPixmap(Bounds.Left, Bounds.Top, icon); });
}

void TbsSkinStdButtonObject::Draw(TCanvas& canvas, bool fullPaint) {
  if (!FromSkin) {
    DrawDefault(canvas);
    return;
  }
  const bool active = FormActive();
  if (!Enabled || (!active && !IsEmptyPiece(InActiveSkinRect))) {
    TbsSkinButtonObject::Draw(canvas, fullPaint);
    return;
  }
  if (Command == cmSysMenu && Owner->ShowIcon() && SkinRectInAPicture) {
    DrawIcon(canvas);
    MorphFactor = 0;
    return;
  }
  if (InRestoreState() && !IsEmptyPiece(RestoreRect)) {
    if (!active && !IsEmptyPiece(RestoreInActiveRect)) CopyPiece(canvas, Bounds, ActivePicture, RestoreInActiveRect);
    else if (Down && MouseInside && !IsEmptyPiece(RestoreDownRect))
      CopyPiece(canvas, Bounds, ActivePicture, RestoreDownRect);
    else if (Morphing && FadeUnderWay())
      DrawMorph(canvas, ActivePicture, RestoreRect, ActivePicture, RestoreActiveRect);
    else if (Hot && !IsEmptyPiece(RestoreActiveRect))
      CopyPiece(canvas, Bounds, ActivePicture, RestoreActiveRect);
    else
      CopyPiece(canvas, Bounds, ActivePicture, RestoreRect);
    return;
  }
  TbsSkinButtonObject::Draw(canvas, fullPaint);
}

void TbsSkinStdButtonObject::DrawDefault(TCanvas& canvas) {
  if (Command == cmSysMenu && Owner->ShowIcon()) {
    DrawIcon(canvas);
    return;
  }
  const int w = RectWidthOf(Bounds), h = RectHeightOf(Bounds);
  if (w < 1 || h < 1) return;
  TBitmap b(w, h);
  TCanvas& c = b.Canvas();
  const bool pressed = Down && MouseInside;
  if (MouseInside) {
    c.Brush.Color = pressed ? kDefaultDownFaceColor : kDefaultHotFaceColor;
    c.FillRect({0, 0, w, h});
    c.Brush.Color = kDefaultHotFrameColor;
    c.FrameRect({0, 0, w, h});
  } else {
    c.Brush.Color = clBtnFace;
    c.FillRect({0, 0, w, h});
  }
  const int x = pressed ? w / 2 - 4 : w / 2 - 5;
  const int y = pressed ? h / 2 - 3 : h / 2 - 4;
  const TColor color = Enabled ? clBtnText : clBtnShadow;
  switch (Command) {
    case cmClose: DrawCloseGlyph(c, x, y, color); break;
    case cmMaximize:
      if (InRestoreState()) DrawRestoreGlyph(c, x, y, color);
      else DrawMaximizeGlyph(c, x, y, color);
      break;
    case cmMinimize:
      if (InRestoreState()) DrawRestoreGlyph(c, x, y, color);
      else DrawMinimizeGlyph(c, x, y, color);
      break;
    case cmSysMenu: DrawSysMenuGlyph(c, x, y, color); break;
    case cmRollUp:
      if (InRestoreState()) DrawRollDownGlyph(c, x, y, color);
      else DrawRollUpGlyph(c, x, y, color);
      break;
    case cmMinimizeToTray: DrawTrayGlyph(c, x, y, color); break;
    case cmDefault: break;
  }
  canvas.Draw(Bounds.Left, Bounds.Top, b);
}
