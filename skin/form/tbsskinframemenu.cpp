// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's system menu: which items it has for the window's state and
// BorderIcons, what each does, where it opens and the menu mode around it.

#include <QApplication>
#include <QKeySequence>
#include <QShortcut>
#include <array>
#include <vector>

#include "framework/tmessage.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinframe.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skin/form/tbsskinstdbuttonobject.h"

namespace {

// The frame's own items, by name; an application's item with one of these
// names is replaced by the frame's.
constexpr const char* kFrameItemNames[] = {"BSF_MINITEM", "BSF_MAXITEM", "BSF_CLOSE",
                                           "BSF_MINTOTRAY", "BSF_ROLLUP", "BSF_RESTORE"};

struct TFrameItem {
  const char* Name;
  const char* Key;  // resource text of the caption
};
constexpr TFrameItem kMinItem{"BSF_MINITEM", "MI_MINCAPTION"};
constexpr TFrameItem kMaxItem{"BSF_MAXITEM", "MI_MAXCAPTION"};
constexpr TFrameItem kRestoreItem{"BSF_RESTORE", "MI_RESTORECAPTION"};
constexpr TFrameItem kRollUpItem{"BSF_ROLLUP", "MI_ROLLUPCAPTION"};
constexpr TFrameItem kMinToTrayItem{"BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION"};
constexpr TFrameItem kCloseItem{"BSF_CLOSE", "MI_CLOSECAPTION"};
constexpr const char* kCloseShortCut = "Alt+F4";

// The frame a component belongs to: one among its owners, or the frame of
// the window it was opened for.
TbsSkinFrame* FrameOf(const QObject* menu, const QObject* opener) {
  for (const QObject* o = menu; o; o = o->parent())
    if (auto* frame = qobject_cast<TbsSkinFrame*>(const_cast<QObject*>(o))) return frame;
  for (const QObject* o = opener; o; o = o->parent())
    if (auto* form = qobject_cast<const TForm*>(o))
      return form->findChild<TbsSkinFrame*>(QString(), Qt::FindDirectChildrenOnly);
  return nullptr;
}

// Plain popup menus (a tray icon's, a control's) show as skinned menus too:
// through the menu controller of the frame they belong to, in its menus'
// skin, or in the plain look through one shared controller.
void ShowPlainPopupMenu(TPopupMenu& menu, int x, int y) {
  static QPointer<TbsSkinMenu> shared;
  TbsSkinFrame* frame = FrameOf(&menu, menu.PopupComponent());
  TbsSkinMenu* controller = frame ? frame->SkinMenu() : nullptr;
  TbsSkinData* skin = frame ? (frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData()) : nullptr;
  if (!controller) {
    if (!shared) shared = new TbsSkinMenu(qApp);
    controller = shared;
  }
  controller->SetTitle({});
  controller->Popup(menu.PopupComponent(), skin, false, menu.Items(), TRect{x, y, x, y});
}

}  // namespace

void TbsSkinFrame::CreateMenus() {
  static const bool presenterInstalled = [] {
    TPopupMenu::SetPresenter(ShowPlainPopupMenu);
    return true;
  }();
  (void)presenterInstalled;
  FSkinMenu = new TbsSkinMenu(this, FForm);
  FDefaultSysMenu = new TPopupMenu(this);
  // The desktop's keys for the window menu and for closing. Window managers
  // keep Alt+Space for their own menu, so the menu has a plain key too.
  for (const QKeySequence& key : {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(kSystemMenuKey)}) {
    auto* menuKey = new QShortcut(key, FForm, nullptr, nullptr, Qt::WindowShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] { ShowSystemMenuFromKeyboard(); });
  }
  auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), FForm, nullptr, nullptr, Qt::WindowShortcut);
  connect(closeKey, &QShortcut::activated, this, [this] { CloseForm(); });
}

TMenuItem* TbsSkinFrame::BuildSystemMenu() {
  if (FSystemMenu && !FUseDefaultSysMenu) return FSystemMenu->Items();  // the application's menu as it is
  TbsSkinData* skin = FMenusSkinData ? FMenusSkinData.data() : FSkinData.data();
  const bool minimized = FWindowState == bswsMinimized;
  const bool maximized = FWindowState == bswsMaximized;
  const QPointer<TbsSkinFrame> self(this);
  auto make = [&](const TFrameItem& what, TNotifyEvent action) {
    auto* item = new TMenuItem;
    item->SetName(what.Name);
    item->SetCaption(skin ? skin->Text(what.Key) : TbsResourceStrData::BuiltInText(what.Key));
    item->OnClick = [self, action = std::move(action)] {
      if (self) action();
    };
    return item;
  };

  TMenuItem* min = nullptr;
  TMenuItem* max = nullptr;
  TMenuItem* restore = nullptr;
  TMenuItem* rollUp = nullptr;
  TMenuItem* toTray = nullptr;
  if (!minimized && (FBorderIcons & biMinimize))
    min = make(kMinItem, [this] {
      if (FAlwaysMinimizeToTray) MinimizeAppToTray();
      else SetWindowState(bswsMinimized);
    });
  if (!maximized && (FBorderIcons & biMaximize)) max = make(kMaxItem, [this] { SetWindowState(bswsMaximized); });
  if (minimized || maximized || FRolledUp)
    restore = make(kRestoreItem, [this] {
      // A window rolled up in its present state unrolls; otherwise it restores.
      if (FRolledUp && (FRolledUpMaximized || FWindowState == bswsNormal)) SetRollUp(false);
      else SetWindowState(bswsNormal);
    });
  if (!FRolledUp && !minimized && (FBorderIcons & biRollUp)) rollUp = make(kRollUpItem, [this] { SetRollUp(true); });
  if (FBorderIcons & biMinimizeToTray) toTray = make(kMinToTrayItem, [this] { MinimizeAppToTray(); });
  // The frame's own menu reads minimise, maximise, restore; joined to the
  // application's menu they read minimise, restore, maximise, whatever the state.
  const bool own = FSystemMenu && FUseDefaultSysMenu;
  const std::array<TMenuItem*, 5> order = own ? std::array{min, restore, max, rollUp, toTray}
                                               : std::array{min, max, restore, rollUp, toTray};
  std::vector<TMenuItem*> shown;
  for (TMenuItem* item : order)
    if (item) shown.push_back(item);
  TMenuItem* close = make(kCloseItem, [this] { CloseForm(); });
  close->SetShortCutText(kCloseShortCut);

  if (own) {
    TMenuItem* root = FSystemMenu->Items();
    for (const char* name : kFrameItemNames)
      while (TMenuItem* old = root->Find(name)) root->Delete(root->IndexOf(old));
    // Inserted at the top one by one, last first, so they read in order.
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) root->Insert(0, *it);
    root->Add(close);
    return root;
  }
  TMenuItem* root = FDefaultSysMenu->Items();
  root->Clear();
  for (TMenuItem* item : shown) root->Add(item);
  if (!shown.empty()) root->Add("", "-");
  root->Add(close);
  return root;
}

void TbsSkinFrame::ShowSystemMenu(const TRect& screenAnchor) {
  if (!FForm) return;
  CloseMenus();
  // The menu takes the pointer: the release of the press that opened it goes
  // to the menu, so the frame would otherwise keep the capture for good.
  FCapturedIndex = -1;
  FForm->ReleaseCapture();
  TMenuItem* items = BuildSystemMenu();
  if (!FInMenuMode) {
    FInMenuMode = true;
    if (OnSkinMenuOpen) OnSkinMenuOpen();
  }
  const std::string title = SystemMenuTitle();
  if (auto* skinned = qobject_cast<TbsSkinPopupMenu*>(FSystemMenu.data())) {
    skinned->SkinMenu().SetTitle(title);
    skinned->SetPopupComponent(FForm);
    if (!skinned->SkinData()) skinned->SetSkinData(FMenusSkinData ? FMenusSkinData.data() : FSkinData.data());
    skinned->PopupFromRect(screenAnchor);
    if (!skinned->IsOpen()) SystemMenuClosed();
    return;
  }
  FSkinMenu->SetForm(FForm);
  FSkinMenu->SetUseSkinFontInMenu(FUseSkinFontInMenu);
  FSkinMenu->SetDefMenuItemHeight(FDefMenuItemHeight);
  FSkinMenu->DefMenuItemFont() = FDefMenuItemFont;
  FSkinMenu->SetAlphaBlend(FMenusAlphaBlend);
  FSkinMenu->SetAlphaBlendValue(FMenusAlphaBlendValue);
  FSkinMenu->SetAlphaBlendAnimation(FMenusAlphaBlendAnimation);
  FSkinMenu->SetTitle(title);
  FSkinMenu->Popup(FForm, FMenusSkinData ? FMenusSkinData.data() : FSkinData.data(), false, items, screenAnchor);
  if (!FSkinMenu->IsOpen()) SystemMenuClosed();  // nothing to show: no menu mode left behind
}

std::string TbsSkinFrame::SystemMenuTitle() const {
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && !b->Hint.empty())
      return b->Hint;
  return FSkinData ? FSkinData->Text("MENUBUTTON_HINT") : TbsResourceStrData::BuiltInText("MENUBUTTON_HINT");
}

void TbsSkinFrame::ShowSystemMenuFromKeyboard() {
  if (!FForm) return;
  TRect anchor{0, 0, 0, 0};
  bool found = false;
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == cmSysMenu && b->Visible) {
      anchor = b->Bounds;
      found = true;
      break;
    }
  if (!found) {
    const TRect& caption = FSkinned ? FSizedCaptionRect : FDefaultCaptionRect;
    anchor = TRect{caption.Left, caption.Top, caption.Left, caption.Bottom};
  }
  const QPoint origin = FForm->mapToGlobal(QPoint(0, 0));
  OffsetRect(anchor, origin.x(), origin.y());
  ShowSystemMenu(anchor);
}

void TbsSkinFrame::SystemMenuClosed() {
  for (const auto& o : FObjects)
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->MenuItem && b->Down) {
      b->MenuClosed();
      break;
    }
  if (!FInMenuMode) return;
  FInMenuMode = false;
  if (OnSkinMenuClose) OnSkinMenuClose();
}

void TbsSkinFrame::CloseMenus() {
  if (FSkinMenu) FSkinMenu->CloseAll();
  if (auto* skinned = qobject_cast<TbsSkinPopupMenu*>(FSystemMenu.data())) skinned->CloseMenu();
}
