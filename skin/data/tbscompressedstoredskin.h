// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holds a skin as one zlib-compressed block in memory, the form in which the
// window's stored layout carries it. The skin data inflates the block into a
// skin package; authoring operations build the block from a skin folder or
// take it from a compressed skin file.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/tcomponent.h"

class TbsCompressedStoredSkin : public TComponent {
 public:
  // A compressed skin file above this version is not taken.
  static constexpr int32_t kFileVersion = 3;
  // Inflation refuses to produce more than this: no skin comes near it.
  static constexpr size_t kMaxPackageSize = size_t(64) << 20;

  explicit TbsCompressedStoredSkin(QObject* owner = nullptr);

  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& value);
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);  // only remembers the text
  const std::string& CompressedFileName() const { return FCompressedFileName; }
  void SetCompressedFileName(const std::string& value);  // only remembers the text

  // The byte-block property of the stored layout, written and read whole.
  const std::vector<uint8_t>& CompressedData() const { return CompressedBuffer; }
  void SetCompressedData(std::vector<uint8_t> value) { CompressedBuffer = std::move(value); }

  bool Empty() const { return CompressedBuffer.empty(); }

  // Inflates the whole block and appends the package to `target`; throws
  // EbsCompressionError "compression error" for a damaged block and
  // EbsSkinPackageError for a package above kMaxPackageSize, leaving
  // `target` as it was.
  void InflateInto(std::vector<uint8_t>& target) const;
  // The same for any block; needs no component, so a worker thread can use it.
  static void Inflate(const std::vector<uint8_t>& block, std::vector<uint8_t>& target);

  // Builds the block from a skin folder's description file and its pictures.
  // Returns false, leaving the old block, when the description lacks one of
  // the five required sections; a missing or bad picture throws.
  bool BuildFromDescriptionFile(const std::string& path);
  // Takes the block from a compressed skin file; a version above 3 leaves the
  // component empty. A file that is unreadable or too short throws.
  void ReadCompressedSkinFile(const std::string& path);
  void WriteCompressedSkinFile(const std::string& path) const;

  // The authoring form of the two file name properties: remember the file
  // name and take the skin from that file.
  bool AssignDescriptionFile(const std::string& path);
  void AssignCompressedFile(const std::string& path);

  std::vector<uint8_t> CompressedBuffer;

 private:
  std::string FDescription;
  std::string FFileName;
  std::string FCompressedFileName;
};
