// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tskinchooser.h"

#include "app/appsettings.h"
#include "app/tmainform.h"
#include "app/tskinfileloader.h"
#include "framework/tapplication.h"
#include "framework/tpopupmenu.h"
#include "skins/defaultskinblock.h"

namespace {
constexpr const char* kSkinKey = "skin";  // the package's path; absent or empty: the embedded skin
constexpr const char* kSkinMenuCaption = "皮肤";
constexpr const char* kEmbeddedSkinCaption = "默认";
}  // namespace

TSkinChooser::TSkinChooser(TmainForm& form, TSkinFileLoader& loader, std::string settingsFile)
    : FForm(form), FLoader(loader), FSettingsFile(std::move(settingsFile)) {
  // Every way a skin comes in (the menu, the remembered choice, the command
  // line) goes through the loader.
  FLoader.OnSkinTaken = [&form](bool fromFile) { form.SkinFromFile(fromFile); };
  // The frame puts its own items round these: minimise... above, close below.
  // The window may have items of its own there already; the skin item joins them.
  FMenu = FForm.SkinForm->SystemMenu();
  if (!FMenu) FMenu = new TPopupMenu(&FForm);
  FMenu->Items()->Add("SkinSeparator1", "-");
  FSkinItem = FMenu->Items()->Add("SkinMenu", kSkinMenuCaption);
  FMenu->Items()->Add("SkinSeparator2", "-");
  Fill({});  // the folders are scanned when the menu first opens, not at start-up
  FForm.SkinForm->SetSystemMenu(FMenu);  // the window keeps UseDefaultSysMenu: the frame's items join ours
  TNotifyEvent previous = FForm.SkinForm->OnSkinMenuOpen;
  FForm.SkinForm->OnSkinMenuOpen = [this, previous] {
    if (previous) previous();
    RefreshMenu();
  };
}

std::string TSkinChooser::SettingsFile() { return SettingsFilePath(); }

std::string TSkinChooser::SavedChoice() const { return ReadSetting(FSettingsFile, kSkinKey); }

void TSkinChooser::Save(const std::string& path) const { WriteSetting(FSettingsFile, kSkinKey, path); }

void TSkinChooser::ApplySavedChoice() {
  const std::string saved = SavedChoice();
  if (saved.empty()) return;
  if (!FLoader.Load(saved).empty()) Save({});  // gone or broken: forget it, never ask again
}

void TSkinChooser::RefreshMenu() { Fill(DescribeSkins(ScanSkinFolders(SkinFolders()), DefaultSkinBlock())); }

void TSkinChooser::Fill(const std::vector<TSkinEntry>& packages) {
  FSkinItem->Clear();
  const std::string current = FLoader.LoadedFile();
  auto add = [this, &current](const std::string& caption, const std::string& path) {
    TMenuItem* item = FSkinItem->Add("", caption, [this, path] {
      const std::string message = Choose(path);
      if (!message.empty()) Application()->ShowException(message);
    });
    item->SetRadioItem(true);
    item->SetChecked(path == current);
  };
  add(kEmbeddedSkinCaption, {});
  for (const TSkinEntry& entry : packages) add(entry.Caption, entry.Path);
}

std::string TSkinChooser::Choose(const std::string& path) {
  if (path.empty()) {
    FLoader.UseStored(FForm.StoredSkin);
    Save({});
    return {};
  }
  const std::string problem = FLoader.Load(path);
  if (!problem.empty()) return "无法载入皮肤文件“" + path + "”：" + problem;
  Save(path);
  return {};
}
