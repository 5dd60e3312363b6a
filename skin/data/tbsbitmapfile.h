// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Our reader and writer of BMP files, the picture format of skin folders and
// skin packages. The reader is strict: every offset and length is checked
// against the bytes it was given, sizes are capped, and a file it cannot read
// fails with an EbsBitmapError that names the problem. Pictures are written
// as 24-bit bottom-up files, the form every skin editor reads.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TbsBitmapFile {
 public:
  // The largest picture read: far beyond any skin, small enough to allocate.
  static constexpr int kMaxDimension = 32768;
  static constexpr int64_t kMaxPixels = int64_t(1) << 24;

  // The total length a BMP file header at `data` declares, after checking the
  // signature and that the length is plausible and lies within `size`.
  static size_t DeclaredLength(const uint8_t* data, size_t size);
  // Decodes the BMP file that starts at `data` and occupies its declared
  // length (at most `size` bytes) into an opaque 32-bit image.
  static QImage Decode(const uint8_t* data, size_t size);
  static std::vector<uint8_t> Encode(const QImage& image);

  static QImage LoadFromFile(const std::string& path);
  static void SaveToFile(const std::string& path, const QImage& image);
};
