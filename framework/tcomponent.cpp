// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tcomponent.h"

TComponent::TComponent(QObject* owner) : QObject(owner) {}
TComponent::~TComponent() { FComponentState |= csDestroying; }

void TComponent::EndLoading() {
  if (!(FComponentState & csLoading)) return;
  FComponentState &= ~csLoading;
  Loaded();
}
