// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real main window on a temporary home (settings, state and desktop all
// under it), for the tests of the preview and of the batch side.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "../platform/tempfolder.h"
#include "app/tmainform.h"
#include "framework/tapplication.h"
#include "messageboxes.h"

namespace wintest {

// Runs `action` and reads and closes every message box it opens; their texts.
inline std::vector<std::string> CollectBoxes(const std::function<void()>& action, int settleMs = 100) {
  MessageBoxes boxes;
  action();
  QTest::qWait(settleMs);
  return boxes.Texts();
}

inline bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
  for (int waited = 0; waited < ms; waited += 10) {
    if (condition()) return true;
    QTest::qWait(10);
  }
  return condition();
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", Home.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home.Path() + "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (Home.Path() + "state").c_str(), 1);
    Home.MakeDir("Desktop");
    Desktop = Home.Path() + "Desktop/";
  }
  void TearDown() override {
    Close();
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
  }

  void Write(const std::string& name, const std::string& bytes = "x") const { Home.WriteFile("Desktop/" + name, bytes); }
  void MakeDir(const std::string& name) const { Home.MakeDir("Desktop/" + name); }

  TmainForm& Open() {
    Form = std::make_unique<TmainForm>();
    Application()->SetMainForm(Form.get());
    Form->show();
    Form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    return *Form;
  }
  void Close() {
    if (!Form) return;
    Application()->SetMainForm(nullptr);
    Form.reset();
  }

  std::vector<std::string> Listed() const { return Form->ListBox1->Items().Items(); }
  std::map<std::string, std::string> Contents() const { return TempFolder::ContentsOf(Desktop); }

  // Clicks the rename button; true once the batch has ended and the list is read again.
  bool RenameAndWait() {
    QTest::mouseClick(Form->btnQuillo, Qt::LeftButton, {}, QPoint(28, 27));
    return WaitFor([&] { return !Form->BatchRunning(); });
  }
  void ClickRename() { QTest::mouseClick(Form->btnQuillo, Qt::LeftButton, {}, QPoint(28, 27)); }

  TempFolder Home;
  std::string Desktop;
  std::unique_ptr<TmainForm> Form;
};

}  // namespace wintest
