// SPDX-License-Identifier: GPL-3.0-or-later
// The skin tool (skinpack in the build tree, batch-renamer-skin where it is
// installed): packs a skin folder into a compressed skin file, unpacks one back
// into a folder, checks a skin, shows what the program reads from it and
// draws its records as the program draws them.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/versionnotice.h"
#include "framework/sysutils.h"
#include "framework/tapplication.h"
#include "skin/data/ebsskinpictureerror.h"
#include "skin/data/ebsskinvalueerror.h"
#include "skin/data/skincheck.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskindescription.h"
#include "tools/skinpack/skincompose.h"
#include "tools/skinpack/skinsource.h"
#include "tools/skinpack/skinunpack.h"

namespace {

#ifndef BR_VERSION
#define BR_VERSION "0"
#endif

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The name the tool was started by: its usage and messages use it, as it is
// installed under another name than the one it has in the build tree.
std::string gName = "skinpack";

std::string UsageText() {
  std::string specials;
  for (const std::string& name : ComposeSpecialRecords()) specials += (specials.empty() ? "" : ", ") + name;
  return "usage:\n"
         "  " + gName + " pack <folder>/skin.ini <out-file>\n"
         "      load the skin as the program would, then write a compressed skin file;\n"
         "      a skin the program could not load is refused and nothing is written.\n"
         "      Pictures are stored as 24-bit BMP, whatever depth the files had.\n"
         "  " + gName + " unpack <file> <folder>\n"
         "      write skin.ini and its pictures; pictures sharing a name get distinct names.\n"
         "  " + gName + " check <file-or-skin.ini>\n"
         "      list what loads but is likely wrong (misspelt keys, skipped entries, picture\n"
         "      indexes and pieces outside the pictures, missing records); exit 1 if any.\n"
         "  " + gName + " dump <file-or-skin.ini>\n"
         "      show what the program reads.\n"
         "  " + gName + " compose [options] <file-or-skin.ini> <record> <width>x<height> <out.bmp|out.png>\n"
         "      draw a record at a size through the program's own window and controls.\n"
         "      <record> is a control record, a frame object record, or one of " + specials + ".\n"
         "      FORMINFO is the whole window frame at that size; HINTWINDOW is the hint window\n"
         "      showing the caption text, at the size the hint takes for it; POPUPWINDOW is a\n"
         "      popup menu of sample items (the menu takes its own width; a height too small\n"
         "      for it makes it scroll).\n"
         "      Outside the skin's mask a .png is transparent and a .bmp is magenta.\n"
         "      --inactive            draw the window as inactive\n"
         "      --state <state>       an object as normal, hot, down or inactive\n"
         "      --caption <text>      the window, panel, button or label caption, or the hint's\n"
         "                            text (default \"Caption\")\n"
         "  " + gName + " --help | --version\n"
         "pack and dump print the check's warnings on standard error.\n";
}

std::string WarningPrefix() { return gName + ": warning: "; }

void PrintWarnings(const std::vector<std::string>& warnings, std::ostream& out, const std::string& prefix) {
  for (const std::string& w : warnings) out << prefix << w << "\n";
}

std::vector<std::string> Warnings(const TbsSkinData& data, const TbsCompressedStoredSkin& stored,
                                  const std::string& path) {
  return CheckSkin(data, PackedDescription(stored, path));
}

int Pack(const std::string& description, const std::string& out) {
  TbsCompressedStoredSkin stored;
  TbsSkinData data;
  // Loaded exactly as the program loads it: a package that would fail at
  // start-up is never written.
  LoadSkinData(data, stored, description);
  PrintWarnings(Warnings(data, stored, description), std::cerr, WarningPrefix());

  // Written beside the target and renamed over it, so a failure leaves no
  // partial file and an older package stays whole.
  const std::string partial = out + ".partial";
  try {
    stored.WriteCompressedSkinFile(partial);
  } catch (...) {
    std::remove(partial.c_str());
    throw;
  }
  if (std::rename(partial.c_str(), out.c_str()) != 0) {
    std::remove(partial.c_str());
    throw ToolError("cannot write \"" + out + "\"");
  }
  std::cout << out << ": " << stored.CompressedBuffer.size() << " bytes\n";
  return 0;
}

int Check(const std::string& path) {
  TbsCompressedStoredSkin stored;
  TbsSkinData data;
  LoadSkinData(data, stored, path);
  const std::vector<std::string> warnings = Warnings(data, stored, path);
  PrintWarnings(warnings, std::cout, "warning: ");
  if (warnings.empty()) std::cout << path << ": no warnings\n";
  return warnings.empty() ? 0 : kExitFailure;
}

std::string PictureSize(const TBitmap& bitmap) {
  return bitmap.Empty() ? "none" : IntToStr(bitmap.Width()) + " x " + IntToStr(bitmap.Height());
}

int Dump(const std::string& path) {
  TbsCompressedStoredSkin stored;
  TbsSkinData data;
  LoadSkinData(data, stored, path);
  PrintWarnings(Warnings(data, stored, path), std::cerr, WarningPrefix());

  std::cout << "; pictures: main " << PictureSize(data.Picture) << ", inactive " << PictureSize(data.InactivePicture)
            << ", mask " << PictureSize(data.Mask) << "\r\n";
  for (size_t i = 0; i < data.ActivePictures.size(); ++i)
    std::cout << "; active picture " << i << ": " << PictureSize(*data.ActivePictures[i]) << "\r\n";
  TbsSkinDescription globals;
  data.SaveToDescription(globals);
  std::cout << globals.Text();
  auto dumpRecord = [](const char* list, size_t index, const auto& record) {
    TbsSkinDescription section;
    record->SaveToDescription(section);
    std::cout << "\r\n; " << list << " record " << index << ": " << record->IDName << " (" << record->ClassName()
              << ")\r\n"
              << section.Text();
  };
  for (size_t i = 0; i < data.ObjectRecords.size(); ++i) dumpRecord("object", i, data.ObjectRecords[i]);
  for (size_t i = 0; i < data.ControlRecords.size(); ++i) dumpRecord("control", i, data.ControlRecords[i]);
  return 0;
}

// The offscreen platform's notes about what it cannot do for real windows
// (masks, mouse grabs) say nothing about the picture: kept off the output.
QtMessageHandler gPreviousMessageHandler = nullptr;
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
    return;
  if (gPreviousMessageHandler) gPreviousMessageHandler(type, context, message);
  else std::cerr << message.toStdString() << "\n";
}

// compose [options] <skin> <record> <WxH> <out>; false when the words do not fit.
bool ParseCompose(const std::vector<std::string>& args, TComposeRequest& request) {
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--inactive") {
      request.Inactive = true;
    } else if ((args[i] == "--state" || args[i] == "--caption") && i + 1 < args.size()) {
      (args[i] == "--state" ? request.State : request.Caption) = args[i + 1];
      ++i;
    } else if (args[i].rfind("--", 0) == 0) {
      return false;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 4) return false;
  request.SkinPath = positional[0];
  request.Record = positional[1];
  request.Size = positional[2];
  request.Out = positional[3];
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (argc > 0) gName = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toStdString();
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    std::cout << UsageText();
    return 0;
  }
  if (!args.empty() && (args[0] == "--version" || args[0] == "-v")) {
    std::cout << gName << " " << BR_VERSION << "\n" << kVersionNotice;
    return 0;
  }
  const bool compose = !args.empty() && args[0] == "compose";
  // Composing draws real windows: offscreen, unless a display is asked for.
  if (compose && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::unique_ptr<QCoreApplication> app;
  if (compose) {
    gPreviousMessageHandler = qInstallMessageHandler(QuietOffscreenNotes);
    app = std::make_unique<TApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  TComposeRequest request;
  const bool composeWords = compose && ParseCompose(args, request);
  const std::string skinPath = compose ? request.SkinPath : args.size() > 1 ? args[1] : std::string();
  try {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
    if (args.size() == 3 && args[0] == "unpack") return UnpackSkin(args[1], args[2]);
    if (args.size() == 2 && args[0] == "check") return Check(args[1]);
    if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
    if (composeWords) return ComposeSkinRecord(request);
  } catch (const EbsSkinValueError& e) {
    std::cerr << gName << ": " << e.Located() << "\n";
    return kExitFailure;
  } catch (const EbsSkinPictureError& e) {
    std::cerr << gName << ": " << skinPath << ": " << e.Located() << "\n";
    return kExitFailure;
  } catch (const std::exception& e) {
    std::cerr << gName << ": " << e.what() << "\n";
    return kExitFailure;
  }
  std::cerr << UsageText();
  return kExitUsage;
}
