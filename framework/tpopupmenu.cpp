// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tpopupmenu.h"

namespace {

TPopupMenu::TPresenter& Presenter() {
  static TPopupMenu::TPresenter presenter;
  return presenter;
}

TMenuItem* FindIn(const TMenuItem* parent, const std::string& name) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->Name() == name) return item;
    if (TMenuItem* found = FindIn(item, name)) return found;
  }
  return nullptr;
}

}  // namespace

TPopupMenu::TPopupMenu(QObject* owner) : TComponent(owner), FItems(new TMenuItem(this)) {}

TMenuItem* TPopupMenu::FindItem(const std::string& name) const { return FindIn(FItems, name); }

TMenuItem* TPopupMenu::DefaultItem() const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Items(i)->Default()) return FItems->Items(i);
  return nullptr;
}

void TPopupMenu::DoPopup(int x, int y) {
  FPopupPoint = Point(x, y);
  if (OnPopup) OnPopup();
}

void TPopupMenu::Popup(int x, int y) {
  DoPopup(x, y);
  if (Presenter()) Presenter()(*this, x, y);
}

void TPopupMenu::SetPresenter(TPresenter presenter) { Presenter() = std::move(presenter); }
