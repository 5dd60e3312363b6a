// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A skin package: the inflated content of a stored skin. A version, the main,
// inactive and mask pictures (each may be absent), the active pictures that
// skin indexes address, then the description text up to the end. Reading
// checks every length against the data and fails with EbsSkinPackageError or
// EbsBitmapError; it never reads outside the bytes it was given.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/data/tbsskindescription.h"

class TbsSkinPackage {
 public:
  static constexpr int32_t kVersion = 3;  // written, and the highest read
  // All pictures of one package together, decoded at 4 bytes a pixel.
  static constexpr int64_t kMaxDecodedSize = int64_t(256) << 20;

  int32_t Version = kVersion;
  QImage Picture, InactivePicture, Mask;  // null when the package has none
  std::vector<QImage> ActivePictures;
  std::string DescriptionText;  // as stored: 8-bit, CR LF line ends
  // DescriptionText already read into sections by a reader that had the
  // time (a worker decoding ahead); empty: whoever applies the package reads it.
  std::optional<TbsSkinDescription> Description;

  // Reads a package. A version above 3 stops after the version: the result
  // carries only that version, and the caller refuses it.
  static TbsSkinPackage Read(const uint8_t* data, size_t size);
  // Only the description text of a package, stepping over its pictures
  // without decoding them (what a list of skins needs); empty for a version
  // above 3. Fails like Read on a package too short for its pictures.
  static std::string ReadDescriptionText(const uint8_t* data, size_t size);
  // Writes the package as version 3.
  std::vector<uint8_t> Write() const;
};
