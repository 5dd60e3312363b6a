// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tskinfileloader.h"

#include <QFile>
#include <QFileInfo>
#include <exception>
#include <vector>

#include "skin/data/ebsbitmaperror.h"
#include "skin/data/ebscompressionerror.h"
#include "skin/data/ebsskinpackageerror.h"
#include "skin/data/ebsskinvalueerror.h"
#include "skin/data/tbsskinpackage.h"

TSkinFileLoader::~TSkinFileLoader() {
  // The skin data must not go on drawing from a stored skin that goes now.
  if (FLoaded && FData.CompressedStoredSkin() == FLoaded.get()) FData.SetCompressedStoredSkin(nullptr);
}

namespace {

// Beyond this a version field is no version: text or another format.
constexpr int32_t kPlausibleVersions = 256;

int32_t FileVersion(const std::string& path) {
  QFile file(QString::fromStdString(path));
  uint8_t b[4] = {};
  if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char*>(b), 4) != 4) return 0;
  return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

// Everything that can be found wrong without touching the skin in use.
std::string CheckFile(const std::string& path, TbsCompressedStoredSkin& skin) {
  const QFileInfo info(QString::fromStdString(path));
  if (!info.exists()) return "文件不存在";
  if (info.isDir()) return "这是一个文件夹，不是皮肤文件";
  if (!info.isFile()) return "这不是普通文件";
  if (!info.isReadable()) return "文件无法读取";
  if (info.size() > TSkinFileLoader::kMaxFileSize) return "文件太大，不是皮肤文件";
  skin.ReadCompressedSkinFile(path);
  if (skin.Empty()) return FileVersion(path) < kPlausibleVersions ? "皮肤文件的版本太新，无法载入" : "这不是皮肤文件";
  std::vector<uint8_t> package;
  skin.InflateInto(package);
  if (TbsSkinPackage::Read(package.data(), package.size()).Version > TbsSkinPackage::kVersion)
    return "皮肤文件的版本太新，无法载入";
  return {};
}

// The window says what went wrong in its own language; the reader's exact
// words follow in brackets for whoever made the skin.
std::string Problem(const std::exception& error) {
  const std::string detail = std::string("（") + error.what() + "）";
  if (dynamic_cast<const EbsCompressionError*>(&error)) return "皮肤文件已损坏，压缩的数据无法解开";
  if (auto* value = dynamic_cast<const EbsSkinValueError*>(&error)) return "皮肤描述中有错误的值（" + value->Located() + "）";
  if (dynamic_cast<const EbsBitmapError*>(&error)) return "皮肤中的图片已损坏" + detail;
  if (dynamic_cast<const EbsSkinPackageError*>(&error)) return "皮肤文件已损坏" + detail;
  return "皮肤文件无法载入" + detail;
}

}  // namespace

std::string TSkinFileLoader::Load(const std::string& path) {
  auto skin = std::make_unique<TbsCompressedStoredSkin>();
  skin->SetCompressedFileName(path);  // names the file in an error about a value
  std::string problem;
  try {
    problem = CheckFile(path, *skin);
  } catch (const std::exception& e) {
    problem = Problem(e);
  }
  if (!problem.empty()) return problem;

  TbsCompressedStoredSkin* previous = FData.CompressedStoredSkin();
  try {
    FData.SetCompressedStoredSkin(skin.get());
    if (!FData.HasSkin()) problem = "皮肤文件无法载入";
  } catch (const std::exception& e) {
    problem = Problem(e);
  }
  if (!problem.empty()) {
    // Reload what was drawn before: the failed load has cleared it.
    FData.SetCompressedStoredSkin(nullptr);
    FData.SetCompressedStoredSkin(previous);
    return problem;
  }
  FLoaded = std::move(skin);
  if (OnSkinTaken) OnSkinTaken(true);
  return {};
}

void TSkinFileLoader::UseStored(TbsCompressedStoredSkin* stored) {
  FData.SetCompressedStoredSkin(stored);
  FLoaded.reset();
  if (OnSkinTaken) OnSkinTaken(false);
}

std::string TSkinFileLoader::LoadedFile() const {
  return FLoaded && FData.CompressedStoredSkin() == FLoaded.get() ? FLoaded->CompressedFileName() : std::string();
}
