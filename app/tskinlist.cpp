// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tskinlist.h"

#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinpackage.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

constexpr const char* kSkinSuffix = ".skn";
constexpr const char* kSkinSubfolder = "/batch-renamer/skins";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool EndsWithSkinSuffix(const std::string& name) {
  const std::string suffix = kSkinSuffix;
  if (name.size() <= suffix.size()) return false;
  return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

std::vector<std::string> SkinFolders() {
  std::vector<std::string> folders;
  std::string dataHome = Env("XDG_DATA_HOME");
  // Relative values are to be ignored, as the base directory rules say.
  if (dataHome.empty() || dataHome[0] != '/') dataHome = Env("HOME") + "/.local/share";
  folders.push_back(dataHome + kSkinSubfolder);
  std::string dataDirs = Env("XDG_DATA_DIRS");
  if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
  size_t start = 0;
  while (start <= dataDirs.size()) {
    const size_t end = std::min(dataDirs.find(':', start), dataDirs.size());
    const std::string dir = dataDirs.substr(start, end - start);
    if (!dir.empty() && dir[0] == '/') folders.push_back(dir + kSkinSubfolder);
    start = end + 1;
  }
  return folders;
}

std::vector<TSkinEntry> ScanSkinFolders(const std::vector<std::string>& folders, const TSkinScanLimits& limits) {
  QElapsedTimer clock;
  clock.start();
  std::vector<TSkinEntry> found;
  std::set<std::string> names;
  for (const std::string& folder : folders) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) continue;
    int looked = 0;
    while (const dirent* entry = readdir(dir)) {
      if (++looked > limits.MaxDirEntries || int(found.size()) >= limits.MaxEntries ||
          clock.elapsed() > limits.MaxMilliseconds)
        break;
      const std::string fileName = entry->d_name;
      if (fileName[0] == '.' || !EndsWithSkinSuffix(fileName)) continue;
      const std::string path = folder + "/" + fileName;
      struct stat info;
      // stat follows links: a dangling link or a loop of links fails here.
      if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || access(path.c_str(), R_OK) != 0) continue;
      const std::string name = fileName.substr(0, fileName.size() - std::string(kSkinSuffix).size());
      if (!names.insert(name).second) continue;  // the earlier folder's package wins
      found.push_back({name, path, name});
    }
    closedir(dir);
  }
  std::sort(found.begin(), found.end(), [](const TSkinEntry& a, const TSkinEntry& b) { return a.Name < b.Name; });
  return found;
}

namespace {

// The package a compressed skin file holds, inflated; empty when it cannot be read.
std::vector<uint8_t> PackageOf(const std::string& path) {
  try {
    TbsCompressedStoredSkin stored;
    stored.ReadCompressedSkinFile(path);
    std::vector<uint8_t> package;
    if (!stored.Empty()) stored.InflateInto(package);
    return package;
  } catch (const std::exception&) {
    return {};
  }
}

std::string SkinNameOf(const std::vector<uint8_t>& package) {
  try {
    TbsSkinDescription description;
    description.LoadFromText(TbsSkinPackage::ReadDescriptionText(package.data(), package.size()));
    const std::string* name = description.Find("VERSION", "skinname");
    return name ? *name : std::string();
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

std::vector<TSkinEntry> DescribeSkins(std::vector<TSkinEntry> packages, const std::vector<uint8_t>& embeddedBlock,
                                      int maxMilliseconds) {
  QElapsedTimer clock;
  clock.start();
  std::vector<uint8_t> embedded;
  try {
    TbsCompressedStoredSkin::Inflate(embeddedBlock, embedded);
  } catch (const std::exception&) {
    embedded.clear();
  }
  std::vector<TSkinEntry> described;
  for (TSkinEntry& entry : packages) {
    struct stat info;
    if (clock.elapsed() <= maxMilliseconds && stat(entry.Path.c_str(), &info) == 0 && info.st_size <= kMaxDescribedBytes) {
      const std::vector<uint8_t> package = PackageOf(entry.Path);
      if (!package.empty() && package == embedded) continue;
      if (std::string name = SkinNameOf(package); !name.empty()) entry.Caption = std::move(name);
    }
    described.push_back(std::move(entry));
  }
  return described;
}
