// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shellnamespace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/mounttable.h"
#include "platform/movefile.h"
#include "platform/naturalorder.h"
#include "platform/readintime.h"
#include "platform/userdirs.h"

const char* const kDesktopDisplayName = "桌面";
const char* const kHomeDisplayName = "主文件夹";
const char* const kComputerDisplayName = "计算机";
const char* const kTrashDisplayName = "回收站";

namespace {
// Tags begin with a NUL byte, so no file name can be mistaken for one.
const std::string kHomeTag("\0home", 5);
const std::string kComputerTag("\0computer", 9);
const std::string kTrashTag("\0trash", 6);

// The kernel's directory entry as getdents64 returns it.
struct TLinuxDirent64 {
  std::uint64_t d_ino;
  std::int64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
  char d_name[1];
};

bool IsTag(const std::string& data) { return !data.empty() && data[0] == '\0'; }

// A name a folder can hold: not empty, no "/" or NUL, not "." or "..".
bool IsEntryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// A path that does not answer in time is no folder.
bool IsDirectory(const std::string& path) {
  return AnswerInTime<bool>(path, [path] {
           struct stat st {};
           return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
         }).value_or(false);
}

// The place of `data` inside `parent`.
TShellPlace Child(const TShellPlace& parent, const std::string& data) {
  TShellPlace place;
  place.Name = data;
  switch (parent.Kind) {
    case TShellPlaceKind::Desktop:
      if (data == kHomeTag) return {TShellPlaceKind::Home, HomeDirectory(), data};
      if (data == kComputerTag) return {TShellPlaceKind::Computer, "", data};
      if (data == kTrashTag) return {TShellPlaceKind::Trash, "", data};
      break;
    case TShellPlaceKind::Computer:
      if (!data.empty() && data[0] == '/' && data.find('\0') == std::string::npos)
        return {TShellPlaceKind::Volume, data, data};
      return place;
    default:
      break;
  }
  if (parent.Kind == TShellPlaceKind::Trash || parent.Virtual() || !IsEntryName(data)) return place;
  return {TShellPlaceKind::Entry, Join(parent.Path, data), data};
}

int KindRank(std::string_view data) {
  if (data == kHomeTag) return 0;
  if (data == kComputerTag) return 1;
  if (data == kTrashTag) return 2;
  if (!data.empty() && data[0] == '/') return 3;  // "/" and the volumes under the computer
  return 4;
}

// Whether the directory open at `fd` (the folder `folder`, or its entry
// `child` when one is given) holds a visible folder (or, with
// `includeHidden`, any); closes `fd`. Reads the entries
// straight into a small buffer: a directory stream would allocate its own
// large one for each of thousands of folders. Links are looked at only when
// no plain folder is found, and one that leads onto a mount that may not
// answer counts as a folder without a look, as such a mount point does.
bool HasSubFolderAt(int fd, const std::string& folder, const char* child = nullptr, bool includeHidden = false) {
  alignas(8) char buffer[4096];
  bool found = false;
  std::vector<std::string> links;
  for (;;) {
    const long n = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
    if (n <= 0) break;
    for (long at = 0; at < n && !found;) {
      const auto* e = reinterpret_cast<const TLinuxDirent64*>(buffer + at);
      at += e->d_reclen;
      const char* name = e->d_name;
      if (name[0] == '.' && (!includeHidden || name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      if (e->d_type == DT_DIR) {
        found = true;
      } else if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
        links.emplace_back(name);
      }
    }
    if (found) break;
  }
  // Its path is spelt out only when a link needs it: thousands of folders are looked into.
  const std::string path = links.empty() ? std::string() : child ? Join(folder, child) : folder;
  for (std::size_t i = 0; i < links.size() && !found; ++i) {
    struct stat st {};
    if (fstatat(fd, links[i].c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISLNK(st.st_mode)) {
      found = MountThatMayNotAnswerOn(Join(path, links[i])).has_value() ||
              (fstatat(fd, links[i].c_str(), &st, 0) == 0 && S_ISDIR(st.st_mode));
    } else {
      found = S_ISDIR(st.st_mode);
    }
  }
  close(fd);
  return found;
}

// Whether `folder` holds a visible subfolder (or, with `includeHidden`, any), read here and now.
bool SubFoldersIn(const std::string& folder, bool includeHidden) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd >= 0 && HasSubFolderAt(fd, folder, nullptr, includeHidden);
}

// A folder's listing as it is made and taken. It is published in steps, so a
// listing that hangs on one entry (a link into a mount that no longer
// answers) still shows the rest.
struct TFolderListing {
  std::mutex Lock;
  bool Opened = false;  // the folder was read: Names holds every plain entry
  bool Taken = false;   // the waiter has taken what there is; the rest is not wanted
  std::vector<std::string> Names;
  std::unordered_map<std::string, bool> Hints;
};

// Adds one entry that needed a look of its own, unless the listing was taken.
bool Publish(TFolderListing& listing, const std::string& name, bool isDir, bool hints, bool sub) {
  std::lock_guard<std::mutex> guard(listing.Lock);
  if (listing.Taken) return false;
  listing.Names.push_back(name);
  if (hints && isDir) listing.Hints[name] = sub;
  return true;
}

bool Wanted(bool isDir, unsigned flags) { return isDir ? (flags & kShcontfFolders) : (flags & kShcontfNonFolders); }

// Whether the entry `name` of `folder` (open at `folderFd`) holds a visible subfolder.
bool LookInto(int folderFd, const std::string& folder, const std::string& name) {
  const int child = openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return child >= 0 && HasSubFolderAt(child, folder, name.c_str());
}

// Lists `folder` into `listing`: first the entries whose kind the directory
// tells (with `hints`, each folder looked into for a visible subfolder),
// then the links and the entries of unknown kind, one by one. A mount point
// of a file system that may not answer is never looked into: it keeps its
// expand button, made exact when it is expanded. Read on the caller's
// thread, the links that lead onto such a mount are read through a deadline
// of their own.
void ListFolder(const std::string& folder, unsigned flags, bool hints, const std::shared_ptr<TFolderListing>& listing,
                TReadProgress& progress) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const int fd = dirfd(dir);
  std::vector<std::string> names, later;
  std::unordered_map<std::string, bool> found;
  const std::vector<std::string> remote = hints ? MountNamesThatMayNotAnswerIn(folder) : std::vector<std::string>();
  while (const dirent* e = readdir(dir)) {
    progress.Step();
    const char* n = e->d_name;
    if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
    if (n[0] == '.' && !(flags & kShcontfIncludeHidden)) continue;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      later.emplace_back(n);
      continue;
    }
    const bool isDir = e->d_type == DT_DIR;
    if (!Wanted(isDir, flags)) continue;
    names.emplace_back(n);
    if (hints && isDir)
      found[names.back()] = std::find(remote.begin(), remote.end(), names.back()) != remote.end() ||
                            LookInto(fd, folder, names.back());
  }
  {
    std::lock_guard<std::mutex> guard(listing->Lock);
    listing->Names = std::move(names);
    listing->Hints = std::move(found);
    listing->Opened = true;
  }
  std::vector<std::string> farLinks;
  for (const std::string& name : later) {
    const std::string path = Join(folder, name);
    if (IsUnanswering(path)) continue;  // it kept an earlier listing waiting: not again
    progress.Step();
    struct stat st {};
    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISLNK(st.st_mode)) {
      if (progress.Direct() && MountThatMayNotAnswerOn(path)) {
        farLinks.push_back(name);
        continue;
      }
      progress.Touch(path);
      if (fstatat(fd, name.c_str(), &st, 0) != 0) st.st_mode = 0;  // dangling: no folder
    }
    const bool isDir = S_ISDIR(st.st_mode);
    if (!Wanted(isDir, flags)) continue;
    if (!Publish(*listing, name, isDir, hints, hints && isDir && LookInto(fd, folder, name))) break;
  }
  progress.Touch("");
  closedir(dir);
  for (const std::string& name : farLinks) {
    const std::string path = Join(folder, name);
    ReadInTime(path, [path, name, flags, hints, listing](TReadProgress& far) {
      far.Touch(path);
      struct stat st {};
      const bool isDir = stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      if (Wanted(isDir, flags)) Publish(*listing, name, isDir, hints, hints && isDir && SubFoldersIn(path, false));
    });
  }
}

// Directory entries of `folder` by kind; `flags` tells which are kept. With
// `hints`, each folder kept is looked into for a visible subfolder. Waits
// for the listing until the read deadline: false when the folder could not
// be read or did not answer; what the listing had when it was given up
// otherwise.
bool ReadFolder(const std::string& folder, unsigned flags, std::vector<std::string>& names,
                std::unordered_map<std::string, bool>* hints = nullptr) {
  const TReadDeadline deadline;  // the folder and the links it holds wait together
  auto listing = std::make_shared<TFolderListing>();
  const bool wantHints = hints != nullptr;
  ReadInTime(folder, [folder, flags, wantHints, listing](TReadProgress& progress) {
    ListFolder(folder, flags, wantHints, listing, progress);
  });
  std::lock_guard<std::mutex> guard(listing->Lock);
  listing->Taken = true;
  if (!listing->Opened) return false;
  if (names.empty()) {
    names = std::move(listing->Names);
  } else {
    names.insert(names.end(), listing->Names.begin(), listing->Names.end());
  }
  if (hints) *hints = std::move(listing->Hints);
  return true;
}

bool Under(const std::string& path, const std::string& tree) {
  return path == tree || path.rfind(tree + "/", 0) == 0;
}
}  // namespace

std::string HomeItemData() { return kHomeTag; }
std::string ComputerItemData() { return kComputerTag; }
std::string TrashItemData() { return kTrashTag; }

TShellPlace LocateIdList(const TIdList& full) {
  TShellPlace place{TShellPlaceKind::Desktop, DesktopDirectory(), ""};
  if (!full.empty() && !IsValidIdList(full)) return {};
  for (const std::string& data : IdListItems(full)) {
    place = Child(place, data);
    if (place.Kind == TShellPlaceKind::Invalid) break;
  }
  return place;
}

TShellPlace TShellFolderInterface::PlaceOf(const TIdList& relative) const {
  // One item below this folder: no walk from the desktop.
  if (IsValidIdList(relative) && IdListItemCount(relative) == 1) return Child(FPlace, IdListItems(relative)[0]);
  if (IsValidIdList(relative) && IdListItemCount(relative) == 0) return FPlace;
  return LocateIdList(JoinIdLists(&FFullIdList, relative));
}

TShellFolderInterface::TShellFolderInterface(TIdList full, TShellPlace place)
    : FFullIdList(std::move(full)), FPlace(std::move(place)) {}

std::shared_ptr<TShellFolderInterface> TShellFolderInterface::Desktop() {
  return ForIdList(AllocIdList(2));
}

std::shared_ptr<TShellFolderInterface> TShellFolderInterface::ForIdList(const TIdList& full) {
  TShellPlace place = LocateIdList(full);
  if (place.Kind == TShellPlaceKind::Invalid) return nullptr;
  if (place.Kind == TShellPlaceKind::Entry && !IsDirectory(place.Path)) return nullptr;
  return std::shared_ptr<TShellFolderInterface>(
      new TShellFolderInterface(full.empty() ? AllocIdList(2) : full, std::move(place)));
}

bool TShellFolderInterface::EnumObjects(unsigned flags, std::vector<TIdList>& items) const {
  items.clear();
  std::vector<std::string> data;
  switch (FPlace.Kind) {
    case TShellPlaceKind::Desktop:
      if (flags & kShcontfFolders) data = {kHomeTag, kComputerTag, kTrashTag};
      // A virtual desktop has no folder of its own to list.
      if (!FPlace.Virtual()) ReadFolder(FPlace.Path, flags, data, &FSubFolderHints);
      break;
    case TShellPlaceKind::Computer:
      if (flags & kShcontfFolders) {
        data.push_back("/");
        for (const TShellVolume& v : MountedVolumes()) data.push_back(v.MountPoint);
      }
      break;
    case TShellPlaceKind::Trash:
      break;
    case TShellPlaceKind::Home:
    case TShellPlaceKind::Volume:
    case TShellPlaceKind::Entry:
      if (!ReadFolder(FPlace.Path, flags, data, &FSubFolderHints)) return false;
      break;
    case TShellPlaceKind::Invalid:
      return false;
  }
  items.reserve(data.size());
  for (const std::string& d : data) items.push_back(MakeIdItem(d));
  return true;
}

std::string TShellFolderInterface::GetDisplayNameOf(const TIdList& relative, unsigned flags) const {
  const TShellPlace place = PlaceOf(relative);
  if (flags & kShgdnForParsing) {
    if (!place.Virtual()) return place.Path;
    switch (place.Kind) {
      case TShellPlaceKind::Desktop: return "::{desktop}";
      case TShellPlaceKind::Computer: return "::{computer}";
      case TShellPlaceKind::Trash: return "::{trash}";
      default: return std::string();
    }
  }
  switch (place.Kind) {
    case TShellPlaceKind::Desktop: return kDesktopDisplayName;
    case TShellPlaceKind::Home: return kHomeDisplayName;
    case TShellPlaceKind::Computer: return kComputerDisplayName;
    case TShellPlaceKind::Trash: return kTrashDisplayName;
    case TShellPlaceKind::Volume: {
      if (place.Path == "/") return "/";
      return place.Path.substr(place.Path.rfind('/') + 1);
    }
    case TShellPlaceKind::Entry: return place.Name;
    case TShellPlaceKind::Invalid: return std::string();
  }
  return std::string();
}

std::uint32_t TShellFolderInterface::GetAttributesOf(const TIdList& relative, std::uint32_t mask) const {
  const TShellPlace place = PlaceOf(relative);
  std::uint32_t a = 0;
  switch (place.Kind) {
    case TShellPlaceKind::Invalid:
      return 0;
    case TShellPlaceKind::Computer:
      a = kSfgaoFolder | kSfgaoFileSysAncestor | kSfgaoHasSubFolder;
      break;
    case TShellPlaceKind::Trash:
      a = kSfgaoFolder | kSfgaoDropTarget;
      break;
    case TShellPlaceKind::Desktop:
      a = kSfgaoFolder | kSfgaoFileSysAncestor | kSfgaoHasSubFolder;
      if (!place.Virtual()) a |= kSfgaoFileSystem | kSfgaoDropTarget;
      break;
    default: {
      // Only the fast questions unless asked: HasSubFolder reads the folder.
      if (mask == kSfgaoHasSubFolder) {
        if (place.Kind == TShellPlaceKind::Entry && IdListItemCount(relative) == 1)
          if (const auto hint = FSubFolderHints.find(place.Name); hint != FSubFolderHints.end()) {
            if (hint->second) a |= kSfgaoHasSubFolder;
            FSubFolderHints.erase(hint);
            break;
          }
        if (FolderHasSubFolders(place.Path)) a |= kSfgaoHasSubFolder;
        break;
      }
      bool removable = false;
      if (place.Kind == TShellPlaceKind::Volume && (mask & kSfgaoRemovable))
        for (const TShellVolume& v : MountedVolumes())
          if (v.MountPoint == place.Path && v.Removable) removable = true;
      const std::string path = place.Path;
      // What the disk says, and whether the item is there at all.
      const auto disk = AnswerInTime<std::pair<std::uint32_t, bool>>(path, [path, mask] {
        std::uint32_t b = 0;
        struct stat st {}, lst {};
        if (stat(path.c_str(), &st) != 0) {
          // A dangling link or an entry that just went: only what its name says.
          if (lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) b |= kSfgaoLink;
          return std::make_pair(b, false);
        }
        const bool dir = S_ISDIR(st.st_mode);
        b |= kSfgaoFileSystem | kSfgaoHasPropSheet;
        if (dir) b |= kSfgaoFolder | kSfgaoFileSysAncestor;
        if (mask & (kSfgaoReadOnly | kSfgaoDropTarget)) {
          const bool writable = access(path.c_str(), W_OK) == 0;
          if (dir && writable) b |= kSfgaoDropTarget;
          if (!writable) b |= kSfgaoReadOnly;
        }
        if ((mask & kSfgaoLink) && lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) b |= kSfgaoLink;
        if (dir && (mask & kSfgaoHasSubFolder) &&
            (IsMountPointThatMayNotAnswer(path) || SubFoldersIn(path, false)))
          b |= kSfgaoHasSubFolder;
        return std::make_pair(b, true);
      });
      if (!disk) {
        // No answer in time: the folder it was listed as, and nothing that
        // would act on it (no rename, no delete) until it answers again.
        a = kSfgaoFolder | kSfgaoFileSysAncestor;
        break;
      }
      a = disk->first;
      if (!disk->second) break;
      if (place.Kind == TShellPlaceKind::Entry) {
        a |= kSfgaoCanCopy | kSfgaoCanMove | kSfgaoCanLink | kSfgaoCanRename | kSfgaoCanDelete;
        if (place.Name[0] == '.') a |= kSfgaoHidden;
      } else {
        a |= kSfgaoCanCopy | kSfgaoCanLink;  // home, "/" and volumes are never renamed or deleted
      }
      if (removable) a |= kSfgaoRemovable;
      break;
    }
  }
  return a & mask;
}

int TShellFolderInterface::CompareIDs(const TIdList& a, const TIdList& b) const {
  // One item each (a folder's children, sorted by the thousand): compare in place.
  if (a.size() >= 4 && b.size() >= 4 && IdListByteSize(a) == a.size() && IdListByteSize(b) == b.size() &&
      a.size() == std::size_t(a[0] | (a[1] << 8)) + 2 && b.size() == std::size_t(b[0] | (b[1] << 8)) + 2) {
    const std::string_view x(reinterpret_cast<const char*>(a.data()) + 2, a.size() - 4);
    const std::string_view y(reinterpret_cast<const char*>(b.data()) + 2, b.size() - 4);
    const int rx = KindRank(x), ry = KindRank(y);
    if (rx != ry) return rx < ry ? -1 : 1;
    return NaturalCompare(x, y);
  }
  const auto x = IdListItems(a), y = IdListItems(b);
  for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
    const int rx = KindRank(x[i]), ry = KindRank(y[i]);
    if (rx != ry) return rx < ry ? -1 : 1;
    if (const int c = NaturalCompare(x[i], y[i]); c != 0) return c;
  }
  return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

bool TShellFolderInterface::SetNameOf(const TIdList& relative, const std::string& name, TIdList& newItem) const {
  if (IdListItemCount(relative) != 1 || !IsEntryName(name)) return errno = EINVAL, false;
  const TShellPlace place = PlaceOf(relative);
  if (place.Kind != TShellPlaceKind::Entry) return errno = EINVAL, false;
  const std::string parent = place.Path.substr(0, place.Path.size() - place.Name.size());
  if (name == place.Name) {
    newItem = DuplicateIdList(relative);
    return true;
  }
  if (!MoveFile(place.Path, parent + name)) return false;
  newItem = MakeIdItem(name);
  return true;
}

std::shared_ptr<TShellFolderInterface> TShellFolderInterface::BindToObject(const TIdList& relative) const {
  TShellPlace place = PlaceOf(relative);
  if (place.Kind == TShellPlaceKind::Invalid) return nullptr;
  // A child this folder listed as a folder binds without another look at the
  // disk; anything else must be a folder now.
  const bool listedFolder = IdListItemCount(relative) == 1 && FSubFolderHints.count(place.Name);
  if (place.Kind == TShellPlaceKind::Entry && !listedFolder && !IsDirectory(place.Path)) return nullptr;
  return std::shared_ptr<TShellFolderInterface>(
      new TShellFolderInterface(JoinIdLists(&FFullIdList, relative), std::move(place)));
}

std::optional<TIdList> TShellFolderInterface::ParseDisplayName(const std::string& name) const {
  if (FPlace.Kind != TShellPlaceKind::Desktop) return std::nullopt;  // only the desktop parses full lists
  if (name.empty() || name[0] != '/' || name.find('\0') != std::string::npos || !IsDirectory(name))
    return std::nullopt;
  // Components without empty ones and ".": a path names a folder by its
  // spelling, and ".." would step out of the place the list claims.
  std::vector<std::string> parts;
  std::stringstream in(name);
  for (std::string part; std::getline(in, part, '/');) {
    if (part.empty() || part == ".") continue;
    if (part == "..") return std::nullopt;
    parts.push_back(part);
  }
  std::string path = "/";
  for (std::size_t i = 0; i < parts.size(); ++i) path += (i ? "/" : "") + parts[i];

  // The deepest place that holds the path, in the tree's order of preference.
  std::string base;
  TIdList list = AllocIdList(2);
  const std::string desktop = DesktopDirectory();
  const std::string home = HomeDirectory();
  auto item = [](const std::string& data) { return MakeIdItem(data); };
  if (!desktop.empty() && Under(path, desktop)) {
    base = desktop;
  } else if (home != "/" && Under(path, home)) {
    base = home;
    list = item(kHomeTag);
  } else {
    base = "/";
    for (const TShellVolume& v : MountedVolumes())
      if (Under(path, v.MountPoint) && v.MountPoint.size() > base.size()) base = v.MountPoint;
    list = JoinIdLists(&list, item(kComputerTag));
    list = JoinIdLists(&list, item(base));
  }
  std::string rest = path.substr(base.size());
  std::stringstream tail(rest);
  for (std::string part; std::getline(tail, part, '/');)
    if (!part.empty()) list = JoinIdLists(&list, item(part));
  return list;
}

std::vector<TShellVolume> VolumesFromMountInfo(const std::string& mountInfo) {
  static const char* const kSystemTrees[] = {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/usr",
                                             "/var", "/etc", "/tmp", "/opt", "/srv", "/lib", "/bin",
                                             "/sbin", "/root"};
  static const char* const kPseudoTypes[] = {
      "proc",   "sysfs",     "tmpfs",    "devtmpfs", "devpts",  "cgroup",     "cgroup2",   "securityfs",
      "pstore", "bpf",       "debugfs",  "tracefs",  "mqueue",  "hugetlbfs",  "configfs",  "fusectl",
      "autofs", "binfmt_misc", "nsfs",   "ramfs",    "efivarfs", "squashfs",  "overlay",   "rpc_pipefs",
      "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse", "selinuxfs", "nfsd"};
  std::vector<TShellVolume> volumes;
  std::stringstream in(mountInfo);
  std::vector<std::string> f;
  std::string type;
  for (std::string line; std::getline(in, line);) {
    if (!MountInfoFields(line, f, type)) continue;
    const std::string root = UnescapeMountField(f[3]);
    const std::string point = UnescapeMountField(f[4]);
    if (point == "/" || root != "/") continue;  // the root itself, or a bind mount of a subtree
    if (std::any_of(std::begin(kPseudoTypes), std::end(kPseudoTypes), [&](const char* t) { return type == t; }))
      continue;
    const bool media = Under(point, "/media") || Under(point, "/run/media") || Under(point, "/mnt");
    if (!media && std::any_of(std::begin(kSystemTrees), std::end(kSystemTrees),
                              [&](const char* t) { return Under(point, t); }))
      continue;
    if (point == "/media" || point == "/run/media" || point == "/mnt") continue;
    volumes.push_back({point, Under(point, "/media") || Under(point, "/run/media")});
  }
  std::sort(volumes.begin(), volumes.end(),
            [](const TShellVolume& a, const TShellVolume& b) { return NaturalLess(a.MountPoint, b.MountPoint); });
  volumes.erase(std::unique(volumes.begin(), volumes.end(),
                            [](const TShellVolume& a, const TShellVolume& b) { return a.MountPoint == b.MountPoint; }),
                volumes.end());
  return volumes;
}

std::vector<TShellVolume> MountedVolumes() {
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  return VolumesFromMountInfo(text.str());
}

bool FolderHasSubFolders(const std::string& folder, bool includeHidden) {
  // A network or FUSE mount keeps its expand button without a look: the
  // look would make its parent's listing wait on the server.
  if (IsMountPointThatMayNotAnswer(folder)) return true;
  return AnswerInTime<bool>(folder, [folder, includeHidden] { return SubFoldersIn(folder, includeHidden); })
      .value_or(false);
}
