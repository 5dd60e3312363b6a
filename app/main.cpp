// SPDX-License-Identifier: GPL-3.0-or-later
// Program entry: the command line first (so --help and --version answer
// without a display), then the application's title (it captions message
// boxes), the main window, and the message loop until the window closes.

#include <QCoreApplication>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <vector>

#include "app/commandline.h"
#include "app/localetexts.h"
#include "app/tmainform.h"
#include "app/tskinchooser.h"
#include "app/tskinfileloader.h"
#include "framework/tapplication.h"
#include "framework/tfontconfiguration.h"
#include "platform/systemimagelist.h"
#include "skin/data/tbsskinpackageprefetch.h"
#include "skins/defaultskinblock.h"

namespace {

TCommandLine ReadCommandLine(int argc, char** argv) {
  // The arguments as an application object would give them (local 8-bit,
  // which is UTF-8 here), without making one just for this: making and
  // dropping it costs about half a millisecond of every start.
  QStringList arguments;
  arguments.reserve(argc);
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return ParseCommandLine(arguments);
}

// Qt ends a program it cannot give a display with several lines meant for
// a packager ("Reinstalling the application may fix this problem") and an
// abort. While the application object is made, its messages are held: when
// it fails the user reads one line and the program exits with 1; when it
// succeeds they go out as ever.
class TDisplayCheck {
 public:
  TDisplayCheck() { FPrevious = qInstallMessageHandler(&Hold); }
  ~TDisplayCheck() {
    qInstallMessageHandler(FPrevious);
    const std::lock_guard<std::mutex> guard(FLock);
    for (const THeld& m : FHeld) FPrevious(m.Type, QMessageLogContext(), m.Text);
    FHeld.clear();
  }
  TDisplayCheck(const TDisplayCheck&) = delete;
  TDisplayCheck& operator=(const TDisplayCheck&) = delete;

 private:
  struct THeld {
    QtMsgType Type;
    QString Text;
  };
  static void Hold(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
      const char* display = std::getenv("DISPLAY");
      if (display && *display)
        std::fprintf(stderr, "batch-renamer: cannot open the display (DISPLAY=%s)\n", display);
      else
        std::fprintf(stderr, "batch-renamer: cannot open the display (DISPLAY is not set)\n");
      std::_Exit(1);
    }
    const std::lock_guard<std::mutex> guard(FLock);
    FHeld.push_back({type, text});
  }
  static inline QtMessageHandler FPrevious = nullptr;
  static inline std::mutex FLock;
  static inline std::vector<THeld> FHeld;
};

}  // namespace

int main(int argc, char** argv) {
  const TCommandLine commandLine = ReadCommandLine(argc, argv);
  if (commandLine.Exit) {
    std::cout << commandLine.Output;
    std::cerr << commandLine.Error;
    return commandLine.ExitCode;
  }
  std::cerr << commandLine.Error;

  // The font configuration is read and then the embedded skin decoded on a
  // worker while the application and window are made, off the way to the
  // first picture; the fonts first, as the window needs them first.
  TFontConfiguration::Start(TbsSkinPackagePrefetch::Prepare(DefaultSkinBlock()));
  auto displayCheck = std::make_unique<TDisplayCheck>();
  TApplication application(argc, argv);
  displayCheck.reset();
  InstallQtTranslations(*QCoreApplication::instance());
  // While the fonts are read: the tree's first pictures, which need no text.
  // The window's first text then waits for the reading to end.
  TSystemImageList::Instance().LookUpDesktopIcons();
  application.SetTitle("文件名批量修改器");
  TmainForm mainForm;
  TSkinFileLoader skinLoader(*mainForm.bsSkinData);
  TSkinChooser skinChooser(mainForm, skinLoader, TSkinChooser::SettingsFile());
  // A skin named on the command line is for this run only and wins over the remembered one.
  if (commandLine.SkinFile.empty()) skinChooser.ApplySavedChoice();
  const std::string problem = StartWith(commandLine, mainForm, skinLoader);
  if (!problem.empty()) application.ShowException(problem);
  application.SetMainForm(&mainForm);
  return application.Run();
}
