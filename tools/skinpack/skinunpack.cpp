// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skinpack/skinunpack.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <set>

#include "framework/sysutils.h"
#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinpackage.h"
#include "skin/data/tbsskinsectionfiler.h"
#include "tools/skinpack/skinsource.h"

namespace {

constexpr const char* kDescriptionName = "skin.ini";

std::string Folded(const std::string& name) { return QString::fromStdString(name).toLower().toStdString(); }

void RefuseOutside(const std::string& name) {
  const QString n = QString::fromStdString(name);
  if (n.isEmpty() || QDir::isAbsolutePath(n) || n.split('/').contains(".."))
    throw ToolError("picture name \"" + name + "\" leads outside the folder; nothing was unpacked");
}

// "a.bmp" -> "a-2.bmp", "dir/a" -> "dir/a-2".
std::string Numbered(const std::string& name, int n) {
  const size_t slash = name.find_last_of('/');
  const size_t dot = name.find_last_of('.');
  const size_t cut = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? name.size() : dot;
  return name.substr(0, cut) + "-" + IntToStr(n) + name.substr(cut);
}

// Replaces the value of `key` in every [PICTURES] section of the text, line
// by line, so every other byte of the description stays as it was.
std::string RenameInDescription(const std::string& text, const std::string& key, const std::string& value) {
  std::string out;
  bool inPictures = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    const std::string trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      inPictures = Folded(Trim(trimmed.substr(1, trimmed.size() - 2))) == "pictures";
    } else if (inPictures) {
      const size_t eq = line.find('=');
      if (eq != std::string::npos && Folded(Trim(line.substr(0, eq))) == Folded(key))
        line = line.substr(0, eq + 1) + value;
    }
    out += line;
    size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    out += text.substr(end, next - end);
    start = next;
  }
  return out;
}

}  // namespace

std::vector<std::string> PlanPictureFileNames(const std::vector<std::string>& names, const std::vector<int>& sameAs) {
  for (const std::string& name : names) RefuseOutside(name);
  std::set<std::string> taken = {kDescriptionName};
  std::vector<std::string> planned;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (i < sameAs.size() && sameAs[i] >= 0) {
      planned.push_back(planned[size_t(sameAs[i])]);
      continue;
    }
    std::string chosen = name;
    for (int n = 2; taken.count(Folded(chosen)); ++n) chosen = Numbered(name, n);
    taken.insert(Folded(chosen));
    planned.push_back(chosen);
  }
  return planned;
}

int UnpackSkin(const std::string& file, const std::string& folderPath) {
  TbsCompressedStoredSkin stored;
  LoadStoredSkin(stored, file);
  std::vector<uint8_t> bytes;
  stored.InflateInto(bytes);
  const TbsSkinPackage package = TbsSkinPackage::Read(bytes.data(), bytes.size());
  if (package.Version > TbsSkinPackage::kVersion)
    throw ToolError(file + ": the package version " + IntToStr(package.Version) + " is above 3");

  TbsSkinDescription description;
  description.LoadFromText(package.DescriptionText);
  auto pictures = TbsSkinSectionFiler::Reader(description, "PICTURES");
  std::string mainNames[3];
  const char* mainKeys[3] = {"picture", "inactivepicture", "mask"};
  for (int i = 0; i < 3; ++i) pictures.Text(mainKeys[i], mainNames[i], "");
  std::vector<std::string> activeNames;
  pictures.List("activepictures", activeNames);
  if (activeNames.size() != package.ActivePictures.size())
    throw ToolError(file + ": the package holds " + IntToStr(int64_t(package.ActivePictures.size())) +
                    " active pictures but [PICTURES] names " + IntToStr(int64_t(activeNames.size())));

  // Every picture the package holds, with the key that names it.
  struct Item {
    std::string Key, Name;
    const QImage* Image;
  };
  std::vector<Item> items;
  const QImage* mains[3] = {&package.Picture, &package.InactivePicture, &package.Mask};
  for (int i = 0; i < 3; ++i) {
    if (mains[i]->isNull()) continue;
    if (mainNames[i].empty()) throw ToolError(file + ": the package holds a picture that [PICTURES] does not name");
    items.push_back({mainKeys[i], mainNames[i], mains[i]});
  }
  for (size_t i = 0; i < activeNames.size(); ++i)
    items.push_back({IntToStr(int64_t(i)), activeNames[i], &package.ActivePictures[i]});

  std::vector<std::string> names;
  std::vector<int> sameAs;
  for (const Item& item : items) {
    // A name listed twice for the same picture is one file, as the author meant.
    int same = -1;
    for (size_t k = 0; k < names.size() && same < 0; ++k)
      if (names[k] == item.Name && sameAs[k] < 0 && *items[k].Image == *item.Image) same = int(k);
    names.push_back(item.Name);
    sameAs.push_back(same);
  }
  const std::vector<std::string> planned = PlanPictureFileNames(names, sameAs);  // may refuse: nothing written yet
  std::string text = package.DescriptionText;
  for (size_t i = 0; i < items.size(); ++i)
    if (planned[i] != items[i].Name) text = RenameInDescription(text, items[i].Key, planned[i]);

  const QDir folder(QString::fromStdString(folderPath));
  if (!QDir().mkpath(folder.absolutePath())) throw ToolError(folderPath + ": cannot create the folder");
  for (size_t i = 0; i < items.size(); ++i) {
    if (sameAs[i] >= 0) continue;
    const QString path = folder.filePath(QString::fromStdString(planned[i]));
    QDir().mkpath(QFileInfo(path).absolutePath());
    TbsBitmapFile::SaveToFile(path.toStdString(), *items[i].Image);
  }
  // The description as packed (renamed pictures aside), so packing the
  // folder again gives the same package.
  QSaveFile ini(folder.filePath(kDescriptionName));
  if (!ini.open(QIODevice::WriteOnly) || ini.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
      !ini.commit())
    throw ToolError(folderPath + ": cannot write skin.ini");
  return 0;
}
