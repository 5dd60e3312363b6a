// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A component that shows a text of its own in a hint window after the
// application's hint pause, for parts that are not controls (a window
// frame's caption buttons). The skin's hint component is one.

#include <string>

#include "framework/tcomponent.h"

class TCustomHint : public TComponent {
  Q_OBJECT
 public:
  using TComponent::TComponent;

  // Shows `text` below the pointer once the hint pause has passed, and hides
  // it after the hide pause; a new call starts the wait again.
  virtual void ShowHintDelayed(const std::string& text) = 0;
  // Cancels a waiting hint and hides a shown one.
  virtual void HideHint() = 0;
};
