// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting on another disk: the item goes to that disk's own trash, by a
// rename only, and a trash folder that fails the safety checks takes nothing.
// The other disk is a memory file system mounted in a child process's private
// mount table, so it is seen by nobody else and goes with the child.

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

#include "platform/shellfileops.h"
#include "shellhome.h"

namespace {
using Contents = std::map<std::string, std::string>;

class DiskTrash : public ShellHome {
 protected:
  void SetUp() override {
    ShellHome::SetUp();
    Home.MakeDir("disk");
    Disk = Home.Path() + "disk";
    Uid = std::to_string(getuid());
  }

  // Runs `body` in a child that sees a fresh, empty file system at Disk.
  // Without one the test fails: it must never pass by testing nothing.
  void OnOtherDisk(const std::function<void()>& body) {
    std::fflush(stdout);
    const pid_t pid = fork();
    ASSERT_NE(pid, -1) << std::strerror(errno);
    if (pid == 0) {
      int code;
      if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          mount("tmpfs", Disk.c_str(), "tmpfs", 0, "size=8m,mode=755") != 0) {
        std::fprintf(stderr, "no private file system: %s\n", std::strerror(errno));
        code = 2;
      } else {
        body();
        code = ::testing::Test::HasFailure() ? 1 : 0;
      }
      std::fflush(stdout);
      std::fflush(stderr);
      _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "the child with the other disk died";
    ASSERT_NE(WEXITSTATUS(status), 2) << "no second file system could be mounted (unshare or mount refused)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a check on the other disk failed (see above)";
  }

  void MakeDir(const std::string& path, mode_t mode = 0755) const {
    ASSERT_EQ(mkdir(path.c_str(), mode), 0) << path;
    ASSERT_EQ(chmod(path.c_str(), mode), 0) << path;  // past the umask
  }
  void WriteFile(const std::string& path, const std::string& bytes) const {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  static std::string InfoPath(const std::string& infoFile) {
    const std::string text = TempFolder::ReadAll(infoFile);
    const std::size_t at = text.find("\nPath=");
    if (text.rfind("[Trash Info]\n", 0) != 0 || at == std::string::npos) return "<no info: " + text + ">";
    return text.substr(at + 6, text.find('\n', at + 6) - at - 6);
  }
  static bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
  }

  std::string Disk;  // no trailing "/"
  std::string Uid;
};
}  // namespace

TEST(MountPoint, TheLongestMountPointThatCoversThePath) {
  const std::string table =
      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "40 27 0:40 / /home rw - ext4 /dev/vdb rw\n"
      "41 27 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
      "42 27 0:42 / /mnt/x rw - tmpfs tmpfs rw\n"
      "43 42 0:43 / /mnt/x rw - tmpfs tmpfs rw\n"
      "44 27 0:44 /sub /srv/bound rw - ext4 /dev/vdb rw\n"
      "garbage\n";
  const struct {
    const char* What;
    std::string Path;
    std::string Expected;
  } rows[] = {
      {"root file system", "/usr/share", "/"},
      {"the root itself", "/", "/"},
      {"a disk below the root", "/home/me/Pictures", "/home"},
      {"the mount point itself", "/home", "/home"},
      {"a name that only starts like a mount point", "/homework", "/"},
      {"an escaped blank in the mount point", "/media/usb stick/DCIM", "/media/usb stick"},
      {"two mounts on one folder", "/mnt/x/a", "/mnt/x"},
      {"a bind mount is a mount point of its own", "/srv/bound/a", "/srv/bound"},
  };
  for (const auto& row : rows) EXPECT_EQ(MountPointOf(table, row.Path), row.Expected) << row.What;
  EXPECT_EQ(MountPointOf("", "/a"), "");
}

TEST_F(DiskTrash, AFolderOnAnotherDiskGoesToThatDisksOwnTrashWithAPathRelativeToItsTop) {
  OnOtherDisk([&] {
    MakeDir(Disk + "/photos");
    MakeDir(Disk + "/photos/far");
    WriteFile(Disk + "/photos/far/a.txt", "alpha");
    MakeDir(Disk + "/photos/caf\xE9");
    std::string error;
    ASSERT_TRUE(MoveToTrash(Disk + "/photos/far", error)) << error;
    ASSERT_TRUE(MoveToTrash(Disk + "/photos/caf\xE9", error)) << error;
    // A second item of the same name takes the next free one.
    MakeDir(Disk + "/photos/far");
    ASSERT_TRUE(MoveToTrash(Disk + "/photos/far", error)) << error;

    EXPECT_TRUE(TempFolder::ContentsOf(Disk + "/photos/").empty());
    const std::string trash = Disk + "/.Trash-" + Uid;
    EXPECT_EQ(TempFolder::ContentsOf(Disk + "/"), (Contents{{".Trash-" + Uid, "dir"}, {"photos", "dir"}}));
    EXPECT_EQ(TempFolder::ContentsOf(trash + "/files/"), (Contents{{"far", "dir"}, {"far.2", "dir"}, {"caf\xE9", "dir"}}));
    EXPECT_EQ(TempFolder::ContentsOf(trash + "/files/far/"), (Contents{{"a.txt", "file:alpha"}}));
    EXPECT_EQ(InfoPath(trash + "/info/far.trashinfo"), "photos/far");
    EXPECT_EQ(InfoPath(trash + "/info/far.2.trashinfo"), "photos/far");
    EXPECT_EQ(InfoPath(trash + "/info/caf\xE9.trashinfo"), "photos/caf%E9");
    struct stat st {};
    ASSERT_EQ(lstat(trash.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    // The home trash never saw any of it.
    EXPECT_FALSE(Exists(Home.Path() + ".local/share/Trash"));
  });
}

TEST_F(DiskTrash, ASharedStickyTrashIsUsedThroughTheUsersOwnFolderInIt) {
  OnOtherDisk([&] {
    MakeDir(Disk + "/one");
    MakeDir(Disk + "/two");
    MakeDir(Disk + "/three");
    std::string error;
    // A shared trash that is only a link to a sticky folder is passed over.
    MakeDir(Disk + "/elsewhere", 01777);
    ASSERT_EQ(symlink("elsewhere", (Disk + "/.Trash").c_str()), 0);
    ASSERT_TRUE(MoveToTrash(Disk + "/one", error)) << error;
    EXPECT_TRUE(TempFolder::ContentsOf(Disk + "/elsewhere/").empty());
    // So is a real folder without the sticky bit.
    ASSERT_EQ(unlink((Disk + "/.Trash").c_str()), 0);
    MakeDir(Disk + "/.Trash", 0777);
    ASSERT_TRUE(MoveToTrash(Disk + "/two", error)) << error;
    EXPECT_TRUE(TempFolder::ContentsOf(Disk + "/.Trash/").empty());
    EXPECT_EQ(TempFolder::ContentsOf(Disk + "/.Trash-" + Uid + "/files/"), (Contents{{"one", "dir"}, {"two", "dir"}}));
    // With the sticky bit it is the trash, in a folder named after the user.
    ASSERT_EQ(chmod((Disk + "/.Trash").c_str(), 01777), 0);
    ASSERT_TRUE(MoveToTrash(Disk + "/three", error)) << error;
    EXPECT_FALSE(Exists(Disk + "/three"));
    const std::string shared = Disk + "/.Trash/" + Uid;
    EXPECT_EQ(TempFolder::ContentsOf(shared + "/files/"), (Contents{{"three", "dir"}}));
    EXPECT_EQ(InfoPath(shared + "/info/three.trashinfo"), "three");
    EXPECT_EQ(TempFolder::ContentsOf(Disk + "/.Trash-" + Uid + "/files/"), (Contents{{"one", "dir"}, {"two", "dir"}}));
  });
}

TEST_F(DiskTrash, AnOwnTrashThatIsALinkSomeoneElsesOrOpenIsRefusedAndNothingMoves) {
  OnOtherDisk([&] {
    MakeDir(Disk + "/far");
    WriteFile(Disk + "/far/a.txt", "alpha");
    MakeDir(Disk + "/elsewhere", 0700);
    const std::string own = Disk + "/.Trash-" + Uid;
    const std::string far = Disk + "/far";
    std::string error;

    ASSERT_EQ(symlink("elsewhere", own.c_str()), 0);
    EXPECT_FALSE(MoveToTrash(far, error));
    EXPECT_NE(error.find(".Trash-" + Uid + " 是符号链接"), std::string::npos) << error;
    EXPECT_TRUE(TempFolder::ContentsOf(Disk + "/elsewhere/").empty());
    EXPECT_EQ(TempFolder::ContentsOf(far + "/"), (Contents{{"a.txt", "file:alpha"}}));

    ASSERT_EQ(unlink(own.c_str()), 0);
    MakeDir(own, 0700);
    ASSERT_EQ(chown(own.c_str(), getuid() + 1, getgid()), 0) << std::strerror(errno);
    error.clear();
    EXPECT_FALSE(MoveToTrash(far, error));
    EXPECT_NE(error.find("不属于当前用户"), std::string::npos) << error;
    EXPECT_TRUE(TempFolder::ContentsOf(own + "/").empty());
    EXPECT_EQ(TempFolder::ContentsOf(far + "/"), (Contents{{"a.txt", "file:alpha"}}));

    ASSERT_EQ(chown(own.c_str(), getuid(), getgid()), 0);
    ASSERT_EQ(chmod(own.c_str(), 0755), 0);
    error.clear();
    EXPECT_FALSE(MoveToTrash(far, error));
    EXPECT_NE(error.find("0700"), std::string::npos) << error;
    EXPECT_TRUE(TempFolder::ContentsOf(own + "/").empty());

    // Closed to others again, the same folder takes it.
    ASSERT_EQ(chmod(own.c_str(), 0700), 0);
    ASSERT_TRUE(MoveToTrash(far, error)) << error;
    EXPECT_EQ(TempFolder::ContentsOf(own + "/files/far/"), (Contents{{"a.txt", "file:alpha"}}));
  });
}

TEST_F(DiskTrash, AFolderShownAgainByABindMountGetsItsTrashAtThatMount) {
  OnOtherDisk([&] {
    MakeDir(Disk + "/real");
    MakeDir(Disk + "/view");
    ASSERT_EQ(mount((Disk + "/real").c_str(), (Disk + "/view").c_str(), nullptr, MS_BIND, nullptr), 0)
        << std::strerror(errno);
    MakeDir(Disk + "/view/far");
    // One device all the way up to the disk's top, but a rename out of the
    // bind mount fails: its trash must be at the mount itself.
    std::string error;
    ASSERT_TRUE(MoveToTrash(Disk + "/view/far", error)) << error;
    EXPECT_EQ(TempFolder::ContentsOf(Disk + "/view/.Trash-" + Uid + "/files/"), (Contents{{"far", "dir"}}));
    EXPECT_EQ(InfoPath(Disk + "/view/.Trash-" + Uid + "/info/far.trashinfo"), "far");
    EXPECT_FALSE(Exists(Disk + "/.Trash-" + Uid));
  });
}

TEST_F(DiskTrash, AFolderWithADiskMountedOnItIsRefusedAndStays) {
  OnOtherDisk([&] {
    WriteFile(Disk + "/inside.txt", "i");
    std::string error;
    EXPECT_FALSE(MoveToTrash(Disk, error));
    EXPECT_NE(error.find("挂载点"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::ContentsOf(Disk + "/"), (Contents{{"inside.txt", "file:i"}}));
    EXPECT_FALSE(Exists(Home.Path() + ".Trash-" + Uid));
  });
}
