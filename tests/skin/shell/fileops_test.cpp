// The context menu's file work on real folders: new folder, trash, paste
// with name conflicts, and the clipboard formats file managers share.

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <sys/stat.h>

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
  EXPECT_NE(TempFolder::ReadAll(trash + "info/old.trashinfo").find("Path="), std::string::npos);
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

// Another file system: /dev/shm is memory, the temporary home is not.
TEST_F(FileOps, ACutFromAnotherDiskIsCopiedWholeBeforeTheSourceGoes) {
  TempFolder other(QStringLiteral("/dev/shm/shell-other-XXXXXX"));
  struct stat a {}, b {};
  stat(other.Path().c_str(), &a);
  stat(Desktop.c_str(), &b);
  if (a.st_dev == b.st_dev) GTEST_SKIP() << "/dev/shm is on the same file system here";
  other.MakeDir("album");
  other.WriteFile("album/p.jpg", "pixels");
  other.MakeDir("album/sub");
  std::string error;
  ASSERT_TRUE(PasteInto(Desktop, {other.Path() + "album"}, true, error)) << error;
  EXPECT_EQ(TempFolder::ContentsOf(Desktop + "/album/"), (Contents{{"p.jpg", "file:pixels"}, {"sub", "dir"}}));
  EXPECT_TRUE(other.Contents().empty());
}
