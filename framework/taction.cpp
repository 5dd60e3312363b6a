// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/taction.h"

TAction::TAction(TActionList* list, const std::string& name) : TComponent(list) {
  SetName(name);
  FCaption = name;
}

bool TAction::Execute() {
  if (!FEnabled || !OnExecute) return false;
  OnExecute();
  return true;
}

int TActionList::ActionCount() const { return int(findChildren<TAction*>(Qt::FindDirectChildrenOnly).size()); }

TAction* TActionList::Actions(int index) const {
  const auto actions = findChildren<TAction*>(Qt::FindDirectChildrenOnly);
  return index >= 0 && index < actions.size() ? actions[index] : nullptr;
}
