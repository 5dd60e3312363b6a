// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "app/tmainform.h"
#include "app/tskinfileloader.h"
#include "app/versionnotice.h"

#ifndef BR_VERSION
#define BR_VERSION "0"
#endif

namespace {
constexpr int kExitUsage = 2;
}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
  TCommandLine result;
  QCommandLineParser parser;
  parser.setApplicationDescription("Renames every file of a folder to a prefix and a running number.");
  // Built by hand rather than addHelpOption/addVersionOption: those print and
  // exit through the application object, which would take this function's
  // answer away from its callers.
  const QCommandLineOption help(QStringList{"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version(QStringList{"v", "version"}, "Show the version and exit.");
  const QCommandLineOption skin("skin", "Draw the window with the skin package FILE for this run.", "FILE");
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(skin);
  parser.addPositionalArgument("FOLDER", "Start with this folder selected and listed.", "[FOLDER]");

  const QString program = arguments.isEmpty() ? QString("batch-renamer") : QFileInfo(arguments.first()).fileName();
  if (!parser.parse(arguments)) {
    result.Exit = true;
    result.ExitCode = kExitUsage;
    result.Error = (program + ": " + parser.errorText() + "\nTry '" + program + " --help'.\n").toStdString();
    return result;
  }
  if (parser.isSet(help)) {
    result.Exit = true;
    // helpText() names the program from the running application; ours names it from the arguments.
    QString text = "Usage: " + program + " [options] [FOLDER]\n" + parser.helpText().section('\n', 1);
    result.Output = text.toStdString();
    return result;
  }
  if (parser.isSet(version)) {
    result.Exit = true;
    result.Output = (program + " " + BR_VERSION + "\n").toStdString() + kVersionNotice;
    return result;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) {
    result.Exit = true;
    result.ExitCode = kExitUsage;
    result.Error = (program + ": one folder at most\nTry '" + program + " --help'.\n").toStdString();
    return result;
  }
  // A folder that is not there starts the program as without one, at the
  // desktop; a line says so, as the user may have mistyped it.
  if (!positional.isEmpty()) {
    const QFileInfo folder(positional.first());
    if (folder.isDir())
      result.Folder = folder.absoluteFilePath().toStdString();
    else
      result.Error = (program + ": " + positional.first() + (folder.exists() ? " is not a folder" : " does not exist") +
                      "; starting at the desktop\n")
                         .toStdString();
  }
  if (parser.isSet(skin)) result.SkinFile = parser.value(skin).toStdString();
  return result;
}

std::string StartWith(const TCommandLine& commandLine, TmainForm& form, TSkinFileLoader& skinLoader) {
  std::string message;
  if (!commandLine.SkinFile.empty()) {
    const std::string problem = skinLoader.Load(commandLine.SkinFile);
    if (!problem.empty()) message = "无法载入皮肤文件“" + commandLine.SkinFile + "”：" + problem;
  }
  if (!commandLine.Folder.empty() && form.ShellTreeView1->SelectPath(commandLine.Folder)) form.filesearch->Execute();
  return message;
}
