// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/shell/tbsshellfolder.h"

#include <strings.h>

#include <cerrno>
#include <cstdlib>

#include "framework/sysutils.h"
#include "platform/fileerror.h"
#include "platform/systemimagelist.h"
#include "platform/userdirs.h"

namespace {
const char* const kRootFolderNames[kRootFolderCount] = {
    "rfDesktop", "rfMyComputer", "rfNetwork", "rfRecycleBin", "rfAppData", "rfCommonDesktopDirectory",
    "rfCommonPrograms", "rfCommonStartMenu", "rfCommonStartup", "rfControlPanel", "rfDesktopDirectory",
    "rfFavorites", "rfFonts", "rfInternet", "rfPersonal", "rfPrinters", "rfPrintHood", "rfPrograms", "rfRecent",
    "rfSendTo", "rfStartMenu", "rfStartup", "rfTemplates"};

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && v[0] == '/' ? std::string(v) : fallback;
}

std::string ConfigHome() { return EnvOr("XDG_CONFIG_HOME", HomeDirectory() + "/.config"); }
std::string DataHome() { return EnvOr("XDG_DATA_HOME", HomeDirectory() + "/.local/share"); }

// A place named by a path, when that folder exists.
bool FolderList(const std::string& path, TIdList& list) {
  const auto parsed = TShellFolderInterface::Desktop()->ParseDisplayName(path);
  if (!parsed) return false;
  list = *parsed;
  return true;
}

bool VirtualList(const std::string& data, TIdList& list) {
  list = MakeIdItem(data);
  return true;
}

std::string Format1(const char* pattern, const std::string& value) {
  std::string text = pattern;
  text.replace(text.find("%s"), 2, value);
  return text;
}
}  // namespace

const char* RootFolderName(TRootFolder value) { return kRootFolderNames[value]; }

int RootFolderByName(const std::string& name) {
  for (int i = 0; i < kRootFolderCount; ++i)
    if (strcasecmp(name.c_str(), kRootFolderNames[i]) == 0) return i;
  return -1;
}

// The special folders here:
//   desktop, desktop directory, common desktop  -> the desktop itself
//   my computer                                 -> the computer
//   recycle bin                                 -> the trash
//   personal                                    -> the XDG documents folder
//   templates                                   -> the XDG templates folder
//   app data                                    -> $XDG_CONFIG_HOME
//   fonts                                       -> $XDG_DATA_HOME/fonts
//   programs, start menu                        -> $XDG_DATA_HOME/applications
//   common programs, common start menu          -> /usr/share/applications
//   startup / common startup                    -> $XDG_CONFIG_HOME/autostart / /etc/xdg/autostart
//   network, internet, printers, print hood,
//   control panel, send to, recent, favorites   -> no such folder: resolving one fails
// A folder path that does not exist fails to resolve too.
bool SpecialFolderLocation(TRootFolder value, TIdList& list) {
  switch (value) {
    case rfDesktop:
    case rfDesktopDirectory:
    case rfCommonDesktopDirectory: list = AllocIdList(2); return true;
    case rfMyComputer: return VirtualList(ComputerItemData(), list);
    case rfRecycleBin: return VirtualList(TrashItemData(), list);
    case rfPersonal: return FolderList(XdgUserDirectory("XDG_DOCUMENTS_DIR", "Documents"), list);
    case rfTemplates: return FolderList(XdgUserDirectory("XDG_TEMPLATES_DIR", "Templates"), list);
    case rfAppData: return FolderList(ConfigHome(), list);
    case rfFonts: return FolderList(DataHome() + "/fonts", list);
    case rfPrograms:
    case rfStartMenu: return FolderList(DataHome() + "/applications", list);
    case rfCommonPrograms:
    case rfCommonStartMenu: return FolderList("/usr/share/applications", list);
    case rfStartup: return FolderList(ConfigHome() + "/autostart", list);
    case rfCommonStartup: return FolderList("/etc/xdg/autostart", list);
    default: return false;
  }
}

unsigned ObjectTypeFlags(TShellObjectTypes types) { return types << 5; }

std::uint32_t TbsShellFolder::Attributes(std::uint32_t mask) const {
  if (!FParentItem) return TShellFolderInterface::Desktop()->GetAttributesOf(FFullIdList, mask);
  return ParentInterface()->GetAttributesOf(FItemIdList, mask);
}

TShellPlace TbsShellFolder::Place() const {
  if (!FParentItem) return LocateIdList(FFullIdList);
  return ParentInterface()->PlaceOf(FItemIdList);
}

TbsShellFolder::TbsShellFolder(TbsShellFolder* parent, TFolderInterface folder, const TIdList& itemIdList)
    : FItemIdList(DuplicateIdList(itemIdList)), FFolderInterface(std::move(folder)) {
  if (parent) {
    FFullIdList = JoinIdLists(&parent->FFullIdList, FItemIdList);
  } else {
    TIdList desktop;
    SpecialFolderLocation(rfDesktop, desktop);
    FFullIdList = JoinIdLists(&desktop, FItemIdList);
  }
  // The desktop object itself is made with no parent and has none.
  FParentItem = parent ? parent : (FFullIdList.size() <= 2 ? nullptr : DesktopItem());
  for (TbsShellFolder* p = parent ? parent->FParentItem : nullptr; p; p = p->FParentItem) ++FDepth;
}

TFolderInterface TbsShellFolder::ParentInterface() const {
  // The desktop object lives as long as the program while HOME may change
  // under it (tests do): the desktop is always asked afresh.
  if (FParentItem && FParentItem != DesktopItem() && FParentItem->FFolderInterface) return FParentItem->FFolderInterface;
  return TShellFolderInterface::Desktop();
}

std::string TbsShellFolder::NameInParent() const {
  // The desktop has no parent to name it: its own name.
  if (!FParentItem && IdListItemCount(FFullIdList) == 0)
    return ItemDisplayName(TShellFolderInterface::Desktop().get(), FFullIdList, kShgdnNormal);
  return ItemDisplayName(ParentInterface().get(), FItemIdList, kShgdnInFolder);
}

std::string TbsShellFolder::FullPath() const {
  // Parsing names are whole paths, so the parent answers as the desktop would.
  if (!FParentItem) return ItemDisplayName(TShellFolderInterface::Desktop().get(), FFullIdList, kShgdnForParsing);
  return ItemDisplayName(ParentInterface().get(), FItemIdList, kShgdnForParsing);
}

bool TbsShellFolder::IsRealFolder() const {
  if (!(Attributes(kSfgaoFolder) & kSfgaoFolder)) return false;
  const std::string path = FullPath();
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return true;
  return strcasecmp(path.c_str() + dot, ".zip") != 0;
}

bool TbsShellFolder::HasChildFolders() const {
  return Attributes(kSfgaoHasSubFolder) != 0;
}

TCapabilitySet TbsShellFolder::CapabilitySet() const {
  static const std::uint32_t kBits[] = {kSfgaoCanCopy,   kSfgaoCanDelete,    kSfgaoCanLink,     kSfgaoCanMove,
                                        kSfgaoCanRename, kSfgaoDropTarget,   kSfgaoHasPropSheet};
  const std::uint32_t a = Attributes(0x177);
  TCapabilitySet set = 0;
  for (unsigned i = 0; i < std::size(kBits); ++i)
    if (a & kBits[i]) set |= 1u << i;
  return set;
}

TAttributeSet TbsShellFolder::AttributeSet() const {
  static const std::uint32_t kBits[] = {kSfgaoHidden,     kSfgaoLink,           kSfgaoReadOnly,  kSfgaoShare,
                                        kSfgaoFileSystem, kSfgaoFileSysAncestor, kSfgaoRemovable, kSfgaoValidate};
  const std::uint32_t a = TShellFolderInterface::Desktop()->GetAttributesOf(
      FFullIdList, kSfgaoHidden | kSfgaoLink | kSfgaoReadOnly | kSfgaoShare | kSfgaoFileSystem |
                       kSfgaoFileSysAncestor | kSfgaoRemovable | kSfgaoValidate);
  TAttributeSet set = 0;
  for (unsigned i = 0; i < std::size(kBits); ++i)
    if (a & kBits[i]) set |= 1u << i;
  return set;
}

bool TbsShellFolder::RenameTo(const std::string& newName) {
  if (!(CapabilitySet() & (1u << caRename))) return false;
  TIdList newItem;
  if (!ParentInterface()->SetNameOf(FItemIdList, newName, newItem)) {
    const int why = errno;
    throw Exception("无法把“" + NameInParent() + "”重命名为“" + newName + "”：" + FileErrorText(why));
  }
  FItemIdList = std::move(newItem);
  if (FParentItem) {
    FFullIdList = JoinIdLists(&FParentItem->FFullIdList, FItemIdList);
  } else {
    FFullIdList = DuplicateIdList(FItemIdList);
  }
  // A folder renamed is a folder under its new name.
  if (FFolderInterface) FFolderInterface = TShellFolderInterface::ForIdList(FFullIdList);
  return true;
}

int TbsShellFolder::ShellIconIndex(bool, bool open) const { return ShellIconIndexOf(Place(), open); }

TbsShellFolder* DesktopItem() {
  static const std::unique_ptr<TbsShellFolder> desktop = [] {
    TIdList list;
    SpecialFolderLocation(rfDesktop, list);
    return std::make_unique<TbsShellFolder>(nullptr, TShellFolderInterface::Desktop(), list);
  }();
  return desktop.get();
}

std::string ItemDisplayName(const TShellFolderInterface* folder, const TIdList& list, unsigned flags) {
  if (!folder) return "parentfolder = nil";
  std::string name = folder->GetDisplayNameOf(list, flags);
  if (name.rfind("::{", 0) == 0) name = folder->GetDisplayNameOf(list, kShgdnNormal);
  return name;
}

TFolderInterface BindFolderInterface(const TFolderInterface& parent, const TIdList& list) {
  if (parent)
    if (TFolderInterface bound = parent->BindToObject(list)) return bound;
  const TFolderInterface desktop = TShellFolderInterface::Desktop();
  return parent ? desktop->BindToObject(JoinIdLists(&parent->FullIdList(), list)) : desktop->BindToObject(list);
}

std::unique_ptr<TbsShellFolder> MakeRootItem(const TIdList& full) {
  TFolderInterface folder = TShellFolderInterface::Desktop()->BindToObject(full);
  if (!folder) folder = TShellFolderInterface::Desktop();
  return std::make_unique<TbsShellFolder>(DesktopItem(), folder, full);
}

void ResolveRoot(std::unique_ptr<TbsShellFolder>& root, const TRoot& oldRootName, TRoot& rootName) {
  TIdList list;
  bool found = false;
  if (const int special = RootFolderByName(rootName); special >= 0) {
    found = SpecialFolderLocation(TRootFolder(special), list);
  } else if (!rootName.empty()) {
    if (auto parsed = TShellFolderInterface::Desktop()->ParseDisplayName(rootName)) {
      list = *parsed;
      found = true;
    }
  }
  if (!found) {
    const std::string failed = rootName;
    rootName = oldRootName;
    throw Exception(Format1("Error setting path: \"%s\"", failed));
  }
  root = MakeRootItem(list);
}

bool SameItem(const TIdList& a, const TIdList& b) {
  return TShellFolderInterface::Desktop()->CompareIDs(a, b) == 0;
}

bool HasEnumerableItems(const TShellFolderInterface* folder, unsigned flags) {
  if (!folder) return false;
  std::vector<TIdList> items;
  return folder->EnumObjects(flags, items) && !items.empty();
}
