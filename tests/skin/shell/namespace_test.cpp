// SPDX-License-Identifier: GPL-3.0-or-later
// The namespace on real folders: what the desktop and a folder list, in
// which order, under which names, with which attributes.

#include <sys/stat.h>
#include <unistd.h>

#include "platform/shellnamespace.h"
#include "shellhome.h"

namespace {
std::vector<std::string> Names(const TShellFolderInterface& folder, unsigned flags) {
  std::vector<TIdList> items;
  if (!folder.EnumObjects(flags, items)) return {"<failed>"};
  std::sort(items.begin(), items.end(), [&](const TIdList& a, const TIdList& b) { return folder.CompareIDs(a, b) < 0; });
  std::vector<std::string> names;
  for (const TIdList& item : items) names.push_back(folder.GetDisplayNameOf(item, kShgdnInFolder));
  return names;
}

TIdList List(std::initializer_list<std::string> items) {
  TIdList list = AllocIdList(2);
  for (const std::string& i : items) {
    const TIdList item = MakeIdItem(i);
    list = JoinIdLists(&list, item);
  }
  return list;
}

class Namespace : public ShellHome {};
}  // namespace

TEST_F(Namespace, TheDesktopListsTheVirtualItemsFirstThenItsFoldersInNaturalOrder) {
  Dir("file10");
  Dir("File2");
  Dir("alpha");
  Dir(".hidden");
  File("notes.txt");
  const auto desktop = TShellFolderInterface::Desktop();
  EXPECT_EQ(Names(*desktop, kShcontfFolders),
            (std::vector<std::string>{"主文件夹", "计算机", "回收站", "alpha", "File2", "file10"}));
  EXPECT_EQ(Names(*desktop, kShcontfFolders | kShcontfIncludeHidden).size(), 7u);
  EXPECT_EQ(Names(*desktop, kShcontfNonFolders), (std::vector<std::string>{"notes.txt"}));
  EXPECT_EQ(desktop->GetDisplayNameOf(AllocIdList(2), kShgdnNormal), "桌面");
  EXPECT_EQ(desktop->GetDisplayNameOf(AllocIdList(2), kShgdnForParsing), Desktop);
}

TEST_F(Namespace, ADesktopWithoutAFolderListsOnlyTheVirtualItems) {
  rmdir(Desktop.c_str());
  Home.WriteFile(".bashrc", "x");
  Home.MakeDir("docs");
  const auto desktop = TShellFolderInterface::Desktop();
  EXPECT_EQ(Names(*desktop, kShcontfFolders | kShcontfNonFolders | kShcontfIncludeHidden),
            (std::vector<std::string>{"主文件夹", "计算机", "回收站"}));
  // Its parsing name is no path, so nothing reads it relative to the working directory.
  EXPECT_EQ(desktop->GetDisplayNameOf(AllocIdList(2), kShgdnForParsing), "::{desktop}");
}

TEST_F(Namespace, VirtualItemsLeadToHomeTheComputerAndTheTrash) {
  const TShellPlace home = LocateIdList(List({HomeItemData()}));
  EXPECT_EQ(home.Kind, TShellPlaceKind::Home);
  EXPECT_EQ(home.Path + "/", Home.Path());
  const auto computer = TShellFolderInterface::ForIdList(List({ComputerItemData()}));
  ASSERT_TRUE(computer);
  EXPECT_EQ(Names(*computer, kShcontfFolders).at(0), "/");
  EXPECT_EQ(LocateIdList(List({ComputerItemData(), "/", "tmp"})).Path, "/tmp");
  EXPECT_EQ(LocateIdList(List({TrashItemData()})).Kind, TShellPlaceKind::Trash);
  // Names that would step out of their folder, and file names where a tag belongs, name nothing.
  EXPECT_EQ(LocateIdList(List({"..", "x"})).Kind, TShellPlaceKind::Invalid);
  EXPECT_EQ(LocateIdList(List({ComputerItemData(), "etc"})).Kind, TShellPlaceKind::Invalid);
  EXPECT_EQ(LocateIdList(List({TrashItemData(), "x"})).Kind, TShellPlaceKind::Invalid);
}

TEST_F(Namespace, NamesThatAreNotUtf8OrHoldANewlineAreListedByTheirBytes) {
  const std::string odd = "caf\xE9";
  Dir(odd);
  Dir("two\nlines");
  const auto desktop = TShellFolderInterface::Desktop();
  std::vector<TIdList> items;
  ASSERT_TRUE(desktop->EnumObjects(kShcontfFolders, items));
  std::vector<std::string> data;
  for (const TIdList& i : items) data.push_back(IdListItems(i).at(0));
  EXPECT_NE(std::find(data.begin(), data.end(), odd), data.end());
  EXPECT_NE(std::find(data.begin(), data.end(), "two\nlines"), data.end());
  EXPECT_EQ(LocateIdList(MakeIdItem(odd)).Path, Desktop + "/" + odd);
}

TEST_F(Namespace, AFolderThatCannotBeReadListsNothingAndSaysSo) {
  Dir("vanishing");
  const auto vanishing = TShellFolderInterface::ForIdList(MakeIdItem("vanishing"));
  ASSERT_TRUE(vanishing);
  rmdir((Desktop + "/vanishing").c_str());  // gone between binding and listing
  std::vector<TIdList> items{MakeIdItem("stale")};
  EXPECT_FALSE(vanishing->EnumObjects(kShcontfFolders, items));
  EXPECT_TRUE(items.empty());
  EXPECT_FALSE(TShellFolderInterface::ForIdList(MakeIdItem("vanishing")));
  if (geteuid() == 0) return;  // root reads every folder
  Dir("locked");
  Dir("locked/inner");
  chmod((Desktop + "/locked").c_str(), 0);
  const auto locked = TShellFolderInterface::ForIdList(MakeIdItem("locked"));
  ASSERT_TRUE(locked);
  EXPECT_FALSE(locked->EnumObjects(kShcontfFolders, items));
  EXPECT_FALSE(FolderHasSubFolders(Desktop + "/locked"));
  chmod((Desktop + "/locked").c_str(), 0755);
}

TEST_F(Namespace, SubfolderMarksCountVisibleFoldersAndLinksToFolders) {
  Dir("empty");
  Dir("onlyhidden");
  Dir("onlyhidden/.git");
  Dir("withfile");
  File("withfile/a.txt");
  Dir("linked");
  Home.MakeLink("Desktop/linked/to", Home.Path() + "Desktop/empty");
  Dir("loop");
  Home.MakeLink("Desktop/loop/self", Home.Path() + "Desktop/loop");
  EXPECT_FALSE(FolderHasSubFolders(Desktop + "/empty"));
  EXPECT_FALSE(FolderHasSubFolders(Desktop + "/onlyhidden"));
  EXPECT_TRUE(FolderHasSubFolders(Desktop + "/onlyhidden", true));
  EXPECT_FALSE(FolderHasSubFolders(Desktop + "/withfile"));
  EXPECT_TRUE(FolderHasSubFolders(Desktop + "/linked"));
  EXPECT_TRUE(FolderHasSubFolders(Desktop + "/loop"));
  // A link loop is a folder holding itself: each level lists, none hangs.
  const auto deep = TShellFolderInterface::ForIdList(List({"loop", "self", "self", "self"}));
  ASSERT_TRUE(deep);
  EXPECT_EQ(Names(*deep, kShcontfFolders), (std::vector<std::string>{"self"}));
  EXPECT_FALSE(FolderHasSubFolders(Desktop + "/gone"));
}

TEST_F(Namespace, AttributesSayHiddenReadOnlyLinkAndWhatMayBeRenamed) {
  Dir(".secret");
  Dir("plain");
  Home.MakeLink("Desktop/shortcut", Home.Path() + "Desktop/plain");
  const auto desktop = TShellFolderInterface::Desktop();
  const std::uint32_t all = 0xFFFFFFFF;
  const std::uint32_t plain = desktop->GetAttributesOf(MakeIdItem("plain"), all);
  EXPECT_TRUE(plain & kSfgaoFolder);
  EXPECT_TRUE(plain & kSfgaoFileSystem);
  EXPECT_TRUE(plain & kSfgaoCanRename);
  EXPECT_TRUE(plain & kSfgaoCanDelete);
  EXPECT_FALSE(plain & (kSfgaoHidden | kSfgaoLink | kSfgaoReadOnly | kSfgaoHasSubFolder));
  EXPECT_TRUE(desktop->GetAttributesOf(MakeIdItem(".secret"), all) & kSfgaoHidden);
  EXPECT_TRUE(desktop->GetAttributesOf(MakeIdItem("shortcut"), all) & kSfgaoLink);
  // The places that hold everything else are never renamed or deleted.
  for (const std::string& tag : {HomeItemData(), ComputerItemData(), TrashItemData()})
    EXPECT_FALSE(desktop->GetAttributesOf(MakeIdItem(tag), all) & (kSfgaoCanRename | kSfgaoCanDelete));
  EXPECT_FALSE(desktop->GetAttributesOf(List({ComputerItemData(), "/"}), all) & (kSfgaoCanRename | kSfgaoCanDelete));
  if (geteuid() != 0) {
    chmod((Desktop + "/plain").c_str(), 0555);
    EXPECT_TRUE(desktop->GetAttributesOf(MakeIdItem("plain"), all) & kSfgaoReadOnly);
    chmod((Desktop + "/plain").c_str(), 0755);
  }
}

TEST_F(Namespace, APathParsesToTheListTheTreeShows) {
  Dir("Photos");
  Dir("Photos/2024");
  Home.MakeDir("Music");
  const auto desktop = TShellFolderInterface::Desktop();
  EXPECT_EQ(desktop->ParseDisplayName(Desktop + "/Photos/2024/"), List({"Photos", "2024"}));
  EXPECT_EQ(desktop->ParseDisplayName(Desktop + "//Photos/./2024"), List({"Photos", "2024"}));
  EXPECT_EQ(desktop->ParseDisplayName(Desktop), AllocIdList(2));
  EXPECT_EQ(desktop->ParseDisplayName(Home.Path() + "Music"), List({HomeItemData(), "Music"}));
  EXPECT_EQ(desktop->ParseDisplayName("/tmp"), List({ComputerItemData(), "/", "tmp"}));
  EXPECT_EQ(desktop->ParseDisplayName("/"), List({ComputerItemData(), "/"}));
  EXPECT_FALSE(desktop->ParseDisplayName(Desktop + "/missing"));
  EXPECT_FALSE(desktop->ParseDisplayName("Photos"));
  EXPECT_FALSE(desktop->ParseDisplayName(Desktop + "/Photos/../Photos"));
  EXPECT_FALSE(desktop->ParseDisplayName("/" + std::string(4000, 'a')));  // a path of 4,000 bytes
}

TEST(Volumes, OnlyRealFileSystemsAUserWouldSeeAreOffered) {
  const std::string info =
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "23 22 0:5 / /proc rw - proc proc rw\n"
      "24 22 0:6 / /sys rw - sysfs sysfs rw\n"
      "25 22 0:7 / /dev rw - devtmpfs udev rw\n"
      "26 22 0:8 / /run rw - tmpfs tmpfs rw\n"
      "27 22 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
      "28 22 8:17 / /media/ann/USB\\040STICK rw - vfat /dev/sdb1 rw\n"
      "29 22 8:33 / /run/media/ann/Photos rw - exfat /dev/sdc1 rw\n"
      "30 22 8:49 / /mnt/backup rw - ext4 /dev/sdd1 rw\n"
      "31 22 8:1 /var/lib/x /data rw - ext4 /dev/sda1 rw\n"
      "32 22 8:65 / /data2 rw - xfs /dev/sde1 rw\n"
      "33 22 8:2 / /boot rw - ext4 /dev/sda2 rw\n"
      "34 22 0:40 / /home/ann/.cache/doc rw - fuse.portal portal rw\n";
  const auto volumes = VolumesFromMountInfo(info);
  std::vector<std::string> points;
  for (const auto& v : volumes) points.push_back(v.MountPoint + (v.Removable ? " (removable)" : ""));
  EXPECT_EQ(points, (std::vector<std::string>{"/data2", "/media/ann/USB STICK (removable)", "/mnt/backup",
                                              "/run/media/ann/Photos (removable)"}));
  EXPECT_TRUE(VolumesFromMountInfo("garbage\n\n1 2\n").empty());
}
