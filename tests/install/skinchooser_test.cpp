// SPDX-License-Identifier: GPL-3.0-or-later
// The skin menu: which packages the folders offer, choosing one from the
// system menu, the choice kept across runs, and what bad folders, packages
// and settings files do.

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <unistd.h>

#include "../platform/tempfolder.h"
#include "app/tmainform.h"
#include "app/tskinchooser.h"
#include "app/tskinfileloader.h"
#include "app/tskinlist.h"
#include "framework/tapplication.h"

namespace {

const std::string kDarkPackage = std::string(PACKED_SKINS_DIR) + "/dark.skn";

std::string ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::vector<std::string> Names(const std::vector<TSkinEntry>& entries) {
  std::vector<std::string> names;
  for (const TSkinEntry& e : entries) names.push_back(e.Name);
  return names;
}

std::vector<std::string> Captions(const TMenuItem* menu) {
  std::vector<std::string> captions;
  for (int i = 0; i < menu->Count(); ++i) captions.push_back(menu->Items(i)->Caption());
  return captions;
}

}  // namespace

TEST(SkinList, FoldersFollowTheDesktopsDataDirectories) {
  setenv("HOME", "/home/u", 1);
  setenv("XDG_DATA_HOME", "/data/home", 1);
  setenv("XDG_DATA_DIRS", "/a:relative:/b/", 1);
  EXPECT_EQ(SkinFolders(), (std::vector<std::string>{"/data/home/batch-renamer/skins", "/a/batch-renamer/skins",
                                                     "/b//batch-renamer/skins"}));
  unsetenv("XDG_DATA_HOME");
  unsetenv("XDG_DATA_DIRS");
  EXPECT_EQ(SkinFolders(), (std::vector<std::string>{"/home/u/.local/share/batch-renamer/skins",
                                                     "/usr/local/share/batch-renamer/skins",
                                                     "/usr/share/batch-renamer/skins"}));
}

TEST(SkinList, ListsReadablePackagesOnceTheUsersFirstSortedByName) {
  TempFolder user, system;
  user.WriteFile("zeta.skn", "z");
  user.WriteFile("Corrupt.SKN", "not checked until chosen");
  user.WriteFile("shared.skn", "user");
  user.WriteFile("notes.txt", "x");
  user.WriteFile(".hidden.skn", "x");
  user.MakeDir("folder.skn");
  ASSERT_EQ(symlink((user.Path() + "loop.skn").c_str(), (user.Path() + "loop.skn").c_str()), 0);
  ASSERT_EQ(symlink((user.Path() + "gone").c_str(), (user.Path() + "dangling.skn").c_str()), 0);
  system.WriteFile("shared.skn", "system");
  system.WriteFile("alpha.skn", "a");
  const auto found = ScanSkinFolders({user.Path() + ".", "/nonexistent/folder", system.Path() + "."});
  EXPECT_EQ(Names(found), (std::vector<std::string>{"Corrupt", "alpha", "shared", "zeta"}));
  for (const TSkinEntry& e : found)
    if (e.Name == "shared") EXPECT_EQ(ReadAll(e.Path), "user");
}

TEST(SkinList, AThousandFilesAreListedOnlyUpToTheLimits) {
  TempFolder many;
  for (int i = 0; i < 1000; ++i) many.WriteFile("skin" + std::to_string(i) + ".skn", "x");
  EXPECT_EQ(ScanSkinFolders({many.Path()}).size(), 100u);  // the default bound
  TSkinScanLimits limits;
  limits.MaxEntries = 5000;
  limits.MaxDirEntries = 300;
  const size_t seen = ScanSkinFolders({many.Path()}, limits).size();
  EXPECT_GT(seen, 250u);
  EXPECT_LE(seen, 300u);
}

class SkinMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", Home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (Home.Path() + "data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (Home.Path() + "system").c_str(), 1);
    Home.MakeDir("Desktop");
    for (const char* dir : {"data", "data/batch-renamer", "data/batch-renamer/skins", "system", "config"})
      Home.MakeDir(dir);
    Skins = Home.Path() + "data/batch-renamer/skins/";
    Settings = Home.Path() + "config/settings.ini";
    Open();
  }
  void TearDown() override { Close(); }

  void Open() {
    Form = std::make_unique<TmainForm>();
    Application()->SetMainForm(Form.get());
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    Loader = std::make_unique<TSkinFileLoader>(*Form->bsSkinData);
    Chooser = std::make_unique<TSkinChooser>(*Form, *Loader, Settings);
  }
  void Close() {
    Chooser.reset();
    Loader.reset();
    Application()->SetMainForm(nullptr);
    Form.reset();
  }
  void AddPackage(const std::string& name, const std::string& bytes) { Home.WriteFile(Skins.substr(Home.Path().size()) + name, bytes); }
  QImage Picture() const {
    QTest::qWait(10);
    return Form->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // Runs the submenu's item with that caption, as a click does.
  void ClickSkin(const std::string& caption) {
    Chooser->RefreshMenu();
    TMenuItem* menu = Chooser->SkinMenuItem();
    for (int i = 0; i < menu->Count(); ++i)
      if (menu->Items(i)->Caption() == caption) return void(menu->Items(i)->Click());
    FAIL() << "no item " << caption;
  }
  std::string Checked() {
    TMenuItem* menu = Chooser->SkinMenuItem();
    std::string checked;
    for (int i = 0; i < menu->Count(); ++i)
      if (menu->Items(i)->Checked()) checked += menu->Items(i)->Caption() + ";";
    return checked;
  }

  TempFolder Home;
  std::string Skins, Settings;
  std::unique_ptr<TmainForm> Form;
  std::unique_ptr<TSkinFileLoader> Loader;
  std::unique_ptr<TSkinChooser> Chooser;
};

TEST(SkinSettings, TheFileLivesInTheUsersConfigFolder) {
  setenv("HOME", "/home/u", 1);
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(TSkinChooser::SettingsFile(), "/cfg/batch-renamer/settings.ini");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(TSkinChooser::SettingsFile(), "/home/u/.config/batch-renamer/settings.ini");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(TSkinChooser::SettingsFile(), "/home/u/.config/batch-renamer/settings.ini");
}

TEST_F(SkinMenu, TheSystemMenuCarriesTheSkinItemBetweenTheFramesItemsAndClose) {
  const std::vector<std::string> captions = Captions(Form->SkinForm->BuildSystemMenu());
  ASSERT_GE(captions.size(), 4u);
  EXPECT_EQ(captions[captions.size() - 3], "皮肤");
  EXPECT_EQ(captions[captions.size() - 2], "-");
  EXPECT_EQ(captions[0], Form->bsSkinData->Text("MI_MINCAPTION"));
  EXPECT_EQ(captions.back(), Form->bsSkinData->Text("MI_CLOSECAPTION"));
  // Nothing is scanned before the menu opens: only the embedded skin, checked.
  AddPackage("dark.skn", ReadAll(kDarkPackage));
  EXPECT_EQ(Captions(Chooser->SkinMenuItem()), (std::vector<std::string>{"默认"}));
  EXPECT_EQ(Checked(), "默认;");
  // The program's own skin, installed for skin makers, is the embedded one: listed once.
  AddPackage("default.skn", ReadAll(std::string(PACKED_SKINS_DIR) + "/default.skin"));
  Form->SkinForm->OnSkinMenuOpen();
  EXPECT_EQ(Captions(Chooser->SkinMenuItem()), (std::vector<std::string>{"默认", "深色"}));
}

TEST_F(SkinMenu, AChosenSkinIsDrawnCheckedAndTakenAgainAtTheNextStart) {
  AddPackage("dark.skn", ReadAll(kDarkPackage));
  const QImage embedded = Picture();
  const QRect list = Form->bsSkinPanel2->geometry();
  EXPECT_EQ(Form->bsSkinSplitter1->SkinData(), nullptr);
  EXPECT_EQ(Form->bsSkinSplitter1->width(), 3);
  ClickSkin("深色");
  EXPECT_EQ(Form->bsSkinData->SkinName, "深色");
  EXPECT_NE(Picture(), embedded);
  // The splitter is drawn from the dark skin's own record, in its width.
  EXPECT_EQ(Form->bsSkinSplitter1->SkinData(), Form->bsSkinData);
  EXPECT_EQ(Form->bsSkinSplitter1->width(), 8);
  EXPECT_EQ(Form->bsSkinPanel2->x(), Form->bsSkinSplitter1->x() + 8);
  Chooser->RefreshMenu();
  EXPECT_EQ(Checked(), "深色;");

  Close();
  Open();  // a new run
  EXPECT_EQ(Form->bsSkinData->SkinName, "默认");
  Chooser->ApplySavedChoice();
  EXPECT_EQ(Form->bsSkinData->SkinName, "深色");
  EXPECT_EQ(Loader->LoadedFile(), Skins + "dark.skn");

  EXPECT_EQ(Form->bsSkinSplitter1->width(), 8) << "a remembered skin binds it too";
  ClickSkin("默认");
  EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin(), Form->StoredSkin);
  EXPECT_EQ(Form->bsSkinSplitter1->SkinData(), nullptr);
  EXPECT_EQ(Form->bsSkinPanel2->geometry(), list);
  EXPECT_EQ(Picture(), embedded);
  Close();
  Open();
  Chooser->ApplySavedChoice();
  EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin(), Form->StoredSkin);
}

TEST_F(SkinMenu, ABrokenPackageIsRefusedNamingTheFileAndTheChoiceStays) {
  AddPackage("dark.skn", ReadAll(kDarkPackage));
  AddPackage("broken.skn", std::string("\x03\x00\x00\x00\x04\x00\x00\x00junk", 12));
  ClickSkin("深色");
  const QImage dark = Picture();
  Chooser->RefreshMenu();
  const std::string message = Chooser->Choose(Skins + "broken.skn");
  EXPECT_EQ(message, "无法载入皮肤文件“" + Skins + "broken.skn”：皮肤文件已损坏，压缩的数据无法解开");
  EXPECT_EQ(Form->bsSkinData->SkinName, "深色");
  EXPECT_EQ(Picture(), dark);
  EXPECT_EQ(Chooser->SavedChoice(), Skins + "dark.skn");
}

TEST_F(SkinMenu, ARememberedSkinThatIsGoneOrASettingsFileThatIsDamagedGivesTheEmbeddedSkin) {
  Home.WriteFile("config/settings.ini", "[General]\nskin=" + Skins + "gone.skn\n");
  Chooser->ApplySavedChoice();
  EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin(), Form->StoredSkin);
  EXPECT_EQ(Chooser->SavedChoice(), "");  // forgotten, so the next start does not try again

  QFile::remove(QString::fromStdString(Settings));
  Home.WriteFile("config/settings.ini", std::string("\xff\xfe[[[\0\0skin=", 13) + "\n=\n[");
  Chooser->ApplySavedChoice();
  EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin(), Form->StoredSkin);
  EXPECT_TRUE(Form->bsSkinData->HasSkin());
}
