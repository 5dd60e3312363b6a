// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinpopupmenu.h"

#include <QWidget>

#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinmenu.h"

TbsSkinPopupMenu::TbsSkinPopupMenu(QObject* owner) : TPopupMenu(owner), FSkinMenu(new TbsSkinMenu(this)) {}

TbsSkinPopupMenu::~TbsSkinPopupMenu() = default;

QWidget* TbsSkinPopupMenu::HostForm() const {
  if (FHostForm) return FHostForm;
  for (QObject* o = parent(); o; o = o->parent())
    if (auto* w = qobject_cast<QWidget*>(o)) return w->window();
  return nullptr;
}

void TbsSkinPopupMenu::Popup(int x, int y) {
  DoPopup(x, y);
  FSkinMenu->SetForm(HostForm());
  FSkinMenu->Popup(PopupComponent(), FSkinData.data(), false, Items(), TRect{x, y, x, y});
}

void TbsSkinPopupMenu::PopupFromRect(const TRect& anchor, bool upwards) {
  DoPopup(anchor.Left, anchor.Bottom);
  FSkinMenu->SetForm(HostForm());
  FSkinMenu->Popup(PopupComponent(), FSkinData.data(), upwards, Items(), anchor);
}

void TbsSkinPopupMenu::CloseMenu() { FSkinMenu->CloseAll(); }

bool TbsSkinPopupMenu::IsOpen() const { return FSkinMenu->IsOpen(); }
