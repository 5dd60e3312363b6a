// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's skin menu: an item "皮肤" in the frame's system menu whose
// submenu lists the embedded skin and every package found, the one in use
// checked. The list is made each time the system menu opens, never at
// start-up. The choice is remembered in the settings file and taken again at
// the next start; a package that fails keeps the skin in use and says why.

#include <string>
#include <vector>

#include "app/tskinlist.h"

class TmainForm;
class TMenuItem;
class TPopupMenu;
class TSkinFileLoader;

class TSkinChooser {
 public:
  // `settingsFile` is where the choice is kept (see SettingsFile()).
  TSkinChooser(TmainForm& form, TSkinFileLoader& loader, std::string settingsFile);

  // $XDG_CONFIG_HOME/batch-renamer/settings.ini (or under ~/.config).
  static std::string SettingsFile();

  // Loads the remembered skin; a choice that is gone or fails is dropped in
  // silence: the embedded skin stays.
  void ApplySavedChoice();
  // Makes the submenu from a fresh scan of the skin folders.
  void RefreshMenu();
  // Uses the package at `path` (empty: the embedded skin) and remembers it.
  // Returns the message shown for a failure, empty on success.
  std::string Choose(const std::string& path);

  TMenuItem* SkinMenuItem() const { return FSkinItem; }
  std::string SavedChoice() const;

 private:
  void Save(const std::string& path) const;
  void Fill(const std::vector<TSkinEntry>& packages);

  TmainForm& FForm;
  TSkinFileLoader& FLoader;
  std::string FSettingsFile;
  TPopupMenu* FMenu = nullptr;   // owned by the form
  TMenuItem* FSkinItem = nullptr;
};
