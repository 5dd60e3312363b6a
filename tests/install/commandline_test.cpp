// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's answers, as a user at a terminal or a file manager gets them.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include "../platform/tempfolder.h"
#include "app/commandline.h"

namespace {

// --version: the name and version on the first line, then who holds the
// copyright and under which licence.
std::string VersionText() {
  return std::string("batch-renamer ") + BR_EXPECTED_VERSION +
         "\n"
         "Copyright (C) 2026 The batch-renamer developers\n"
         "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

TCommandLine Parse(std::initializer_list<QString> arguments) {
  QStringList list{"/usr/bin/batch-renamer"};
  list.append(QStringList(arguments));
  return ParseCommandLine(list);
}

}  // namespace

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutputAndExitZero) {
  for (const QString& option : {"--help", "-h"}) {
    const TCommandLine c = Parse({option});
    EXPECT_TRUE(c.Exit);
    EXPECT_EQ(c.ExitCode, 0);
    EXPECT_TRUE(c.Error.empty());
    EXPECT_EQ(c.Output.rfind("Usage: batch-renamer [options] [FOLDER]\n", 0), 0u) << c.Output;
    for (const char* listed : {"--help", "--version", "--skin <FILE>", "FOLDER"})
      EXPECT_NE(c.Output.find(listed), std::string::npos) << listed;
  }
  for (const QString& option : {"--version", "-v"}) {
    const TCommandLine c = Parse({option});
    EXPECT_TRUE(c.Exit);
    EXPECT_EQ(c.ExitCode, 0);
    EXPECT_EQ(c.Output, VersionText());
  }
}

TEST(CommandLine, UsageErrorsGoToStandardErrorWithExitTwo) {
  struct Row {
    const char* name;
    TCommandLine line;
    const char* says;
  };
  const Row rows[] = {
      {"unknown option", Parse({"--bogus"}), "Unknown option 'bogus'"},
      {"skin without its file", Parse({"--skin"}), "Missing value after '--skin'"},
      {"two folders", Parse({"/tmp", "/"}), "one folder at most"},
  };
  for (const Row& row : rows) {
    EXPECT_TRUE(row.line.Exit) << row.name;
    EXPECT_EQ(row.line.ExitCode, 2) << row.name;
    EXPECT_TRUE(row.line.Output.empty()) << row.name;
    EXPECT_NE(row.line.Error.find(row.says), std::string::npos) << row.name << ": " << row.line.Error;
    EXPECT_NE(row.line.Error.find("Try 'batch-renamer --help'."), std::string::npos) << row.name;
  }
}

TEST(CommandLine, AFolderIsTakenOnlyWhenItIsAnExistingFolder) {
  TempFolder temp;
  temp.MakeDir("photos");
  temp.WriteFile("note.txt", "x");
  const std::string photos = temp.Path() + "photos";

  EXPECT_EQ(Parse({QString::fromStdString(photos)}).Folder, photos);
  // Relative to where the program was started.
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(temp.Path())));
  const TCommandLine relative = Parse({"photos"});
  QDir::setCurrent(before);
  EXPECT_EQ(relative.Folder, photos);

  const std::pair<std::string, const char*> notFolders[] = {{temp.Path() + "missing", " does not exist"},
                                                             {temp.Path() + "note.txt", " is not a folder"}};
  for (const auto& [notAFolder, why] : notFolders) {
    const TCommandLine c = Parse({QString::fromStdString(notAFolder)});
    EXPECT_FALSE(c.Exit) << notAFolder;
    EXPECT_EQ(c.Folder, "") << notAFolder;  // the desktop, as without one
    EXPECT_EQ(c.Error, "batch-renamer: " + notAFolder + why + "; starting at the desktop\n");
  }
  EXPECT_EQ(Parse({QString::fromStdString(photos)}).Error, "");
}

TEST(CommandLine, SkinFileIsKeptAsGivenTogetherWithAFolder) {
  const TCommandLine c = Parse({"--skin", "my skins/dark.skn", "/"});
  EXPECT_FALSE(c.Exit);
  EXPECT_EQ(c.SkinFile, "my skins/dark.skn");
  EXPECT_EQ(c.Folder, "/");
  EXPECT_EQ(Parse({}).SkinFile, "");
}

// The program itself as a terminal starts it: it answers without a display
// and reads its arguments as UTF-8 text.
TEST(CommandLine, TheProgramAnswersWithoutADisplayAndReadsItsArgumentsAsText) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  env.remove("QT_QPA_PLATFORM");
  const auto run = [&env](const QStringList& arguments, QByteArray& out, QByteArray& err) {
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(BR_PROGRAM, arguments);
    EXPECT_TRUE(program.waitForFinished(10000));
    out = program.readAllStandardOutput();
    err = program.readAllStandardError();
    return program.exitCode();
  };
  QByteArray out, err;
  EXPECT_EQ(run({"--version"}, out, err), 0);
  EXPECT_EQ(out.toStdString(), VersionText());
  EXPECT_EQ(run({"--皮肤"}, out, err), 2);
  EXPECT_TRUE(out.isEmpty());
  EXPECT_NE(err.toStdString().find("Unknown option '皮肤'"), std::string::npos) << err.toStdString();
  // Started for the window, it says in one line what is missing.
  EXPECT_EQ(run({}, out, err), 1);
  EXPECT_EQ(err.toStdString(), "batch-renamer: cannot open the display (DISPLAY is not set)\n");
  env.insert("DISPLAY", ":97");  // no server there
  EXPECT_EQ(run({}, out, err), 1);
  EXPECT_EQ(err.toStdString(), "batch-renamer: cannot open the display (DISPLAY=:97)\n");
}
