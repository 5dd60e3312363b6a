// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's caption objects: made from the skin's records (or the default
// buttons), enabled by BorderIcons, given hints, laid out, and animated.

#include "skin/form/tbsskinframe.h"

#include <algorithm>
#include <utility>

#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsdataskinbutton.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskinmainmenubarbutton.h"
#include "skin/data/tbsdataskinmainmenuitem.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdatauserobject.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/framegeometry.h"
#include "skin/form/tbsskinanimateobject.h"
#include "skin/form/tbsskinbuttonobject.h"
#include "skin/form/tbsskincaptionobject.h"
#include "skin/form/tbsskinframedefaults.h"
#include "skin/form/tbsskinstdbuttonobject.h"
#include "skin/form/tbsuserobject.h"

namespace {

constexpr int kDefaultButtonTop = 4;

}  // namespace

// ---------------------------------------------------------------- objects

void TbsSkinFrame::FreeObjects() {
  FHotIndex = FPrevHotIndex = FCapturedIndex = -1;
  FObjects.clear();
}

void TbsSkinFrame::CreateObjects() {
  FreeObjects();
  for (const auto& record : FSkinData->ObjectRecords) {
    const TbsDataSkinObject* r = record.get();
    if (dynamic_cast<const TbsDataSkinMenuItem*>(r) || dynamic_cast<const TbsDataSkinMainMenuItem*>(r) ||
        dynamic_cast<const TbsDataSkinMainMenuBarButton*>(r))
      continue;  // looks of menus, not frame parts
    if (dynamic_cast<const TbsDataSkinStdButton*>(r)) FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, r));
    else if (dynamic_cast<const TbsDataSkinButton*>(r)) FObjects.push_back(std::make_unique<TbsSkinButtonObject>(this, r));
    else if (dynamic_cast<const TbsDataSkinCaption*>(r)) FObjects.push_back(std::make_unique<TbsSkinCaptionObject>(this, r));
    else if (dynamic_cast<const TbsDataSkinAnimate*>(r)) FObjects.push_back(std::make_unique<TbsSkinAnimateObject>(this, r));
    else if (dynamic_cast<const TbsDataUserObject*>(r)) FObjects.push_back(std::make_unique<TbsUserObject>(this, r));
  }
}

void TbsSkinFrame::CreateDefaultObjects() {
  FreeObjects();
  const std::pair<const char*, TbsStdCommand> buttons[] = {
      {"closebutton", cmClose},   {"maxbutton", cmMaximize},     {"minbutton", cmMinimize},
      {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
  for (const auto& [name, command] : buttons)
    FObjects.push_back(std::make_unique<TbsSkinStdButtonObject>(this, name, command));
}

void TbsSkinFrame::ApplyBorderIcons() {
  for (const auto& o : FObjects) {
    TbsStdCommand command;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = b->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->ButtonStyle) command = a->Command;
    else continue;
    if (FHideCaptionButtons) {
      o->Enabled = false;
      o->Visible = !o->SkinRectInAPicture;
      continue;
    }
    if (command == cmDefault) {
      bool active = false;
      if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, active);
      o->Visible = active;
      continue;
    }
    const unsigned needs = command == cmRollUp ? biRollUp : command == cmMaximize ? biMaximize
                         : command == cmMinimize ? biMinimize : command == cmSysMenu ? biSystemMenu
                         : command == cmMinimizeToTray ? biMinimizeToTray : 0;
    const bool allowed = needs == 0 || (FBorderIcons & needs);
    o->Enabled = allowed;
    o->Visible = allowed || !o->SkinRectInAPicture;
  }
  FillDefaultHints();
}

void TbsSkinFrame::FillDefaultHints() {
  if (!FUseDefaultObjectHint || !FSkinData) return;
  for (const auto& o : FObjects) {
    TbsStdCommand command;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = b->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) command = a->Command;
    else continue;
    const char* key = nullptr;
    const char* text = nullptr;
    switch (command) {
      case cmClose: key = "CLOSEBUTTON_HINT", text = "Close"; break;
      case cmMaximize: key = "MAXBUTTON_HINT", text = "Maximize"; break;
      case cmMinimize: key = "MINBUTTON_HINT", text = "Minimize"; break;
      case cmSysMenu: key = "MENUBUTTON_HINT", text = "System menu"; break;
      case cmRollUp: key = "ROLLUPBUTTON_HINT", text = "Roll Up"; break;
      case cmMinimizeToTray: key = "TRAYBUTTON_HINT", text = "Minimize to Tray"; break;
      case cmDefault: continue;  // keeps the skin's own hint
    }
    const std::string fromSkin = FSkinData->ResourceStrData() ? FSkinData->Text(key) : std::string();
    o->Hint = fromSkin.empty() ? text : fromSkin;
  }
}

void TbsSkinFrame::LayoutObjects() {
  if (!FSkinned) return;
  const TbsSkinData& d = *FSkinData;
  const int pw = d.Picture.Width(), ph = d.Picture.Height();
  const int dx = FSizedRightBottomPoint.X - d.RightBottomPoint.X;
  const int dy = FSizedRightBottomPoint.Y - d.RightBottomPoint.Y;
  TbsSkinCaptionObject* caption = nullptr;
  for (const auto& o : FObjects) {
    if (!o->SkinRectInAPicture)
      o->Bounds = AnchorObjectRect(o->SkinRect, d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint,
                                   d.RightBottomPoint, pw, ph, dx, dy);
    if (!caption) caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
  }

  const bool buttonsBox = !IsEmptyPiece(FSizedButtonsRect);
  const TRect box = buttonsBox ? FSizedButtonsRect : FSizedCaptionRect;
  if (IsEmptyPiece(box)) return;
  auto ownPicture = [](TbsActiveSkinObject* o) { return o->Visible && o->SkinRectInAPicture; };
  // The row: close, maximise, minimise, roll-up, tray, then the
  // application's buttons in list order.
  std::vector<TbsSkinStdButtonObject*> row;
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
    for (const auto& o : FObjects)
      if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == command && ownPicture(b)) {
        row.push_back(b);
        break;
      }
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmDefault && ownPicture(b))
      row.push_back(b);
  TbsSkinStdButtonObject* sysMenu = nullptr;
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && ownPicture(b)) {
      sysMenu = b;
      break;
    }
  auto sizeOf = [this](TbsSkinStdButtonObject* b) {
    if (b->Command == cmSysMenu && FShowIcon) return TPoint{SmallIconSize(), SmallIconSize()};
    return TPoint{RectWidthOf(b->SkinRect), RectHeightOf(b->SkinRect)};
  };
  const int y = box.Top, gap = d.ButtonsOffset;
  auto placeSysMenuAtCaption = [&] {
    if (!sysMenu) return;
    const TPoint s = sizeOf(sysMenu);
    const int x = FSizedCaptionRect.Left, top = box.Top + RectHeightOf(box) / 2 - s.Y / 2;
    sysMenu->Bounds = Bounds(x, top, s.X, s.Y);
    if (caption) caption->Bounds.Left = x + s.X;
  };
  if (!d.ButtonsInLeft) {
    int x = box.Right;
    for (TbsSkinStdButtonObject* b : row) {
      const TPoint s = sizeOf(b);
      b->Bounds = TRect{x - s.X, y, x, y + s.Y};
      x -= s.X + gap;
    }
    if (!buttonsBox && caption) caption->Bounds.Right = x + gap;
    placeSysMenuAtCaption();
  } else {
    // On the left the system-menu button ends the row; the title starts
    // after the row wherever the row reaches into the caption.
    int x = box.Left;
    if (sysMenu) row.push_back(sysMenu);
    for (TbsSkinStdButtonObject* b : row) {
      const TPoint s = sizeOf(b);
      b->Bounds = TRect{x, y, x + s.X, y + s.Y};
      x += s.X + gap;
    }
    if (caption && (!buttonsBox || caption->Bounds.Left < x + gap)) caption->Bounds.Left = x + gap;
  }
}

void TbsSkinFrame::RelayoutObjects() {
  if (FSkinned) {
    SizeGeometry();
    LayoutObjects();
  } else if (!FObjects.empty()) {
    LayoutDefaultObjects();
  }
  RepaintFrame();
}

void TbsSkinFrame::LayoutDefaultObjects() {
  if (FObjects.empty()) {
    CreateDefaultObjects();
    ApplyBorderIcons();
  }
  const int ch = DefaultCaptionHeight(), bs = DefaultButtonSize();
  const int W = FForm->width(), H = FForm->height();
  FDefaultCaptionRect = TRect{kDefaultBorder, kDefaultBorder, W - kDefaultBorder, ch};
  FSizedClientRect = TRect{kDefaultBorder, ch + kDefaultBorder, W - kDefaultBorder, H - kDefaultBorder};
  int x = W - kDefaultBorder;
  for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
    for (const auto& o : FObjects)
      if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == command && b->Visible) {
        b->Bounds = TRect{x - bs, kDefaultButtonTop, x, kDefaultButtonTop + bs};
        x -= bs;
        break;
      }
  FDefaultCaptionRect.Right = x;
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && b->Visible) {
      const int w = FShowIcon ? SmallIconSize() : bs;
      const int left = FDefaultCaptionRect.Left;
      b->Bounds = TRect{left, kDefaultButtonTop, left + w, kDefaultButtonTop + std::min(w, bs)};
      FDefaultCaptionRect.Left += w;
      break;
    }
}

// ---------------------------------------------------------------- looks

void TbsSkinFrame::ResetObjectLooks() {
  for (const auto& o : FObjects) {
    if (dynamic_cast<TbsSkinCaptionObject*>(o.get())) continue;
    o->MouseInside = false;
    o->Hot = false;
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) a->CurrentFrame = 1;
    else o->MorphFactor = 0;
  }
}

void TbsSkinFrame::UpdateActivationLook(bool repaint) {
  const bool active = IsFormActive();
  for (const auto& o : FObjects) {
    auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
    if (!caption) continue;
    if (caption->Hot != active) {
      caption->Hot = active;
      if (repaint) {
        RepaintFrame();
        if (caption->Morphing) StartMorphTimer();
      } else if (caption->Morphing) {
        caption->MorphFactor = active ? 1 : 0;
      }
    }
    break;
  }
  if (active && OnActivate) OnActivate();
  if (!active && OnDeActivate) OnDeActivate();
}

// ---------------------------------------------------------------- timers

void TbsSkinFrame::StopTimers() {
  FHoverTimer.stop();
  FMorphTimer.stop();
  FAnimateTimer.stop();
}

void TbsSkinFrame::StartMorphTimer() {
  if (!FMorphTimer.isActive()) FMorphTimer.start();
}

void TbsSkinFrame::StartAnimateTimer() {
  if (!FAnimateTimer.isActive()) FAnimateTimer.start();
}

void TbsSkinFrame::MorphTimerStep() {
  bool more = false;
  for (size_t i = 0; i < FObjects.size(); ++i) {
    TbsActiveSkinObject* o = FObjects[i].get();
    if (o->Morphing && o->NeedsMorphStep()) {
      o->MorphStep();
      more = more || o->NeedsMorphStep();
    }
  }
  if (!more) FMorphTimer.stop();
}

void TbsSkinFrame::AnimateTimerStep() {
  bool more = false;
  for (size_t i = 0; i < FObjects.size(); ++i)
    if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(FObjects[i].get()); a && a->Hot) {
      a->AnimationStep();
      more = more || a->Hot;
    }
  if (!more) FAnimateTimer.stop();
}
