// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as the head of a photo for its date: once as they
// are (the JPEG segment walk, a bare EXIF block), and once as the TIFF data
// of a JPEG's EXIF segment, so that every input reaches the TIFF reader. A
// date given must be one the calendar has: years 1 to 9999.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "renamer/numberorder.h"

namespace {

constexpr TTakenTime kFirstDay = -62135596800;  // 0001-01-01 00:00:00
constexpr TTakenTime kLastSecond = 253402300799;  // 9999-12-31 23:59:59
constexpr std::size_t kMostSegmentData = 0xFFFF - 2 - 6;  // an APP1 segment's bytes after "Exif\0\0"

void Check(std::optional<TTakenTime> taken) {
  if (taken && (*taken < kFirstDay || *taken > kLastSecond)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Check(PhotoTakenFromBytes(data, size));
  if (size <= kMostSegmentData) {
    const std::size_t length = size + 2 + 6;
    std::vector<unsigned char> jpeg = {0xFF, 0xD8, 0xFF, 0xE1, static_cast<unsigned char>(length >> 8),
                                       static_cast<unsigned char>(length & 0xFF), 'E', 'x', 'i', 'f', 0, 0};
    jpeg.insert(jpeg.end(), data, data + size);
    Check(PhotoTakenFromBytes(jpeg.data(), jpeg.size()));
  }
  return 0;
}
