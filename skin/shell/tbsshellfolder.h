// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One item of the shell namespace as the folder tree sees it: its
// identifier lists (relative to its parent and from the desktop), its parent
// object and the folder interface that lists its children. It answers the
// tree's questions (name, path, folder or not, subfolders, icons, rights)
// and renames the item. Plus the unit's own routines: the desktop object,
// root names turned into root objects, and item comparison.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/idlist.h"
#include "platform/shellnamespace.h"

// Root names: a value name of TRootFolder ("rfDesktop") or a path.
using TRoot = std::string;

enum TRootFolder {
  rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory,
  rfCommonPrograms, rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory,
  rfFavorites, rfFonts, rfInternet, rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent,
  rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
constexpr int kRootFolderCount = 23;
// The value's name ("rfDesktop"), and the value of a name compared ignoring case (-1 for none).
const char* RootFolderName(TRootFolder value);
int RootFolderByName(const std::string& name);
// The full list a special folder stands for here, or false where this
// system has no such place.
bool SpecialFolderLocation(TRootFolder value, TIdList& list);

enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = unsigned;  // bits 1 << TShellObjectType
constexpr TShellObjectTypes ShellObjectTypes(std::initializer_list<TShellObjectType> types) {
  TShellObjectTypes set = 0;
  for (TShellObjectType t : types) set |= 1u << t;
  return set;
}
// The enumeration flags of a set: its bits moved up by 5.
unsigned ObjectTypeFlags(TShellObjectTypes types);

// Capability bits: 0 copy, 1 delete, 2 link, 3 move, 4 rename, 5 drop target, 6 property sheet.
enum TCapability { caCopy, caDelete, caLink, caMove, caRename, caDropTarget, caPropSheet };
// Attribute bits: 0 hidden, 1 link, 2 read-only, 3 shared, 4 file system,
// 5 file-system ancestor, 6 removable, 7 validate.
enum TShellAttribute { saHidden, saLink, saReadOnly, saShared, saFileSystem, saFileSysAncestor, saRemovable, saValidate };
using TCapabilitySet = unsigned;
using TAttributeSet = unsigned;

using TFolderInterface = std::shared_ptr<TShellFolderInterface>;

class TbsShellFolder {
 public:
  // `parent` none means the desktop object is the parent (the desktop itself has none).
  TbsShellFolder(TbsShellFolder* parent, TFolderInterface folder, const TIdList& itemIdList);

  const TIdList& ItemIdList() const { return FItemIdList; }
  const TIdList& FullIdList() const { return FFullIdList; }
  TbsShellFolder* ParentItem() const { return FParentItem; }
  const TFolderInterface& FolderInterface() const { return FFolderInterface; }
  int Depth() const { return FDepth; }

  // The folder that answers for this item: the parent's, or the desktop's.
  TFolderInterface ParentInterface() const;
  std::string NameInParent() const;
  // The item's path without a trailing "/" ("/" keeps it); a virtual item
  // gives its display name.
  std::string FullPath() const;
  bool IsRealFolder() const;
  bool HasChildFolders() const;
  TCapabilitySet CapabilitySet() const;
  TAttributeSet AttributeSet() const;
  // Renames the item; false without the right to, an error saying why when refused.
  bool RenameTo(const std::string& newName);
  // Where the item sits on screen: its index in the program's icon list.
  int ShellIconIndex(bool large, bool open) const;
  TShellPlace Place() const;

 private:
  // The parent folder's answer about this item.
  std::uint32_t Attributes(std::uint32_t mask) const;

  TIdList FItemIdList;
  TIdList FFullIdList;
  TbsShellFolder* FParentItem = nullptr;
  TFolderInterface FFolderInterface;
  int FDepth = 0;
};

// The one desktop object (made on first use, lives as long as the program).
TbsShellFolder* DesktopItem();

// `flags` as for TShellFolderInterface::GetDisplayNameOf; no interface gives
// "parentfolder = nil", and a virtual item's parsing name gives way to its
// normal name.
std::string ItemDisplayName(const TShellFolderInterface* folder, const TIdList& list, unsigned flags);
// `list` (relative to `parent`) as a folder, through the desktop when the parent cannot.
TFolderInterface BindFolderInterface(const TFolderInterface& parent, const TIdList& list);
std::unique_ptr<TbsShellFolder> MakeRootItem(const TIdList& full);
// Replaces `root` by the object `rootName` names. On failure `root` stays,
// `rootName` goes back to `oldRootName` and "Error setting path: \"%s\"" is raised.
void ResolveRoot(std::unique_ptr<TbsShellFolder>& root, const TRoot& oldRootName, TRoot& rootName);
bool SameItem(const TIdList& a, const TIdList& b);
// Whether `folder` lists at least one item of the kinds `flags` asks for.
bool HasEnumerableItems(const TShellFolderInterface* folder, unsigned flags);
