// SPDX-License-Identifier: GPL-3.0-or-later
// The context menu's file work on real folders: new folder, trash, paste
// with name conflicts, a move across disks while a program writes into it
// or is killed, and the clipboard formats file managers share.

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <ctime>

#include <functional>

#include "platform/pastejob.h"
#include "platform/shellfileops.h"
#include "shellhome.h"

namespace {
class FileOps : public ShellHome {};
using Contents = std::map<std::string, std::string>;
}  // namespace

TEST_F(FileOps, NewFolderTakesTheFirstFreeName) {
  std::string error;
  EXPECT_EQ(MakeNewFolder(Desktop, error), "新建文件夹");
  EXPECT_EQ(MakeNewFolder(Desktop, error), "新建文件夹 (2)");
  File("新建文件夹 (3)");  // a file takes the name too
  EXPECT_EQ(MakeNewFolder(Desktop, error), "新建文件夹 (4)");
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/"),
            (Contents{{"新建文件夹", "dir"}, {"新建文件夹 (2)", "dir"}, {"新建文件夹 (3)", "file:x"}, {"新建文件夹 (4)", "dir"}}));
  EXPECT_EQ(MakeNewFolder(Desktop + "/missing", error), "");
  EXPECT_FALSE(error.empty());
}

TEST_F(FileOps, DeleteMovesTheFolderIntoTheUsersTrashWithItsContents) {
  Dir("old");
  File("old/a.txt", "alpha");
  std::string error;
  ASSERT_TRUE(MoveToTrash(Desktop + "/old", error)) << error;
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/").empty());
  const std::string trash = Home.Path() + ".local/share/Trash/";
  EXPECT_EQ(TempFolder::ContentsOf(trash + "files/old/"), (Contents{{"a.txt", "file:alpha"}}));
  const std::string info = TempFolder::ReadAll(trash + "info/old.trashinfo");
  EXPECT_NE(info.find("Path="), std::string::npos);
  // The deletion date reads back as local time, to the second, within a minute of now.
  const std::size_t at = info.find("\nDeletionDate=");
  ASSERT_NE(at, std::string::npos) << info;
  struct tm when {};
  const char* end = strptime(info.c_str() + at + 14, "%Y-%m-%dT%H:%M:%S", &when);
  ASSERT_TRUE(end && *end == '\n') << info;
  when.tm_isdst = -1;
  EXPECT_LT(std::abs(std::difftime(std::mktime(&when), std::time(nullptr))), 60.0) << info;
}

TEST_F(FileOps, WhenTheTrashCannotTakeItNothingIsDeleted) {
  std::string error;
  EXPECT_FALSE(MoveToTrash(Desktop + "/missing", error));
  EXPECT_FALSE(error.empty());
  char* before = getcwd(nullptr, 0);
  const std::string cwd = before;
  free(before);
  // A trash that cannot be made: where its folder belongs there is a file.
  Home.MakeDir(".local");
  Home.WriteFile(".local/share", "not a folder");
  Dir("keep");
  error.clear();
  EXPECT_FALSE(MoveToTrash(Desktop + "/keep", error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/").count("keep"));
  // And no trash turns up anywhere else, such as the working directory.
  struct stat st {};
  EXPECT_NE(lstat((cwd + "/info/keep.trashinfo").c_str(), &st), 0);
  EXPECT_NE(lstat((cwd + "/files/keep").c_str(), &st), 0);
}

TEST_F(FileOps, TrashKeepsNamesThatAreNotUtf8AndTwoItemsOfOneName) {
  const std::string odd = "caf\xE9";
  Dir(odd);
  Dir("twin");
  std::string error;
  ASSERT_TRUE(MoveToTrash(Desktop + "/" + odd, error)) << error;
  ASSERT_TRUE(MoveToTrash(Desktop + "/twin", error)) << error;
  Dir("twin");
  File("twin/second.txt", "2");
  ASSERT_TRUE(MoveToTrash(Desktop + "/twin", error)) << error;
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/").empty());
  const std::string trash = Home.Path() + ".local/share/Trash/";
  EXPECT_EQ(TempFolder::ContentsOf(trash + "files/"), (Contents{{odd, "dir"}, {"twin", "dir"}, {"twin.2", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(trash + "files/twin.2/"), (Contents{{"second.txt", "file:2"}}));
  EXPECT_EQ(TempFolder::ReadAll(trash + "info/" + odd + ".trashinfo").substr(0, 19), "[Trash Info]\nPath=/");
  EXPECT_NE(TempFolder::ReadAll(trash + "info/" + odd + ".trashinfo").find("/Desktop/caf%E9\n"), std::string::npos);
}

TEST_F(FileOps, PasteCopiesRecursivelyUnderAFreeNameAndNeverReplaces) {
  Dir("src");
  Dir("src/inner");
  File("src/inner/deep.txt", "deep");
  File("src/top.txt", "top");
  Home.MakeLink("Desktop/src/link", "top.txt");
  Dir("dest");
  Dir("dest/src");
  File("dest/src/mine.txt", "mine");
  File("note.txt", "n1");
  File("dest/note.txt", "n2");
  std::string error;
  ASSERT_TRUE(PasteInto(Desktop + "/dest", {Desktop + "/src", Desktop + "/note.txt"}, false, error)) << error;
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/"),
            (Contents{{"src", "dir"}, {"src (2)", "dir"}, {"note.txt", "file:n2"}, {"note (2).txt", "file:n1"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/src/"), (Contents{{"mine.txt", "file:mine"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/src (2)/"),
            (Contents{{"inner", "dir"}, {"top.txt", "file:top"}, {"link", "link:top.txt"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/src (2)/inner/"), (Contents{{"deep.txt", "file:deep"}}));
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/").count("src"));  // a copy leaves the source
  // Pasting a copy into the folder it came from gives the next free name.
  ASSERT_TRUE(PasteInto(Desktop + "/dest", {Desktop + "/dest/src"}, false, error)) << error;
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/dest/").count("src (3)"));
}

TEST_F(FileOps, ACutPasteMovesAndAFolderIsNeverPastedIntoItself) {
  Dir("a");
  Dir("a/b");
  File("a/f.txt", "f");
  Dir("dest");
  Dir("dest/a");
  std::string error;
  EXPECT_FALSE(PasteInto(Desktop + "/a/b", {Desktop + "/a"}, false, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(PasteInto(Desktop + "/a", {Desktop + "/a"}, true, error));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/a/"), (Contents{{"b", "dir"}, {"f.txt", "file:f"}}));
  EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/a/b/").empty());
  ASSERT_TRUE(PasteInto(Desktop + "/dest", {Desktop + "/a"}, true, error)) << error;
  EXPECT_FALSE(TempFolder::ContentsOf(Desktop + "/").count("a"));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/"), (Contents{{"a", "dir"}, {"a (2)", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/dest/a (2)/"), (Contents{{"b", "dir"}, {"f.txt", "file:f"}}));
}

TEST(ClipboardFormats, FileUrisKeepEveryByteAndReadBack) {
  const std::string odd = "/tmp/a b/caf\xE9/100%\n";
  const std::string uri = PathToFileUri(odd);
  EXPECT_EQ(uri, "file:///tmp/a%20b/caf%E9/100%25%0A");
  EXPECT_EQ(FileUriToPath(uri), odd);
  EXPECT_EQ(FileUriToPath("file://localhost/etc"), "/etc");
  EXPECT_EQ(FileUriToPath("file:/etc"), "/etc");
  EXPECT_EQ(FileUriToPath("file://otherhost/etc"), "");
  EXPECT_EQ(FileUriToPath("http://x/etc"), "");
  EXPECT_EQ(FileUriToPath("file:///a%00b"), "");
  bool cut = false;
  EXPECT_EQ(GnomeCopiedFiles({"/a", "/b c"}, true), "cut\nfile:///a\nfile:///b%20c");
  EXPECT_EQ(PathsFromGnomeCopiedFiles("cut\nfile:///a\nfile:///b%20c\n", cut), (std::vector<std::string>{"/a", "/b c"}));
  EXPECT_TRUE(cut);
  EXPECT_EQ(PathsFromGnomeCopiedFiles("copy\nfile:///a", cut), (std::vector<std::string>{"/a"}));
  EXPECT_FALSE(cut);
  EXPECT_EQ(PathsFromUriList("# comment\r\nfile:///a\r\nhttp://x/\r\n\r\nfile:///b\r\n"),
            (std::vector<std::string>{"/a", "/b"}));
}

TEST(ClipboardFormats, TheClipboardCarriesCopiedAndCutFilesBothWays) {
  PutFilesOnClipboard({"/x/one", "/x/two"}, true);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(data);
  EXPECT_EQ(data->data("x-special/gnome-copied-files").toStdString(), "cut\nfile:///x/one\nfile:///x/two");
  EXPECT_EQ(data->data("text/uri-list").toStdString(), "file:///x/one\r\nfile:///x/two\r\n");
  std::vector<std::string> paths;
  bool cut = false;
  ASSERT_TRUE(FilesOnClipboard(paths, cut));
  EXPECT_EQ(paths, (std::vector<std::string>{"/x/one", "/x/two"}));
  EXPECT_TRUE(cut);
  // What another file manager copied as a plain URI list.
  auto* other = new QMimeData;
  other->setData("text/uri-list", "file:///y/three\r\n");
  QApplication::clipboard()->setMimeData(other);
  ASSERT_TRUE(FilesOnClipboard(paths, cut));
  EXPECT_EQ(paths, (std::vector<std::string>{"/y/three"}));
  EXPECT_FALSE(cut);
  QApplication::clipboard()->setText("just text");
  EXPECT_FALSE(FilesOnClipboard(paths, cut));
}

namespace {
// Every file below `folder` by its relative path, with its bytes; the
// hidden temporaries a cut-short paste leaves apart.
Contents FilesBelow(const std::string& folder, const std::string& prefix = "") {
  Contents files;
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0) return files;
  for (const auto& [name, what] : TempFolder::ContentsOf(folder + "/")) {
    if (what == "dir") files.merge(FilesBelow(folder + "/" + name, prefix + name + "/"));
    else if (name.rfind(".paste-", 0) != 0) files[prefix + name] = what;
  }
  return files;
}

// Runs `body` with a folder on a file system of its own: as root a fresh
// memory file system mounted in a child's private mount table (gone with the
// child), else /dev/shm, which must then be another disk than the home's.
class OtherDisk : public FileOps {
 protected:
  void On(const std::function<void(const std::string&)>& body, unsigned long flags = 0, const char* size = "size=256m") {
    if (geteuid() != 0) {
      if (flags & MS_RDONLY || std::string(size) != "size=256m") GTEST_SKIP() << "a small or read-only disk needs root";
      TempFolder other(QStringLiteral("/dev/shm/shell-other-XXXXXX"));
      struct stat a {}, b {};
      stat(other.Path().c_str(), &a);
      stat(Desktop.c_str(), &b);
      if (a.st_dev == b.st_dev) GTEST_SKIP() << "/dev/shm is on the home's file system here";
      body(other.Path().substr(0, other.Path().size() - 1));
      return;
    }
    const std::string disk = Home.Path() + "disk";
    mkdir(disk.c_str(), 0755);  // the mount point, made by the first call
    std::fflush(stdout);
    const pid_t pid = fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
      int code = 2;
      if (unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
          mount("tmpfs", disk.c_str(), "tmpfs", flags, size) == 0) {
        body(disk);
        code = ::testing::Test::HasFailure() ? 1 : 0;
      }
      std::fflush(stdout);
      _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "the child with the other disk died";
    ASSERT_NE(WEXITSTATUS(status), 2) << "no memory file system could be mounted";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a check on the other disk failed (see above)";
  }

  static void Write(const std::string& path, const std::string& bytes, int flags = O_TRUNC) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | flags, 0644);
    ASSERT_GE(fd, 0) << path;
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    close(fd);
  }
};
}  // namespace

// A move to another disk that nothing disturbs: all of it goes, with a link as a link.
TEST_F(OtherDisk, ACutFromAnotherDiskIsCopiedWholeBeforeTheSourceGoes) {
  On([&](const std::string& disk) {
    ASSERT_EQ(mkdir((disk + "/album").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((disk + "/album/sub").c_str(), 0755), 0);
    Write(disk + "/album/p.jpg", "pixels");
    ASSERT_EQ(symlink("p.jpg", (disk + "/album/link").c_str()), 0);
    std::string error;
    ASSERT_TRUE(PasteInto(Desktop, {disk + "/album"}, true, error)) << error;
    EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/album/"),
              (Contents{{"p.jpg", "file:pixels"}, {"sub", "dir"}, {"link", "link:p.jpg"}}));
    EXPECT_TRUE(TempFolder::ContentsOf(disk + "/").empty());
  });
}

// A program writes into the folder while it moves to another disk: a new
// file, an append to one already copied and to one not yet copied, between
// every few files. Whatever it wrote ends up whole in exactly one place.
TEST_F(OtherDisk, AMoveAcrossDisksLeavesWhatChangedMeanwhileAndLosesNothing) {
  On([&](const std::string& disk) {
    const std::string src = disk + "/src", truth = Home.Path() + "truth";
    // Every write goes to the source and, the same, to `truth`: what the files must hold.
    auto put = [&](const std::string& rel, const std::string& bytes, int flags) {
      Write(src + "/" + rel, bytes, flags);
      Write(truth + "/" + rel, bytes, flags);
    };
    for (const char* dir : {"", "/a", "/b"}) {
      ASSERT_EQ(mkdir((src + dir).c_str(), 0750), 0);
      ASSERT_EQ(mkdir((truth + dir).c_str(), 0755), 0);
    }
    for (int i = 0; i < 60; ++i)
      put(std::string(i % 2 ? "a/" : "b/") + "f" + std::to_string(i), std::string(3000 + i, char('a' + i % 26)), O_TRUNC);
    int go[2], ack[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(ack), 0);
    const pid_t writer = fork();
    ASSERT_NE(writer, -1);
    if (writer == 0) {
      close(go[1]);
      close(ack[0]);
      char round = 0;
      while (read(go[0], &round, 1) == 1) {
        const std::string k = std::to_string(int(round));
        put("a/new" + k, "new file " + k, O_TRUNC);
        put("new" + k, "top " + k, O_TRUNC);
        put("a/f" + std::to_string(2 * round + 1), "+appended " + k, O_APPEND);  // copied already or not
        put("b/f" + std::to_string(58 - 2 * round), "+appended " + k, O_APPEND);
        if (write(ack[1], "k", 1) != 1) break;
      }
      _exit(0);
    }
    close(go[0]);
    close(ack[1]);
    struct stat untouched {}, folderB {};
    ASSERT_EQ(stat((src + "/b/f0").c_str(), &untouched), 0);
    ASSERT_EQ(stat((src + "/b").c_str(), &folderB), 0);
    TPasteControl control;
    char round = 0;
    control.AfterEachFile = [&](std::size_t done) {
      if (done % 6 != 0 || round >= 25) return;
      char k = 0;
      ASSERT_EQ(write(go[1], &round, 1), 1);
      ASSERT_EQ(read(ack[0], &k, 1), 1);
      ++round;
    };
    const TPasteResult result = RunPaste(Desktop, {src}, true, control);
    close(go[1]);
    waitpid(writer, nullptr, 0);
    ASSERT_GT(round, 5);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find("留在了原来的文件夹中"), std::string::npos) << result.Error;
    const Contents left = FilesBelow(src), moved = FilesBelow(Desktop + "/src"), expected = FilesBelow(truth);
    Contents together = left;
    for (const auto& [rel, bytes] : moved) {
      EXPECT_FALSE(left.count(rel)) << rel << " is in both places";
      together[rel] = bytes;
    }
    EXPECT_EQ(together, expected);
    EXPECT_FALSE(moved.empty());
    // Kept: the folders' modes, the files' times to the nanosecond.
    struct stat from {}, to {};
    ASSERT_EQ(stat((truth + "/a").c_str(), &from), 0);
    ASSERT_EQ(stat((Desktop + "/src/a").c_str(), &to), 0);
    EXPECT_EQ(to.st_mode & 07777, 0750u);
    ASSERT_EQ(stat((Desktop + "/src/b/f0").c_str(), &to), 0);
    EXPECT_EQ(to.st_mtim.tv_sec, untouched.st_mtim.tv_sec);
    EXPECT_EQ(to.st_mtim.tv_nsec, untouched.st_mtim.tv_nsec);
    ASSERT_EQ(stat((Desktop + "/src/b").c_str(), &to), 0);
    EXPECT_EQ(to.st_mtim.tv_nsec, folderB.st_mtim.tv_nsec);
  });
}

// A move killed half way: every file under its final name in the target is
// whole, and every source file is whole in one place at least.
TEST_F(OtherDisk, AMoveKilledHalfWayLeavesNoDamagedFileUnderAFinalName) {
  On([&](const std::string& disk) {
    Dir("big");
    Contents original;
      for (int i = 0; i < 12; ++i) {
      std::string bytes(2 << 20, char('A' + i));
      bytes.replace(0, 8, "file " + std::to_string(i));
      File("big/f" + std::to_string(i), bytes);
      original["f" + std::to_string(i)] = "file:" + bytes;
    }
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t mover = fork();
    ASSERT_NE(mover, -1);
    if (mover == 0) {
      TPasteControl control;
      control.AfterEachFile = [&](std::size_t done) {
        if (done == 3 && write(started[1], "s", 1) != 1) _exit(3);
      };
      RunPaste(disk, {Desktop + "/big"}, true, control);
      _exit(0);
    }
    char s = 0;
    ASSERT_EQ(read(started[0], &s, 1), 1);
    kill(mover, SIGKILL);
    waitpid(mover, nullptr, 0);
    const Contents moved = FilesBelow(disk + "/big");
    EXPECT_GE(moved.size(), 3u);
    for (const auto& [name, bytes] : moved) EXPECT_TRUE(bytes == original[name]) << name << " is damaged";
    const Contents left = FilesBelow(Desktop + "/big");
    for (const auto& [name, bytes] : original)
      EXPECT_TRUE((left.count(name) && left.at(name) == bytes) || moved.count(name)) << name << " is lost";
  });
}

TEST_F(FileOps, TheRootAndEveryOtherFolderAboveTheTargetAreRefusedWithNothingPasted) {
  Dir("a");
  Dir("a/b");
  Dir("ab");
  for (const auto& [source, move] : {std::pair{std::string("/"), false}, {std::string("/"), true},
                                     {Home.Path(), true}, {Desktop + "/a", false}}) {
    std::string error;
    EXPECT_FALSE(PasteInto(Desktop + "/a/b", {source}, move, error)) << source;
    EXPECT_NE(error.find("：不能把文件夹粘贴到它自己里面"), std::string::npos) << source << ": " << error;
    EXPECT_TRUE(TempFolder::ContentsOf(Desktop + "/a/b/").empty()) << source;
  }
  // A name that only begins like the target's is no folder above it.
  std::string error;
  ASSERT_TRUE(PasteInto(Desktop + "/ab", {Desktop + "/a"}, false, error)) << error;
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/ab/"), (Contents{{"a", "dir"}}));
}

// A disk that cannot take the paste: what was made there goes again, the
// source stays whole, and the reason is ours.
TEST_F(OtherDisk, ADiskThatCannotTakeAPasteSaysWhyAndKeepsTheSource) {
  File("note.txt", "n");
  Dir("big");
  for (const char* name : {"1", "2", "3"}) File(std::string("big/") + name, std::string(600 << 10, *name));
  const Contents before = FilesBelow(Desktop);
  On([&](const std::string& disk) {
    std::string error;
    EXPECT_FALSE(PasteInto(disk, {Desktop + "/note.txt"}, true, error));
    EXPECT_EQ(error, "note.txt：磁盘是只读的");
  }, MS_RDONLY);
  On([&](const std::string& disk) {
    std::string error;
    EXPECT_FALSE(PasteInto(disk, {Desktop + "/big"}, true, error));
    EXPECT_NE(error.find("：磁盘空间不足"), std::string::npos) << error;
    EXPECT_TRUE(TempFolder::ContentsOf(disk + "/").empty());
  }, 0, "size=1m");
  EXPECT_EQ(FilesBelow(Desktop), before);
  std::string error;
  EXPECT_FALSE(PasteInto(Desktop + "/missing", {Desktop + "/note.txt"}, false, error));
  EXPECT_EQ(error, "missing：找不到文件或文件夹");
}
