// SPDX-License-Identifier: GPL-3.0-or-later
// The namespace, the folder tree and the file listing with a real mount whose
// server stopped answering: listing, expanding and the computer's volumes come
// back within one timeout, show the mount without children, and never wait on
// it twice.

#include <fcntl.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

#include "framework/tpanel.h"
#include "../../platform/hungmount.h"
#include "platform/readintime.h"
#include "platform/shellnamespace.h"
#include "renamer/trenamefile.h"
#include "shellhome.h"
#include "skin/shell/tbsskindirtreeview.h"

using namespace hungmount;

namespace {
constexpr qint64 kTimeoutMs = kFolderReadTimeout.count();
constexpr qint64 kAtOnceMs = 500;     // what "no wait" may cost on a loaded shared machine
constexpr qint64 kSlackMs = 1200;     // what one timeout may overrun by on such a machine

class HungMountTest : public ShellHome {
 protected:
  void MakeDirs(std::initializer_list<const char*> paths) {
    for (const char* p : paths) ASSERT_EQ(mkdir(p, 0755), 0) << p;
  }

  // The names and expand marks of a folder's children, in the shell's order.
  struct Child {
    std::string Name;
    bool Expandable;
    bool operator==(const Child&) const = default;
  };
  static bool List(const std::string& path, std::vector<Child>& children) {
    children.clear();
    const auto list = TShellFolderInterface::Desktop()->ParseDisplayName(path);
    if (!list) return false;
    const auto folder = TShellFolderInterface::ForIdList(*list);
    std::vector<TIdList> items;
    if (!folder || !folder->EnumObjects(kShcontfFolders, items)) return false;
    std::sort(items.begin(), items.end(), [&](const TIdList& a, const TIdList& b) { return folder->CompareIDs(a, b) < 0; });
    for (const TIdList& item : items)
      children.push_back({folder->GetDisplayNameOf(item, kShgdnInFolder),
                          folder->GetAttributesOf(item, kSfgaoHasSubFolder) != 0});
    return true;
  }

  TbsSkinDirTreeView& MakeTree(const std::string& root) {
    Pane = std::make_unique<TPanel>();
    Pane->SetBounds(0, 0, 200, 300);
    View = new TbsSkinDirTreeView(Pane.get());
    View->SetBounds(0, 0, 200, 300);
    View->SetAlign(alClient);
    View->SetRoot(root);
    View->Loaded();
    Pane->show();
    return *View;
  }
  QTreeWidgetItem* Node(const std::string& text) const {
    QTreeWidgetItem* n = View->FindNode(text);
    EXPECT_TRUE(n) << text;
    return n;
  }
  static std::vector<std::string> Captions(QTreeWidgetItem* node) {
    std::vector<std::string> names;
    for (int i = 0; i < node->childCount(); ++i) names.push_back(node->child(i)->text(0).toStdString());
    return names;
  }

  std::unique_ptr<TPanel> Pane;
  TbsSkinDirTreeView* View = nullptr;
};
}  // namespace

TEST_F(HungMountTest, AFolderHoldingAnUnansweringMountListsAtOnceAndTheMountKeepsItsButton) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  MakeDirs({"/mnt/a", "/mnt/y", "/mnt/z", "/mnt/z/sub"});
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;
  ASSERT_EQ(symlink("/mnt/hung/share", "/mnt/y/nas"), 0);

  QElapsedTimer clock;
  clock.start();
  std::vector<Child> children;
  ASSERT_TRUE(List("/mnt", children));
  // The mount is never looked into, nor is a link onto it inside a child,
  // so their folder lists without waiting; their buttons go when they are
  // expanded.
  EXPECT_EQ(children, (std::vector<Child>{{"a", false}, {"hung", true}, {"y", true}, {"z", true}}));
  EXPECT_LT(clock.elapsed(), kAtOnceMs);
  EXPECT_EQ(UnansweredReads(), 0);
}

TEST_F(HungMountTest, ALinkIntoAnUnansweringMountCostsOneTimeoutOnceAndTheRestOfItsFolderStillLists) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;
  MakeDirs({"/mnt/links", "/mnt/links/a", "/mnt/links/z", "/mnt/links/z/sub"});
  ASSERT_EQ(symlink("/mnt/hung/share", "/mnt/links/nas"), 0);

  QElapsedTimer clock;
  clock.start();
  std::vector<Child> children;
  ASSERT_TRUE(List("/mnt/links", children));
  const qint64 first = clock.restart();
  // The link is what hangs: it is left out, every other entry is there.
  EXPECT_EQ(children, (std::vector<Child>{{"a", false}, {"z", true}}));
  EXPECT_GE(first, kTimeoutMs - 100);
  EXPECT_LT(first, kTimeoutMs + kSlackMs);

  ASSERT_TRUE(List("/mnt/links", children));
  EXPECT_EQ(children, (std::vector<Child>{{"a", false}, {"z", true}}));
  EXPECT_LT(clock.elapsed(), kAtOnceMs) << "the second listing waited on the link again";
  EXPECT_EQ(UnansweredReads(), 1) << "one read still waits on the mount, and only one";
}

TEST_F(HungMountTest, ExpandingTheUnansweringFolderInTheTreeShowsNoChildrenWithinOneTimeoutAndOnlyOnce) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  MakeDirs({"/mnt/a", "/mnt/z", "/mnt/z/sub"});
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;

  QElapsedTimer clock;
  clock.start();
  MakeTree("/mnt");
  QTreeWidgetItem* root = View->Tree()->topLevelItem(0);
  ASSERT_TRUE(root);
  EXPECT_EQ(Captions(root), (std::vector<std::string>{"a", "hung", "z"}));
  EXPECT_LT(clock.elapsed(), kAtOnceMs + 500) << "building the tree waited on the mount";

  QTreeWidgetItem* node = Node("hung");
  ASSERT_TRUE(node);
  EXPECT_EQ(node->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  clock.restart();
  View->Tree()->expandItem(node);
  const qint64 first = clock.restart();
  EXPECT_EQ(node->childCount(), 0);
  // Not read is not empty: the button stays for a later try.
  EXPECT_EQ(node->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  EXPECT_FALSE(node->isExpanded());
  EXPECT_GE(first, kTimeoutMs - 100);
  EXPECT_LT(first, kTimeoutMs + kSlackMs) << "the window waited longer than one timeout";

  // Asked again, the mount is known not to answer: no second wait, no second stuck reader.
  View->Tree()->collapseItem(node);
  View->Tree()->expandItem(node);
  View->RefreshNode(root);
  EXPECT_LT(clock.restart(), kAtOnceMs);
  EXPECT_EQ(UnansweredReads(), 1);
  // Selecting it with the folder watch on does not wait either.
  View->SetAutoRefresh(true);
  View->Tree()->setCurrentItem(Node("hung"));  // the refresh made new nodes
  EXPECT_EQ(View->SelectedPath(), "/mnt/hung");
  // Nothing offered on it would act on a mount that cannot answer.
  ASSERT_TRUE(View->SelectedItem());
  EXPECT_EQ(View->SelectedItem()->CapabilitySet() & ((1u << caRename) | (1u << caDelete) | (1u << caMove)), 0u);
  EXPECT_LT(clock.restart(), kAtOnceMs);
  // And the rest of the tree works as ever.
  View->Tree()->expandItem(Node("z"));
  EXPECT_EQ(Captions(Node("z")), (std::vector<std::string>{"sub"}));
  EXPECT_LT(clock.elapsed(), kAtOnceMs);

  // Once the mount answers again, expanding reads it: an empty folder.
  EXPECT_EQ(Node("hung")->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  hung.Answer();
  for (int i = 0; i < 300 && UnansweredReads() > 0; ++i) QThread::msleep(10);
  ASSERT_EQ(UnansweredReads(), 0);
  View->Tree()->expandItem(Node("hung"));
  EXPECT_EQ(Node("hung")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
}

TEST_F(HungMountTest, TheComputerShowsAnUnansweringVolumeAtOnceAndItsExpansionEndsInOneTimeout) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;
  // The volume list comes from the mount table as the kernel has it now.
  const auto volumes = MountedVolumes();
  ASSERT_TRUE(std::any_of(volumes.begin(), volumes.end(), [](const TShellVolume& v) { return v.MountPoint == "/mnt/hung"; }));

  QElapsedTimer clock;
  clock.start();
  MakeTree("rfMyComputer");
  QTreeWidgetItem* root = View->Tree()->topLevelItem(0);
  ASSERT_TRUE(root);
  EXPECT_LT(clock.elapsed(), kAtOnceMs + 500) << "the computer waited on a volume";
  QTreeWidgetItem* volume = Node("hung");
  ASSERT_TRUE(volume);
  EXPECT_EQ(volume->parent(), root);
  EXPECT_EQ(volume->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

  clock.restart();
  View->Tree()->expandItem(volume);
  const qint64 first = clock.restart();
  EXPECT_EQ(volume->childCount(), 0);
  EXPECT_LT(first, kTimeoutMs + kSlackMs);
  // Looking at the computer again (a refresh reads every volume) does not wait.
  View->RefreshNode(root);
  EXPECT_TRUE(View->FindNode("hung"));
  EXPECT_LT(clock.elapsed(), kAtOnceMs);
  EXPECT_EQ(UnansweredReads(), 1);
}

// The main window lists a folder's files through the renamer: a folder on a
// mount that stopped answering lists nothing within one timeout, the next
// time at once, and the files of other folders as ever.
TEST_F(HungMountTest, ListingTheFilesOfAnUnansweringFolderEndsInOneTimeoutAndThenAtOnce) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  MakeDirs({"/mnt/a"});
  ASSERT_EQ(close(open("/mnt/a/photo.jpg", O_CREAT | O_WRONLY, 0644)), 0);
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;

  Trenamefile renamer;
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(renamer.ListFiles("/mnt/hung/*.*").empty());
  EXPECT_EQ(renamer.FileCount(), 0);
  const qint64 first = clock.restart();
  EXPECT_GE(first, kTimeoutMs - 100);
  EXPECT_LT(first, kTimeoutMs + kSlackMs) << "the window waited longer than one timeout";

  EXPECT_TRUE(renamer.ListFiles("/mnt/hung/sub/*.jpg").empty());
  EXPECT_LT(clock.restart(), kAtOnceMs);
  EXPECT_EQ(UnansweredReads(), 1);

  EXPECT_EQ(renamer.ListFiles("/mnt/a/*.*"), (std::vector<std::string>{"photo.jpg"}));
  EXPECT_EQ(renamer.FileCount(), 1);
}
