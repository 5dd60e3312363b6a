// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text as the description of an otherwise empty package, so
// the parser, every value kind and record creation see it; every record
// read is then written back.
#include <vector>

#include "framework/sysutils.h"
#include "skin/data/tbsskindata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Version 3, no main, inactive or mask picture, no active pictures.
  std::vector<uint8_t> package = {3, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0};
  package.insert(package.end(), data, data + size);
  TbsSkinData skin;
  try {
    skin.LoadFromPackage(package.data(), package.size());
  } catch (const EConvertError&) {
  }
  TbsSkinDescription written;
  skin.SaveToDescription(written);
  for (const auto& r : skin.ObjectRecords) r->SaveToDescription(written);
  for (const auto& r : skin.ControlRecords) r->SaveToDescription(written);
  return 0;
}
