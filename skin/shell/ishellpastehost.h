// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window that holds a folder tree offers the context menu's paste:
// the paste runs on a worker while the window shows its progress and lets
// the user stop it. Without such a window a paste runs where it is called.

#include <functional>
#include <string>
#include <vector>

#include "platform/pastejob.h"

class IShellPasteHost {
 public:
  virtual ~IShellPasteHost() = default;
  // Starts the paste; false (nothing started) while the window is busy with
  // another. `finished` runs on the window's thread when the paste has ended;
  // an error it raises is shown as the window shows errors.
  virtual bool StartPaste(const std::string& folder, std::vector<std::string> sources, bool move,
                          std::function<void(const TPasteResult&)> finished) = 0;
  // From the start until `finished` has run: no other file command meanwhile.
  virtual bool PasteRunning() const = 0;
};
