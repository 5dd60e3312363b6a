// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary HOME (and XDG_DATA_HOME and XDG_CONFIG_HOME inside it) with a
// desktop folder, for every test that touches the namespace or real files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../../platform/tempfolder.h"

class ShellHome : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", Home.Path().substr(0, Home.Path().size() - 1).c_str(), 1);
    setenv("XDG_DATA_HOME", (Home.Path() + ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home.Path() + ".config").c_str(), 1);
    Home.MakeDir("Desktop");
    Desktop = Home.Path() + "Desktop";
  }
  // "a/b" below the desktop folder.
  void Dir(const std::string& relative) const { Home.MakeDir("Desktop/" + relative); }
  void File(const std::string& relative, const std::string& bytes = "x") const {
    Home.WriteFile("Desktop/" + relative, bytes);
  }

  TempFolder Home;
  std::string Desktop;  // no trailing "/"
};
