// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tmenuitem.h"

#include <algorithm>

#include "framework/acceltext.h"
#include "framework/taction.h"

TMenuItem::TMenuItem(QObject* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  // The sub-items are freed by QObject after this body; they must not reach
  // back into a parent that is already half gone.
  for (TMenuItem* item : FItems) item->FParent = nullptr;
  if (FParent) {
    auto& siblings = FParent->FItems;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TMenuItem::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  if (!value || !FRadioItem || !FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->FChecked = false;
}

TAction* TMenuItem::Action() const { return FAction; }

void TMenuItem::SetAction(TAction* value) {
  if (FAction == value) return;
  FAction = value;
  UpdateFromAction();
}

void TMenuItem::UpdateFromAction() {
  if (!FAction) return;
  FCaption = FAction->Caption();
  FEnabled = FAction->Enabled();
}

char TMenuItem::Accelerator() const { return AcceleratorOf(FCaption); }

TMenuItem* TMenuItem::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[size_t(index)] : nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const std::string& name) const {
  for (TMenuItem* item : FItems)
    if (item->Name() == name) return item;
  return nullptr;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  Q_ASSERT(item && item != this);
  if (item->FParent) item->FParent->Remove(item).release();
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  item->setParent(this);
}

TMenuItem* TMenuItem::Add(const std::string& name, const std::string& caption, TNotifyEvent onClick) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  item->OnClick = std::move(onClick);
  Add(item);
  return item;
}

std::unique_ptr<TMenuItem> TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index < 0) return nullptr;
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
  item->setParent(nullptr);
  return std::unique_ptr<TMenuItem>(item);
}

void TMenuItem::Delete(int index) { Remove(Items(index)); }

void TMenuItem::Clear() {
  while (Count() > 0) Delete(Count() - 1);
}

bool TMenuItem::Click() {
  if (!FEnabled) return false;
  if (FAction) {
    // Copied first: the action may free this item.
    QPointer<TAction> action = FAction;
    return action->Execute();
  }
  if (!OnClick) return false;
  const TNotifyEvent handler = OnClick;  // survives the item being freed by it
  handler();
  return true;
}
