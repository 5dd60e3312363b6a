// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shell namespace on Linux. The desktop is the root; its file-system
// folder is the XDG desktop directory, or none (a virtual desktop that lists
// no files) when that folder is missing or is HOME itself. Its children are
// the virtual items for the home folder, the computer (holding "/" and the
// mounted volumes a user would see) and the trash, then the desktop
// directory's own entries. An item's data in its identifier list is the
// bytes that name it in its parent: a file name, a volume's mount path under
// the computer, or a tag (starting with a NUL byte, which no file name holds)
// for a virtual item.
//
// TShellFolderInterface is one folder seen as a folder: it lists its
// children and answers for them (names, attributes, order, renaming).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/idlist.h"

// Item attributes, with the bit values the folder tree's sets are built from.
enum : std::uint32_t {
  kSfgaoCanCopy = 0x1,
  kSfgaoCanMove = 0x2,
  kSfgaoCanLink = 0x4,
  kSfgaoCanRename = 0x10,
  kSfgaoCanDelete = 0x20,
  kSfgaoHasPropSheet = 0x40,
  kSfgaoDropTarget = 0x100,
  kSfgaoLink = 0x10000,
  kSfgaoShare = 0x20000,
  kSfgaoReadOnly = 0x40000,
  kSfgaoHidden = 0x80000,
  kSfgaoValidate = 0x1000000,
  kSfgaoRemovable = 0x2000000,
  kSfgaoFileSysAncestor = 0x10000000,
  kSfgaoFolder = 0x20000000,
  kSfgaoFileSystem = 0x40000000,
  kSfgaoHasSubFolder = 0x80000000,
};

// Enumeration flags.
enum : unsigned { kShcontfFolders = 0x20, kShcontfNonFolders = 0x40, kShcontfIncludeHidden = 0x80 };

// Display-name flags.
enum : unsigned { kShgdnNormal = 0, kShgdnInFolder = 1, kShgdnForParsing = 0x8000 };

// What an item of the namespace is.
enum class TShellPlaceKind { Desktop, Home, Computer, Trash, Volume, Entry, Invalid };

struct TShellPlace {
  TShellPlaceKind Kind = TShellPlaceKind::Invalid;
  std::string Path;  // the file-system path; "" for a virtual place
  std::string Name;  // the item's data in its parent ("" for the desktop)
  bool Virtual() const { return Path.empty(); }
};

// Where a full identifier list leads.
TShellPlace LocateIdList(const TIdList& full);

// Fixed names of the virtual items, in the window's language.
extern const char* const kDesktopDisplayName;   // "桌面"
extern const char* const kHomeDisplayName;      // "主文件夹"
extern const char* const kComputerDisplayName;  // "计算机"
extern const char* const kTrashDisplayName;     // "回收站"

// The item data of the virtual children of the desktop.
std::string HomeItemData();
std::string ComputerItemData();
std::string TrashItemData();

class TShellFolderInterface {
 public:
  // The desktop seen as a folder.
  static std::shared_ptr<TShellFolderInterface> Desktop();
  // The folder a full list names, or none when it names no folder.
  static std::shared_ptr<TShellFolderInterface> ForIdList(const TIdList& full);

  const TIdList& FullIdList() const { return FFullIdList; }
  const TShellPlace& Place() const { return FPlace; }

  // Where `relative` (a list relative to this folder) leads.
  TShellPlace PlaceOf(const TIdList& relative) const;
  // The children of the kinds `flags` asks for, as one-item lists, in the
  // order the directory gives them (links and entries of unknown kind last);
  // false (and none) when the folder cannot be read or does not answer in
  // time. A listing that hangs on one entry gives the entries it had.
  bool EnumObjects(unsigned flags, std::vector<TIdList>& items) const;
  // A name for `relative` (a list relative to this folder); for parsing, a
  // virtual item answers "::{...}".
  std::string GetDisplayNameOf(const TIdList& relative, unsigned flags) const;
  // The attributes of `relative` among `mask`. An item on a mount that does
  // not answer in time is only the folder it was listed as (nothing that
  // would rename or delete it).
  std::uint32_t GetAttributesOf(const TIdList& relative, std::uint32_t mask) const;
  // Negative, zero or positive: the shell's order of two relative lists
  // (virtual items first, then names in natural order).
  int CompareIDs(const TIdList& a, const TIdList& b) const;
  // Renames the one-item `relative` to `name` without ever replacing
  // anything; the new item in `newItem`. False when refused, errno saying why.
  bool SetNameOf(const TIdList& relative, const std::string& name, TIdList& newItem) const;
  // `relative` seen as a folder, or none.
  std::shared_ptr<TShellFolderInterface> BindToObject(const TIdList& relative) const;
  // The list of an existing folder's absolute path, relative to this folder
  // (the desktop: a full list); none for anything else.
  std::optional<TIdList> ParseDisplayName(const std::string& name) const;

 private:
  TShellFolderInterface(TIdList full, TShellPlace place);
  TIdList FFullIdList;
  TShellPlace FPlace;
  // Whether each folder the last listing found holds a visible subfolder,
  // learnt while the listing had its directory open (a relative open costs
  // far less than a path walked again); each answer is used once.
  mutable std::unordered_map<std::string, bool> FSubFolderHints;
};

// A volume a user would see under the computer.
struct TShellVolume {
  std::string MountPoint;
  bool Removable = false;
};
// The user's volumes out of /proc/self/mountinfo text: real file systems
// mounted outside the system's own trees, no bind mounts of subtrees.
std::vector<TShellVolume> VolumesFromMountInfo(const std::string& mountInfo);
std::vector<TShellVolume> MountedVolumes();

// Whether `folder` holds a visible subfolder (or, with `includeHidden`, any).
// The mount point of a network or FUSE file system is not looked into (it
// may not answer): it counts as holding one. No answer in time: none.
bool FolderHasSubFolders(const std::string& folder, bool includeHidden = false);
