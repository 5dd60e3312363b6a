// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/data/tbsskinpackage.h"

#include "skin/data/ebsskinpackageerror.h"
#include "skin/data/ebsskinpictureerror.h"
#include "skin/data/tbsbitmapfile.h"

namespace {

// Reads forward through the package; every read is checked against the end.
class Cursor {
 public:
  Cursor(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  size_t Left() const { return FSize - FPos; }
  const uint8_t* Here() const { return FData + FPos; }

  void Need(size_t n, const char* what) const {
    if (n > Left()) throw EbsSkinPackageError(std::string("The skin package ends inside ") + what);
  }
  int32_t Int32(const char* what) {
    Need(4, what);
    const uint8_t* p = Here();
    FPos += 4;
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
  }
  uint8_t Byte(const char* what) {
    Need(1, what);
    return FData[FPos++];
  }
  // `name` says which picture it is in an error.
  QImage Picture(const std::string& name) {
    QImage image;
    try {
      const size_t length = TbsBitmapFile::DeclaredLength(Here(), Left());
      image = TbsBitmapFile::Decode(Here(), length);
      FPos += length;
    } catch (const EbsBitmapError& e) {
      throw EbsSkinPictureError("the package's " + name, e.what());
    }
    // Each picture is capped by the reader, but run-length pictures are tiny
    // in the package and huge decoded: the package as a whole is capped too.
    FDecoded += int64_t(image.width()) * image.height() * 4;
    if (FDecoded > TbsSkinPackage::kMaxDecodedSize)
      throw EbsSkinPackageError("The skin package's pictures take more than " +
                                std::to_string(TbsSkinPackage::kMaxDecodedSize >> 20) + " MB decoded; " + name + " (" +
                                std::to_string(image.width()) + " x " + std::to_string(image.height()) +
                                ") passes that");
    return image;
  }
  // A flag byte, 0 when a picture follows.
  QImage OptionalPicture(const char* what, const std::string& name) {
    return Byte(what) == 0 ? Picture(name) : QImage();
  }
  // Steps over a picture by the length its header declares, decoding nothing.
  void SkipPicture(const std::string& name) {
    try {
      FPos += TbsBitmapFile::DeclaredLength(Here(), Left());
    } catch (const EbsBitmapError& e) {
      throw EbsSkinPictureError("the package's " + name, e.what());
    }
  }
  void SkipOptionalPicture(const char* what, const std::string& name) {
    if (Byte(what) == 0) SkipPicture(name);
  }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
  int64_t FDecoded = 0;  // bytes of every picture decoded so far, 4 per pixel
};

void PutInt32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = uint32_t(v);
  out.insert(out.end(), {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)});
}

void PutOptionalPicture(std::vector<uint8_t>& out, const QImage& picture) {
  const bool empty = picture.isNull() || picture.width() == 0 || picture.height() == 0;
  out.push_back(empty ? 1 : 0);
  if (empty) return;
  const std::vector<uint8_t> bmp = TbsBitmapFile::Encode(picture);
  out.insert(out.end(), bmp.begin(), bmp.end());
}

}  // namespace

TbsSkinPackage TbsSkinPackage::Read(const uint8_t* data, size_t size) {
  TbsSkinPackage package;
  Cursor in(data, size);
  package.Version = in.Int32("the version");
  if (package.Version > kVersion) return package;
  package.Picture = in.OptionalPicture("the main picture flag", "main picture");
  package.InactivePicture = in.OptionalPicture("the inactive picture flag", "inactive picture");
  package.Mask = in.OptionalPicture("the mask picture flag", "mask picture");
  if (package.Version == 2) {
    // Two pictures of an older layout that nothing uses any more.
    in.OptionalPicture("an old picture flag", "old picture");
    in.OptionalPicture("an old picture flag", "old picture");
  }
  // A negative count means no active pictures; a count larger than the data
  // fails at the first picture that is not there, so nothing is reserved.
  const int32_t count = in.Int32("the active picture count");
  for (int32_t i = 0; i < count; ++i) {
    if (in.Left() == 0) throw EbsSkinPackageError("The skin package ends before active picture " + std::to_string(i));
    package.ActivePictures.push_back(in.Picture("active picture " + std::to_string(i)));
  }
  package.DescriptionText.assign(reinterpret_cast<const char*>(in.Here()), in.Left());
  return package;
}

std::string TbsSkinPackage::ReadDescriptionText(const uint8_t* data, size_t size) {
  Cursor in(data, size);
  const int32_t version = in.Int32("the version");
  if (version > kVersion) return {};
  const int optional = version == 2 ? 5 : 3;
  for (int i = 0; i < optional; ++i) in.SkipOptionalPicture("a picture flag", "picture " + std::to_string(i));
  const int32_t count = in.Int32("the active picture count");
  for (int32_t i = 0; i < count; ++i) {
    if (in.Left() == 0) throw EbsSkinPackageError("The skin package ends before active picture " + std::to_string(i));
    in.SkipPicture("active picture " + std::to_string(i));
  }
  return std::string(reinterpret_cast<const char*>(in.Here()), in.Left());
}

std::vector<uint8_t> TbsSkinPackage::Write() const {
  std::vector<uint8_t> out;
  PutInt32(out, kVersion);
  PutOptionalPicture(out, Picture);
  PutOptionalPicture(out, InactivePicture);
  PutOptionalPicture(out, Mask);
  PutInt32(out, int32_t(ActivePictures.size()));
  for (const QImage& picture : ActivePictures) {
    const std::vector<uint8_t> bmp = TbsBitmapFile::Encode(picture);
    out.insert(out.end(), bmp.begin(), bmp.end());
  }
  out.insert(out.end(), DescriptionText.begin(), DescriptionText.end());
  return out;
}
