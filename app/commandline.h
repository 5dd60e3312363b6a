// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: a folder to open, a skin package for this run,
// and the usual --help and --version. Parsing is a pure function of the
// arguments so the answers can be checked without starting the window.

#include <QStringList>
#include <string>

struct TCommandLine {
  bool Exit = false;       // answered already (help, version or a usage error)
  int ExitCode = 0;
  std::string Output;      // text for standard output when Exit
  std::string Error;       // text for standard error: when Exit, or a warning the run goes on after
  std::string Folder;      // absolute path of an existing folder, or empty
  std::string SkinFile;    // as given; checked when it is loaded
};

class TmainForm;
class TSkinFileLoader;

// `arguments` includes the program name first, as QCoreApplication gives it.
TCommandLine ParseCommandLine(const QStringList& arguments);

// Applies the run's choices to a created window: the skin file first (a
// problem keeps the skin in use and comes back as the text to show), then
// the folder, selected in the tree and listed.
std::string StartWith(const TCommandLine& commandLine, TmainForm& form, TSkinFileLoader& skinLoader);
