// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the skin loader: an odd first byte makes the rest
// a compressed block that goes through inflation, an even one makes it an
// inflated package.
#include "framework/sysutils.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TbsSkinData skin;
  try {
    if (data[0] & 1) {
      TbsCompressedStoredSkin stored;
      stored.SetCompressedData(std::vector<uint8_t>(data + 1, data + size));
      skin.SetCompressedStoredSkin(&stored);
    } else {
      skin.LoadFromPackage(data + 1, size - 1);
    }
  } catch (const Exception&) {
    // A refused package must leave no skin behind.
    if (skin.HasSkin()) abort();
  }
  return 0;
}
