// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's window states: maximise, minimise, restore and roll-up as the
// frame does them, following the window manager's state, and the tray.

#include "skin/form/tbsskinframe.h"

#include "framework/tapplication.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinwindow.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinpopupmenu.h"

// ---------------------------------------------------------------- window states

void TbsSkinFrame::SetWindowState(TbsWindowState value) {
  if (value == FWindowState) return;
  const bool appMinimize = value == bswsMinimized && IsMainForm();
  if (!appMinimize) FWindowState = value;
  switch (value) {
    case bswsMinimized: Minimize(); break;
    case bswsMaximized: Maximize(); break;
    case bswsNormal: Restore(); break;
  }
  RepaintFrame();
}

void TbsSkinFrame::Minimize() {
  if (IsMainForm()) {
    FForm->showMinimized();
    return;
  }
  if (IsEmptyPiece(FNormalBounds)) FNormalBounds = FForm->BoundsRect();
  const int minW = MinimumWidth(), minH = MinimumHeight();
  TRect work;
  if (!GetMonitorWorkArea(FForm, true, work)) work = FForm->BoundsRect();
  const TPoint first{work.Left, work.Bottom - minH};
  TPoint slot = first;
  auto taken = [&](const TPoint& at) {
    for (TForm* other : Screen().Forms()) {
      if (other == FForm || other == (Application() ? Application()->MainForm() : nullptr) || !other->isVisible())
        continue;
      auto* frame = other->findChild<TbsSkinFrame*>(QString(), Qt::FindDirectChildrenOnly);
      if (frame && frame->WindowState() == bswsMinimized && other->Left() == at.X && other->Top() == at.Y) return true;
    }
    return false;
  };
  while (taken(slot)) {
    if (slot.X + 2 * minW > work.Right) {
      slot = {work.Left, slot.Y - minH};
      if (slot.Y < work.Top) {
        slot = first;  // no room left: windows overlap
        break;
      }
    } else {
      slot.X += minW;
    }
  }
  FForm->SetBounds(slot.X, slot.Y, minW, minH);
}

void TbsSkinFrame::Maximize() {
  if (IsEmptyPiece(FNormalBounds)) FNormalBounds = FForm->BoundsRect();
  const TRect target = MaximizeArea();
  FForm->SetBounds(target.Left, target.Top, target.Width(), target.Height());
}

void TbsSkinFrame::Restore() {
  FRolledUpMaximized = false;
  // Maximised by the window manager: it keeps the size from before and gives
  // it back once asked, later. A nudge now would size the window from its
  // maximised width again.
  const bool managerSizes = FForm->isMaximized() && IsEmptyPiece(FNormalBounds);
  if (FForm->isMinimized() || FForm->isMaximized()) FForm->showNormal();
  const QSize before = FForm->size();
  if (!IsEmptyPiece(FNormalBounds))
    FForm->SetBounds(FNormalBounds.Left, FNormalBounds.Top, FNormalBounds.Width(), FNormalBounds.Height());
  FHoverTimer.start();
  if (FForm->size() == before && !managerSizes) Nudge();
  FForm->update();
  FNormalBounds = TRect{};
}

// The window manager's own menu, a pager or a keyboard binding may maximise
// or restore the window behind our back (the window's _NET_WM_STATE): the
// frame takes that state as its own, so its menu and maximise button offer
// the way back.
void TbsSkinFrame::FollowPlatformState() {
  const bool maximized = FForm->isMaximized();
  if (maximized == FPlatformMaximized) return;
  FPlatformMaximized = maximized;
  if (maximized && FWindowState != bswsMaximized) {
    // The manager sized the window; the size to go back to is the manager's.
    FWindowState = bswsMaximized;
    RepaintFrame();
  } else if (!maximized && FWindowState == bswsMaximized && !FForm->isMinimized()) {
    // Restored by the manager: our own bounds from before win when the frame
    // had maximised the window first.
    FWindowState = bswsNormal;
    FRolledUpMaximized = false;
    if (!IsEmptyPiece(FNormalBounds))
      FForm->SetBounds(FNormalBounds.Left, FNormalBounds.Top, FNormalBounds.Width(), FNormalBounds.Height());
    FNormalBounds = TRect{};
    FHoverTimer.start();
    RepaintFrame();
  }
}

void TbsSkinFrame::SetRollUp(bool value) {
  if (value == FRolledUp) return;
  if (!(FBorderIcons & biRollUp) || FWindowState == bswsMinimized) return;
  if (FRolledUp && FWindowState == bswsMaximized && !FRolledUpMaximized) return;
  if (FWindowState == bswsMaximized) FRolledUpMaximized = value;
  FRolledUp = value;
  if (value) {
    FRolledUpHeight = FForm->height();
    FForm->SetHeight(MinimumHeight());
  } else {
    FForm->SetHeight(FRolledUpHeight);
  }
  RepaintFrame();
  if (OnChangeRollUpState) OnChangeRollUpState();
}

void TbsSkinFrame::CaptionDblClick() {
  const bool sizeable = FForm->Sizeable();
  if (sizeable && FWindowState == bswsMinimized) SetWindowState(bswsNormal);
  else if (sizeable && FWindowState != bswsMaximized && !FRolledUp && (FBorderIcons & biMaximize))
    SetWindowState(bswsMaximized);
  else if (sizeable && FWindowState == bswsMaximized && !FRolledUpMaximized) SetWindowState(bswsNormal);
  else SetRollUp(!FRolledUp);
}

void TbsSkinFrame::CloseForm() { FForm->close(); }

// ---------------------------------------------------------------- tray

void TbsSkinFrame::SetTrayIcon(TbsTrayIcon* value) {
  if (FTrayIcon == value) return;
  FTrayIcon = value;
  if (ComponentState() & csDesigning) {
    SetBorderIcons(value ? FBorderIcons | biMinimizeToTray : FBorderIcons & ~biMinimizeToTray);
    if (!value) return;
  }
  if (!value) return;
  if (!FAlwaysShowInTray) value->RemoveIcon();
  value->SetMinimizeToTray(false);
  if (ComponentState() & csDesigning || value->PopupMenu()) return;
  value->SetPopupMenu(TrayMenu());
  value->OnDblClick = [frame = QPointer<TbsSkinFrame>(this)] {
    if (frame) frame->RestoreAppFromTray();
  };
}

TbsSkinPopupMenu* TbsSkinFrame::TrayMenu() {
  if (FTrayMenu) return FTrayMenu;
  FTrayMenu = new TbsSkinPopupMenu(this);
  const QPointer<TbsSkinFrame> self(this);
  TMenuItem* items = FTrayMenu->Items();
  items->Add("TRAY_BSF_RESTORE", "", [self] {
    if (self) self->RestoreAppFromTray();
  });
  items->Add("", "-");
  items->Add("TRAY_BSF_CLOSE", "", [self] {
    if (self) self->CloseForm();
  });
  // Captions and look follow the skin shown when the menu opens.
  FTrayMenu->OnPopup = [this] { UpdateTrayMenu(); };
  UpdateTrayMenu();
  return FTrayMenu;
}

void TbsSkinFrame::UpdateTrayMenu() {
  TbsSkinData* skin = FMenusSkinData ? FMenusSkinData.data() : FSkinData.data();
  FTrayMenu->SetSkinData(skin);
  auto caption = [skin](const char* key) { return skin ? skin->Text(key) : TbsResourceStrData::BuiltInText(key); };
  if (TMenuItem* item = FTrayMenu->FindItem("TRAY_BSF_RESTORE")) item->SetCaption(caption("MI_RESTORECAPTION"));
  if (TMenuItem* item = FTrayMenu->FindItem("TRAY_BSF_CLOSE")) item->SetCaption(caption("MI_CLOSECAPTION"));
}

// Without a tray icon both do nothing.
void TbsSkinFrame::MinimizeAppToTray() {
  if (!FTrayIcon) return;
  FTrayIcon->SetMinimizeToTray(true);
  FTrayIcon->MinimizeApplication();
  if (OnMinimizeToTray) OnMinimizeToTray();
}

void TbsSkinFrame::RestoreAppFromTray() {
  if (!FTrayIcon) return;
  FTrayIcon->SetMinimizeToTray(false);
  FTrayIcon->ShowApplication();
  if (!FAlwaysShowInTray) FTrayIcon->RemoveIcon();
  if (OnRestoreFromTray) OnRestoreFromTray();
}
