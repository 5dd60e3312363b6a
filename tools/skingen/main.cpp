// SPDX-License-Identifier: GPL-3.0-or-later
// skingen: draws the program's skin and the test skins into skin folders.
//   skingen default <folder>     the skin the program carries
//   skingen dark <folder>        the same drawing in the dark palette
//   skingen testskins <folder>   one sub-folder per test skin
//   skingen icon <size> <file>   the program's icon as a PNG
// Running it again writes the same bytes.

#include <iostream>
#include <string>

#include "app/renameglyph.h"
#include "tools/skingen/defaultskin.h"
#include "tools/skingen/skinpalette.h"
#include "tools/skingen/testskins.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Usage() {
  std::cerr << "usage:\n"
               "  skingen default <folder>     write the program's skin\n"
               "  skingen dark <folder>        write the dark skin\n"
               "  skingen testskins <folder>   write the test skins, one folder each\n"
               "  skingen icon <size> <file>   write the program's icon, size x size, as PNG\n";
  return kExitUsage;
}

constexpr int kMinIconSize = 8;
constexpr int kMaxIconSize = 1024;

int WriteIcon(const std::string& sizeText, const std::string& file) {
  int size = 0;
  try {
    size = std::stoi(sizeText);
  } catch (const std::exception&) {
    return Usage();
  }
  if (size < kMinIconSize || size > kMaxIconSize) return Usage();
  if (!MakeRenameIconImage(size).save(QString::fromStdString(file), "PNG")) {
    std::cerr << "skingen: cannot write " << file << "\n";
    return kExitFailure;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "icon") return WriteIcon(argv[2], argv[3]);
  if (argc != 3) return Usage();
  const std::string command = argv[1], folder = argv[2];
  try {
    if (command == "default" || command == "dark") {
      if (command == "dark") skinpalette::UseDarkPalette();
      TGeneratedSkin skin;
      defaultskin::BuildDefaultSkin(skin);
      skin.Write(folder);
      return 0;
    }
    if (command == "testskins") {
      for (const auto& [name, skin] : testskins::BuildTestSkins()) skin->Write(folder + "/" + name);
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "skingen: " << e.what() << "\n";
    return kExitFailure;
  }
  return Usage();
}
