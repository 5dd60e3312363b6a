// SPDX-License-Identifier: GPL-3.0-or-later
// The mount table: reading mountinfo, which file systems may not answer, and
// where a path leads once its links are followed, on real mounts.

#include <sys/stat.h>
#include <unistd.h>

#include "hungmount.h"
#include "platform/mounttable.h"

using namespace hungmount;

TEST(MountTable, MountInfoLinesGiveTheMountPointUnescapedAndTheType) {
  const std::string info =
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "40 22 0:35 / /media/me/My\\040Disk rw,nosuid - vfat /dev/sdb1 rw\n"
      "41 22 0:36 / /home/me/nas rw - nfs4 srv:/export rw\n"
      "42 22 0:37 / /run/user/1000/gvfs rw shared:9 master:2 - fuse.gvfsd-fuse gvfsd-fuse rw\n"
      "no dash here at all\n"
      "\n";
  const std::vector<TMount> mounts = MountsFromMountInfo(info);
  ASSERT_EQ(mounts.size(), 4u);
  EXPECT_EQ(mounts[0].Point, "/");
  EXPECT_EQ(mounts[0].Type, "ext4");
  EXPECT_EQ(mounts[1].Point, "/media/me/My Disk");
  EXPECT_EQ(mounts[1].Type, "vfat");
  EXPECT_EQ(mounts[2].Type, "nfs4");
  EXPECT_EQ(mounts[3].Type, "fuse.gvfsd-fuse");
  EXPECT_EQ(UnescapeMountField("a\\011b\\134c\\012"), "a\tb\\c\n");
}

TEST(MountTable, OnlyDisksAndMemoryAreTrustedToAnswer) {
  const struct {
    const char* Type;
    bool MayNotAnswer;
  } rows[] = {
      {"ext4", false}, {"btrfs", false}, {"xfs", false},  {"vfat", false},      {"tmpfs", false},
      {"overlay", false}, {"proc", false}, {"nfs", true}, {"nfs4", true},       {"cifs", true},
      {"smb3", true},  {"fuse", true},   {"fuse.sshfs", true}, {"9p", true},    {"autofs", true},
      {"ceph", true},  {"", true},       {"somethingnew", true},
  };
  for (const auto& row : rows) EXPECT_EQ(MountTypeMayNotAnswer(row.Type), row.MayNotAnswer) << row.Type;
}

// With a FUSE mount at /mnt/hung and links on a local tmpfs leading to it.
TEST(MountTable, APathLeadsOntoAMountThatMayNotAnswerThroughItsLinksOnly) {
  if (!InChild()) return RunInChild();
  ScratchMnt scratch;
  ASSERT_TRUE(scratch.Ok);
  HungMount hung("/mnt/hung");
  ASSERT_TRUE(hung.Ok()) << hung.Error;
  ASSERT_EQ(mkdir("/mnt/plain", 0755), 0);
  ASSERT_EQ(mkdir("/mnt/plain/hungry", 0755), 0);  // a name that begins like the mount, but is not in it
  ASSERT_EQ(symlink("/mnt/hung/share", "/mnt/plain/absolute"), 0);
  ASSERT_EQ(symlink("../hung", "/mnt/plain/relative"), 0);
  ASSERT_EQ(symlink("/mnt/plain", "/mnt/back"), 0);
  ASSERT_EQ(symlink("/mnt/loop2", "/mnt/loop1"), 0);
  ASSERT_EQ(symlink("/mnt/loop1", "/mnt/loop2"), 0);

  const struct {
    const char* Path;
    const char* Mount;  // "" : stays on local file systems
  } rows[] = {
      {"/mnt/hung", "/mnt/hung"},
      {"/mnt/hung/deep/er", "/mnt/hung"},
      {"/mnt/plain", ""},
      {"/mnt/plain/hungry", ""},
      {"/mnt/plain/absolute", "/mnt/hung"},
      {"/mnt/plain/relative/x", "/mnt/hung"},
      {"/mnt/back/relative", "/mnt/hung"},
      {"/mnt/back/hungry/../relative", "/mnt/hung"},
      {"/mnt/plain/missing/x", ""},
  };
  for (const auto& row : rows) {
    const std::optional<TMount> m = MountThatMayNotAnswerOn(row.Path);
    EXPECT_EQ(m ? m->Point : "", row.Mount) << row.Path;
  }
  // A loop of links never resolves: it is not trusted either.
  EXPECT_TRUE(MountThatMayNotAnswerOn("/mnt/loop1/x").has_value());

  EXPECT_EQ(MountNamesThatMayNotAnswerIn("/mnt"), std::vector<std::string>{"hung"});
  EXPECT_EQ(MountNamesThatMayNotAnswerIn("/mnt/"), std::vector<std::string>{"hung"});
  EXPECT_TRUE(MountNamesThatMayNotAnswerIn("/mnt/plain").empty());
  EXPECT_TRUE(IsMountPointThatMayNotAnswer("/mnt/hung/"));
  EXPECT_FALSE(IsMountPointThatMayNotAnswer("/mnt"));
  EXPECT_FALSE(IsMountPointThatMayNotAnswer("/mnt/plain/absolute"));  // a link to it is no mount point
  EXPECT_EQ(MountHolding("/mnt/hung/a").Type, "fuse");
  EXPECT_EQ(MountHolding("/mnt/plain").Type, "tmpfs");
}
