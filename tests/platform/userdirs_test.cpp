// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userdirs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tempfolder.h"

namespace {

// A HOME of its own for each test, and no inherited XDG configuration.
class UserDirs : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* h = std::getenv("HOME")) SavedHome = h;
    setenv("HOME", HomeNoSlash().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override { setenv("HOME", SavedHome.c_str(), 1); }

  std::string HomeNoSlash() const { return Home.Path().substr(0, Home.Path().size() - 1); }
  void WriteUserDirs(const std::string& line) const {
    Home.MakeDir(".config");
    Home.WriteFile(".config/user-dirs.dirs", "# written by a test\n" + line + "\n");
  }

  TempFolder Home;
  std::string SavedHome;
};

TEST_F(UserDirs, TheDesktopIsItsFolderWhenThatExists) {
  Home.MakeDir("Desktop");
  EXPECT_EQ(DesktopDirectory(), HomeNoSlash() + "/Desktop");
  Home.MakeDir("Schreibtisch");
  WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"");
  EXPECT_EQ(DesktopDirectory(), HomeNoSlash() + "/Schreibtisch");
}

TEST_F(UserDirs, WithoutADesktopFolderTheDesktopHasNoFolderNotTheHomeFolder) {
  Home.WriteFile(".bashrc", "x");
  EXPECT_EQ(DesktopDirectory(), "") << "no Desktop folder";
  Home.WriteFile("Desktop", "a file, not a folder");
  EXPECT_EQ(DesktopDirectory(), "");
}

TEST_F(UserDirs, ADesktopThatNamesTheHomeFolderIsNoFolderOfItsOwn) {
  for (const char* line : {"XDG_DESKTOP_DIR=\"$HOME/\"", "XDG_DESKTOP_DIR=\"$HOME\"",
                           "XDG_DESKTOP_DIR=\"$HOME/.\""}) {
    WriteUserDirs(line);
    EXPECT_EQ(DesktopDirectory(), "") << line;
    std::remove((Home.Path() + ".config/user-dirs.dirs").c_str());
    rmdir((Home.Path() + ".config").c_str());
  }
  Home.MakeLink("desk", HomeNoSlash());
  WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/desk\"");
  EXPECT_EQ(DesktopDirectory(), "") << "a link back to HOME";
}

}  // namespace
