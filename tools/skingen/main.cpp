// skingen: draws the program's skin and the test skins into skin folders.
//   skingen default <folder>     the skin the program carries
//   skingen testskins <folder>   one sub-folder per test skin
// Running it again writes the same bytes.

#include <iostream>
#include <string>

#include "tools/skingen/defaultskin.h"
#include "tools/skingen/testskins.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Usage() {
  std::cerr << "usage:\n"
               "  skingen default <folder>     write the program's skin\n"
               "  skingen testskins <folder>   write the test skins, one folder each\n";
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Usage();
  const std::string command = argv[1], folder = argv[2];
  try {
    if (command == "default") {
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
