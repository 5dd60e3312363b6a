// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skinpack/skinsource.h"

#include <QFileInfo>

#include "skin/data/tbsskinpackage.h"

bool IsDescriptionFile(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).suffix().compare("ini", Qt::CaseInsensitive) == 0;
}

void LoadStoredSkin(TbsCompressedStoredSkin& stored, const std::string& path) {
  if (IsDescriptionFile(path)) {
    stored.SetFileName(path);  // named in errors about the description's values
    if (!stored.BuildFromDescriptionFile(path))
      throw ToolError(path + ": a skin description needs the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS");
  } else {
    stored.SetCompressedFileName(path);
    stored.ReadCompressedSkinFile(path);
    if (stored.Empty()) throw ToolError(path + ": the compressed skin file's version is above 3");
  }
}

void LoadSkinData(TbsSkinData& data, TbsCompressedStoredSkin& stored, const std::string& path) {
  LoadStoredSkin(stored, path);
  data.SetCompressedStoredSkin(&stored);
  if (!data.HasSkin()) throw ToolError(path + ": the package version is above 3");
}

TbsSkinDescription PackedDescription(const TbsCompressedStoredSkin& stored, const std::string& path) {
  std::vector<uint8_t> bytes;
  stored.InflateInto(bytes);
  const TbsSkinPackage package = TbsSkinPackage::Read(bytes.data(), bytes.size());
  TbsSkinDescription description;
  description.LoadFromText(package.DescriptionText);
  description.SetSourceName(path);
  return description;
}
