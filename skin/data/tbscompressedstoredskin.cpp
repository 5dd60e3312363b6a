// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbscompressedstoredskin.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "skin/data/ebscompressionerror.h"
#include "skin/data/ebsskinpackageerror.h"
#include "skin/data/skininputfile.h"
#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinpackage.h"
#include "skin/data/tbsskinsectionfiler.h"

namespace {

constexpr size_t kInflateStep = size_t(64) << 10;        // output written per inflate call
constexpr size_t kInflateGuessRatio = 64;                  // a skin's package against its block, about
constexpr size_t kInflateGuessFloor = size_t(1) << 20;     // room reserved for even a small block
constexpr int kCompressionLevel = 9;   // best compression: the block starts 0x78 0xDA

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryWithDelimiter(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  const std::string problem = ReadSkinInputFile(path, bytes);
  if (!problem.empty()) throw EbsSkinPackageError(problem);
  return bytes;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& package) {
  uLongf size = compressBound(uLong(package.size()));
  std::vector<uint8_t> block(size);
  if (compress2(block.data(), &size, package.data(), uLong(package.size()), kCompressionLevel) != Z_OK)
    throw EbsCompressionError("error");
  block.resize(size);
  return block;
}

int32_t ReadInt32(const std::vector<uint8_t>& bytes, size_t at) {
  return int32_t(uint32_t(bytes[at]) | (uint32_t(bytes[at + 1]) << 8) | (uint32_t(bytes[at + 2]) << 16) |
                 (uint32_t(bytes[at + 3]) << 24));
}

}  // namespace

TbsCompressedStoredSkin::TbsCompressedStoredSkin(QObject* owner) : TComponent(owner) {}

void TbsCompressedStoredSkin::SetDescription(const std::string& value) {
  if (FDescription == value) return;
  FDescription = value;
}

void TbsCompressedStoredSkin::SetFileName(const std::string& value) {
  if (FFileName == value) return;
  FFileName = value;
}

void TbsCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
  if (FCompressedFileName == value) return;
  FCompressedFileName = value;
}

void TbsCompressedStoredSkin::InflateInto(std::vector<uint8_t>& target) const { Inflate(CompressedBuffer, target); }

void TbsCompressedStoredSkin::Inflate(const std::vector<uint8_t>& block, std::vector<uint8_t>& target) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw EbsCompressionError("compression error");
  z.next_in = const_cast<Bytef*>(block.data());
  z.avail_in = uInt(block.size());
  const size_t start = target.size();
  // Skin pictures are large flat areas that deflate very well. Room for a
  // generous guess up front lets zlib write the package once instead of
  // copying it through every doubling; room never written costs no memory.
  const size_t guess = std::min(kMaxPackageSize, std::max(kInflateGuessFloor, block.size() * kInflateGuessRatio));
  target.reserve(start + guess);
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    // One byte past the limit is enough to know a package is too large.
    const size_t produced = target.size() - start;
    const size_t step = std::min(kInflateStep, kMaxPackageSize + 1 - produced);
    target.resize(target.size() + step);
    z.next_out = target.data() + start + produced;
    z.avail_out = uInt(step);
    result = inflate(&z, Z_NO_FLUSH);
    target.resize(target.size() - z.avail_out);
    // Z_BUF_ERROR with input left cannot happen with an empty output step, so
    // here it means the block ended early: damaged, like any other error.
    if (result != Z_OK && result != Z_STREAM_END) {
      inflateEnd(&z);
      target.resize(start);
      throw EbsCompressionError("compression error");
    }
    if (target.size() - start > kMaxPackageSize) {
      inflateEnd(&z);
      target.resize(start);
      throw EbsSkinPackageError("The skin package is larger than " + std::to_string(kMaxPackageSize >> 20) + " MB");
    }
  }
  inflateEnd(&z);
}

bool TbsCompressedStoredSkin::BuildFromDescriptionFile(const std::string& path) {
  const std::vector<uint8_t> file = ReadWholeFile(path);
  const std::vector<std::string> lines =
      TbsSkinDescription::SplitLines(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  TbsSkinDescription description;
  description.LoadFromLines(lines);
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"})
    if (!description.SectionExists(section)) return false;

  const std::string folder = DirectoryWithDelimiter(path);
  TbsSkinPackage package;
  auto pictures = TbsSkinSectionFiler::Reader(description, "PICTURES");
  auto load = [&](const char* key, QImage& into) {
    std::string name;
    pictures.Text(key, name, "");
    if (!name.empty()) into = TbsBitmapFile::LoadFromFile(folder + name);
  };
  load("picture", package.Picture);
  load("inactivepicture", package.InactivePicture);
  load("mask", package.Mask);
  std::vector<std::string> activeNames;
  pictures.List("activepictures", activeNames);
  for (const std::string& name : activeNames) package.ActivePictures.push_back(TbsBitmapFile::LoadFromFile(folder + name));
  // The lines as the file has them, not the parsed form, so comments survive.
  for (const std::string& line : lines) package.DescriptionText += line + "\r\n";

  CompressedBuffer = Deflate(package.Write());
  return true;
}

void TbsCompressedStoredSkin::ReadCompressedSkinFile(const std::string& path) {
  CompressedBuffer.clear();
  const std::vector<uint8_t> file = ReadWholeFile(path);
  if (file.size() < 4) throw EbsSkinPackageError("The compressed skin file \"" + path + "\" has no version");
  if (ReadInt32(file, 0) > kFileVersion) return;
  if (file.size() < 8) throw EbsSkinPackageError("The compressed skin file \"" + path + "\" has no length");
  const int32_t length = ReadInt32(file, 4);
  if (length < 0 || size_t(length) > file.size() - 8)
    throw EbsSkinPackageError("The compressed skin file \"" + path + "\" is shorter than its length says");
  CompressedBuffer.assign(file.begin() + 8, file.begin() + 8 + length);
}

void TbsCompressedStoredSkin::WriteCompressedSkinFile(const std::string& path) const {
  std::vector<uint8_t> out;
  for (int32_t v : {kFileVersion, int32_t(CompressedBuffer.size())})
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(uint32_t(v) >> 24)});
  out.insert(out.end(), CompressedBuffer.begin(), CompressedBuffer.end());
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  if (!file) throw EbsSkinPackageError("Cannot write file \"" + path + "\"");
}

bool TbsCompressedStoredSkin::AssignDescriptionFile(const std::string& path) {
  SetFileName(BaseName(path));
  return BuildFromDescriptionFile(path);
}

void TbsCompressedStoredSkin::AssignCompressedFile(const std::string& path) {
  SetCompressedFileName(BaseName(path));
  ReadCompressedSkinFile(path);
}
