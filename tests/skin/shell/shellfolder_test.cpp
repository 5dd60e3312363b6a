// SPDX-License-Identifier: GPL-3.0-or-later
// Shell folder objects on real folders: root names, paths, renaming.

#include "framework/sysutils.h"
#include "shellhome.h"
#include "skin/shell/tbsshellfolder.h"

namespace {
class ShellFolder : public ShellHome {
 protected:
  // The object of `path` with its chain of parents from the desktop down.
  TbsShellFolder* Chain(const std::string& path) {
    const auto full = TShellFolderInterface::Desktop()->ParseDisplayName(path);
    EXPECT_TRUE(full) << path;
    if (!full) return nullptr;
    TbsShellFolder* parent = nullptr;
    TIdList sofar = AllocIdList(2);
    for (const std::string& data : IdListItems(*full)) {
      const TIdList item = MakeIdItem(data);
      const TFolderInterface folder = BindFolderInterface(parent ? parent->FolderInterface() : TShellFolderInterface::Desktop(), item);
      Objects.push_back(std::make_unique<TbsShellFolder>(parent, folder, item));
      parent = Objects.back().get();
    }
    return parent;
  }
  std::vector<std::unique_ptr<TbsShellFolder>> Objects;
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "<no error>";
}
}  // namespace

TEST_F(ShellFolder, RootNamesResolveToTheDesktopAPathOrFailKeepingTheOldRoot) {
  Dir("Photos");
  std::unique_ptr<TbsShellFolder> root;
  TRoot name = "rfDesktop";
  ResolveRoot(root, "", name);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->FullPath(), Desktop);
  EXPECT_EQ(root->NameInParent(), "桌面");
  EXPECT_EQ(IdListItemCount(root->FullIdList()), 0);

  name = "RFMYCOMPUTER";  // value names compare ignoring case
  ResolveRoot(root, "rfDesktop", name);
  EXPECT_EQ(root->FullPath(), "计算机");

  name = Desktop + "/Photos";
  ResolveRoot(root, "rfMyComputer", name);
  EXPECT_EQ(root->FullPath(), Desktop + "/Photos");
  name = Desktop + "/Photos/";  // with or without its trailing "/"
  ResolveRoot(root, Desktop + "/Photos", name);
  EXPECT_EQ(root->FullPath(), Desktop + "/Photos");

  TbsShellFolder* const kept = root.get();
  name = "rfNoSuchPlace";
  EXPECT_EQ(ErrorOf([&] { ResolveRoot(root, "rfDesktop", name); }), "Error setting path: \"rfNoSuchPlace\"");
  EXPECT_EQ(name, "rfDesktop");
  EXPECT_EQ(root.get(), kept);
  name = "";
  EXPECT_EQ(ErrorOf([&] { ResolveRoot(root, "rfDesktop", name); }), "Error setting path: \"\"");
  name = "rfNetwork";  // no such place on this system
  EXPECT_EQ(ErrorOf([&] { ResolveRoot(root, "x", name); }), "Error setting path: \"rfNetwork\"");
  EXPECT_EQ(name, "x");
}

TEST_F(ShellFolder, FullPathOfTheRootKeepsItsSlashAndOfAFolderHasNone) {
  Dir("Work");
  EXPECT_EQ(Chain("/")->FullPath(), "/");
  EXPECT_EQ(Chain("/")->NameInParent(), "/");
  TbsShellFolder* work = Chain(Desktop + "/Work/");
  EXPECT_EQ(work->FullPath(), Desktop + "/Work");
  EXPECT_EQ(work->NameInParent(), "Work");
  EXPECT_EQ(work->Depth(), 0);  // a child of the desktop
  EXPECT_EQ(Chain("/usr/share")->Depth(), 3);  // computer, "/", usr above it
  EXPECT_TRUE(work->IsRealFolder());
  EXPECT_FALSE(work->HasChildFolders());
  Dir("Work/sub");
  EXPECT_TRUE(work->HasChildFolders());
}

TEST_F(ShellFolder, VirtualItemsAnswerWithTheirDisplayNames) {
  TbsShellFolder computer(nullptr, BindFolderInterface(TShellFolderInterface::Desktop(), MakeIdItem(ComputerItemData())),
                          MakeIdItem(ComputerItemData()));
  EXPECT_EQ(computer.FullPath(), "计算机");
  EXPECT_EQ(computer.NameInParent(), "计算机");
  EXPECT_EQ(computer.ParentItem(), DesktopItem());
  EXPECT_TRUE(computer.IsRealFolder());
  EXPECT_TRUE(computer.HasChildFolders());
  EXPECT_EQ(computer.CapabilitySet() & (1u << caRename), 0u);
  EXPECT_EQ(ItemDisplayName(nullptr, MakeIdItem("x"), 0), "parentfolder = nil");
  EXPECT_EQ(DesktopItem()->ParentItem(), nullptr);
}

TEST_F(ShellFolder, AZipFolderIsNoRealFolder) {
  Dir("archive.ZIP");
  Dir("zipper");
  EXPECT_FALSE(Chain(Desktop + "/archive.ZIP")->IsRealFolder());
  EXPECT_TRUE(Chain(Desktop + "/zipper")->IsRealFolder());
}

TEST_F(ShellFolder, AttributeAndCapabilitySetsUseTheirOwnBitOrder) {
  Dir(".dot");
  TbsShellFolder* dot = Chain(Desktop + "/.dot");
  EXPECT_EQ(dot->AttributeSet() & (1u << saHidden), 1u << saHidden);
  EXPECT_NE(dot->AttributeSet() & (1u << saFileSystem), 0u);
  EXPECT_EQ(dot->AttributeSet() & (1u << saLink), 0u);
  EXPECT_EQ(dot->CapabilitySet(), (1u << caCopy) | (1u << caDelete) | (1u << caLink) | (1u << caMove) |
                                      (1u << caRename) | (1u << caDropTarget) | (1u << caPropSheet));
  EXPECT_EQ(ObjectTypeFlags(ShellObjectTypes({otFolders})), 0x20u);
  EXPECT_EQ(ObjectTypeFlags(ShellObjectTypes({otFolders, otNonFolders, otHidden})), 0xE0u);
}

TEST_F(ShellFolder, RenamingTwoLevelsDownGivesTheNewPath) {
  Dir("A");
  Dir("A/B");
  File("A/B/keep.txt", "k");
  TbsShellFolder* b = Chain(Desktop + "/A/B");
  ASSERT_EQ(IdListItemCount(b->FullIdList()), 2);
  EXPECT_TRUE(b->RenameTo("C"));
  EXPECT_EQ(b->FullPath(), Desktop + "/A/C");
  EXPECT_EQ(b->NameInParent(), "C");
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/A/C/"), (std::map<std::string, std::string>{{"keep.txt", "file:k"}}));
}

TEST_F(ShellFolder, ARenameToATakenEmptyOrSlashedNameFailsAndChangesNothing) {
  Dir("one");
  Dir("two");
  TbsShellFolder* one = Chain(Desktop + "/one");
  const auto before = TempFolder::ContentsOf(Desktop + "/");
  const std::string longName(300, 'n');
  for (const auto& [bad, why] : {std::pair{std::string("two"), "名称已被占用"}, {"", "名称无效"}, {"a/b", "名称无效"},
                                 {"..", "名称无效"}, {".", "名称无效"}, {longName, "名称太长"}}) {
    EXPECT_EQ(ErrorOf([&] { one->RenameTo(bad); }), "无法把“one”重命名为“" + bad + "”：" + why);
    EXPECT_EQ(one->FullPath(), Desktop + "/one");
    EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"), before);
  }
  // Without the right to rename, nothing is asked and nothing is raised.
  EXPECT_FALSE(Chain("/")->RenameTo("x"));
}

TEST_F(ShellFolder, SpecialFoldersMapToTheUsersFolders) {
  Home.MakeDir("Documents");
  TIdList list;
  ASSERT_TRUE(SpecialFolderLocation(rfPersonal, list));
  EXPECT_EQ(LocateIdList(list).Path, Home.Path() + "Documents");
  ASSERT_TRUE(SpecialFolderLocation(rfRecycleBin, list));
  EXPECT_EQ(LocateIdList(list).Kind, TShellPlaceKind::Trash);
  EXPECT_FALSE(SpecialFolderLocation(rfTemplates, list));  // no such folder made
  EXPECT_FALSE(SpecialFolderLocation(rfPrinters, list));
  EXPECT_EQ(RootFolderByName("rftemplates"), int(rfTemplates));
  EXPECT_EQ(RootFolderByName("Desktop"), -1);
  EXPECT_STREQ(RootFolderName(rfStartup), "rfStartup");
}

TEST_F(ShellFolder, SameItemComparesWholeLists) {
  Dir("x");
  Dir("x/y");
  const auto a = TShellFolderInterface::Desktop()->ParseDisplayName(Desktop + "/x/y");
  const auto b = TShellFolderInterface::Desktop()->ParseDisplayName(Desktop + "/x/y/");
  const auto c = TShellFolderInterface::Desktop()->ParseDisplayName(Desktop + "/x");
  EXPECT_TRUE(SameItem(*a, *b));
  EXPECT_FALSE(SameItem(*a, *c));
  EXPECT_TRUE(HasEnumerableItems(TShellFolderInterface::ForIdList(*c).get(), kShcontfFolders));
  EXPECT_FALSE(HasEnumerableItems(TShellFolderInterface::ForIdList(*a).get(), kShcontfFolders));
  EXPECT_FALSE(HasEnumerableItems(nullptr, kShcontfFolders));
}
