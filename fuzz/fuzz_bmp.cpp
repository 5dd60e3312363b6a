// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the BMP reader. Whatever it accepts must write
// and read back to the same pixels.
#include <cstdlib>

#include "skin/data/ebsbitmaperror.h"
#include "skin/data/tbsbitmapfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QImage image;
  try {
    image = TbsBitmapFile::Decode(data, size);
  } catch (const EbsBitmapError&) {
    return 0;
  }
  const std::vector<uint8_t> written = TbsBitmapFile::Encode(image);
  if (TbsBitmapFile::Decode(written.data(), written.size()) != image) abort();
  return 0;
}
