// SPDX-License-Identifier: GPL-3.0-or-later
// What the program does with files it reads at start that are no plain,
// small files: it starts with the defaults, says why once on standard error,
// and never writes over them.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "../platform/tempfolder.h"
#include "app/appsettings.h"

namespace {
constexpr int kStartWaitMs = 20000;  // generous: a loaded machine starts slowly
}  // namespace

TEST(StartFiles, AnOversizedSettingsFileReadsAsNoneAndIsNeverRewritten) {
  TempFolder folder;
  // Valid settings, but past the size any settings of ours reach.
  const std::string text = "[General]\npreview=true\n" + std::string(std::size_t{2} << 20, ';') + "\n";
  folder.WriteFile("settings.ini", text);
  const std::string file = folder.Path() + "settings.ini";
  EXPECT_EQ(ReadSetting(file, kPreviewSetting, "off"), "off");
  WriteSetting(file, kPreviewSetting, "false");
  EXPECT_EQ(TempFolder::ReadAll(file), text);
}

// The real program, with FIFOs for its settings and for the list of the
// user's folders: opening either for reading would wait for a writer for ever.
TEST(StartFiles, TheProgramStartsPastFifosInPlaceOfItsSettingsAndSaysWhyOnce) {
  TempFolder home;
  home.MakeDir("config");
  home.MakeDir("config/batch-renamer");
  const std::string settings = home.Path() + "config/batch-renamer/settings.ini";
  const std::string userDirs = home.Path() + "config/user-dirs.dirs";
  ASSERT_EQ(mkfifo(settings.c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(userDirs.c_str(), 0600), 0);

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", QString::fromStdString(home.Path()));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.Path() + "config"));
  env.insert("XDG_STATE_HOME", QString::fromStdString(home.Path() + "state"));
  QProcess program;
  program.setProcessEnvironment(env);
  program.setReadChannel(QProcess::StandardError);
  program.start(BR_PROGRAM, {});
  ASSERT_TRUE(program.waitForStarted());
  // The window reads the settings for its preview switch after the skin
  // choice: both lines come out before the message loop runs.
  std::string err;
  const auto said = [&](const std::string& path) {
    return err.find(path + " is not a regular file") != std::string::npos;
  };
  while (!(said(settings) && said(userDirs)) && program.waitForReadyRead(kStartWaitMs))
    err += program.readAllStandardError().toStdString();
  EXPECT_TRUE(said(settings)) << err;
  EXPECT_TRUE(said(userDirs)) << err;
  // One line a file, however often it is asked for.
  program.waitForReadyRead(500);
  err += program.readAllStandardError().toStdString();
  EXPECT_EQ(err.find(settings, err.find(settings) + 1), std::string::npos) << err;
  EXPECT_EQ(program.state(), QProcess::Running) << err;
  program.kill();
  program.waitForFinished();
  struct stat st {};
  ASSERT_EQ(lstat(settings.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}
