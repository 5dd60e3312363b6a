// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamer/trenamefile.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "../platform/tempfolder.h"

namespace {

using Contents = std::map<std::string, std::string>;
using Files = std::vector<std::pair<std::string, std::string>>;  // name, bytes

// Lists the folder as the main window does and renames what was listed.
std::vector<std::string> ListAndRename(const std::string& folder, const std::string& mask,
                                       const std::string& prefix, int32_t start) {
  Trenamefile engine;
  std::vector<std::string> names = engine.ListFiles(folder + mask);
  EXPECT_EQ(engine.FileCount(), static_cast<int>(names.size()));
  engine.RenameAll(folder, names, prefix, start);
  return names;
}

Contents FilesOf(const Files& files) {
  Contents c;
  for (const auto& [name, bytes] : files) c[name] = "file:" + bytes;
  return c;
}

struct RenameCase {
  const char* What;
  Files Before;
  std::string Mask, Prefix;
  int32_t Start;
  Files After;
};

void PrintTo(const RenameCase& c, std::ostream* os) { *os << c.What; }

const RenameCase kRenameCases[] = {
    {"numbers follow list order, extensions kept",
     {{"a.txt", "A"}, {"b.jpg", "B"}, {"c", "C"}}, "*.*", "My", 0,
     {{"My1.txt", "A"}, {"My2.jpg", "B"}, {"My3", "C"}}},
    {"only the last extension is kept", {{"x.tar.gz", "X"}}, "*.*", "My", 0, {{"My1.gz", "X"}}},
    {"a leading dot with no other is all extension", {{".profile", "P"}}, "*.*", "My", 0,
     {{"My1.profile", "P"}}},
    {"hidden files are renamed like others", {{".hidden.txt", "H"}, {"shown.txt", "S"}}, "*.*",
     "My", 0, {{"My1.txt", "H"}, {"My2.txt", "S"}}},
    {"empty prefix gives bare numbers", {{"a.txt", "A"}, {"b.txt", "B"}}, "*.*", "", 0,
     {{"1.txt", "A"}, {"2.txt", "B"}}},
    {"start 9 gives 10 and 11 without leading zeros", {{"a", "A"}, {"b", "B"}}, "*", "My", 9,
     {{"My10", "A"}, {"My11", "B"}}},
    {"negative numbers keep their sign", {{"a", "A"}, {"b", "B"}, {"c", "C"}}, "*", "n", -2,
     {{"n-1", "A"}, {"n0", "B"}, {"n1", "C"}}},
    {"numbering goes on past the 32-bit maximum", {{"a", "A"}, {"b", "B"}}, "*", "n", INT32_MAX,
     {{"n2147483648", "A"}, {"n2147483649", "B"}}},
    {"numbering follows natural order", {{"f10", "10"}, {"f9", "9"}, {"F1", "1"}}, "*", "", 0,
     {{"1", "1"}, {"2", "9"}, {"3", "10"}}},
    {"colon and backslash are ordinary characters", {{"a.b:c", "A"}, {"d.e\\f", "D"}}, "*", "n",
     0, {{"n1.b:c", "A"}, {"n2.e\\f", "D"}}},
    {"names that are not UTF-8, with newlines or leading blanks",
     {{"\xFF\xFE.bin", "F"}, {"line\nbreak.txt", "L"}, {"  lead.txt", "S"}}, "*.*", "\xFE", 0,
     {{"\xFE" "1.txt", "S"}, {"\xFE" "2.txt", "L"}, {"\xFE" "3.bin", "F"}}},
    {"a name taken by a later file is skipped, the later file still renamed",
     {{"a.txt", "A"}, {"My1.txt", "M"}}, "*.*", "My", 0, {{"a.txt", "A"}, {"My2.txt", "M"}}},
    {"the mask limits what is renamed", {{"a.jpg", "A"}, {"b.png", "B"}}, "*.JPG", "My", 0,
     {{"My1.jpg", "A"}, {"b.png", "B"}}},
};

class RenameTable : public testing::TestWithParam<RenameCase> {};

TEST_P(RenameTable, FolderHoldsExactlyTheRenamedFiles) {
  const RenameCase& c = GetParam();
  TempFolder f;
  for (const auto& [name, bytes] : c.Before) f.WriteFile(name, bytes);
  ListAndRename(f.Path(), c.Mask, c.Prefix, c.Start);
  EXPECT_EQ(f.Contents(), FilesOf(c.After));
}

INSTANTIATE_TEST_SUITE_P(Renamer, RenameTable, testing::ValuesIn(kRenameCases));

TEST(Renamer, CountIsZeroAtFirstAndAfterAnEmptyListing) {
  TempFolder f;
  Trenamefile engine;
  EXPECT_EQ(engine.FileCount(), 0);
  f.WriteFile("a", "");
  f.WriteFile("b", "");
  EXPECT_EQ(engine.ListFiles(f.Path() + "*").size(), 2u);
  EXPECT_EQ(engine.FileCount(), 2);
  EXPECT_TRUE(engine.ListFiles(f.Path() + "*.none").empty());
  EXPECT_EQ(engine.FileCount(), 0);
  EXPECT_TRUE(engine.ListFiles(f.Path() + "missing/*.*").empty());
  EXPECT_EQ(engine.FileCount(), 0);
  engine.RenameAll(f.Path(), {"a", "b"}, "My", 0);  // count 0: nothing happens
  EXPECT_EQ(f.Contents(), (Contents{{"a", "file:"}, {"b", "file:"}}));
}

TEST(Renamer, DirectoriesAreNeitherListedNorRenamed) {
  TempFolder f;
  f.MakeDir("sub.d");
  f.MakeLink("todir", "sub.d");
  f.WriteFile("file", "x");
  for (const char* mask : {"*", "*.*"}) {
    Trenamefile engine;
    EXPECT_EQ(engine.ListFiles(f.Path() + mask), std::vector<std::string>{"file"}) << mask;
  }
  ListAndRename(f.Path(), "*.*", "My", 0);
  EXPECT_EQ(f.Contents(), (Contents{{"sub.d", "dir"}, {"todir", "link:sub.d"}, {"My1", "file:x"}}));
}

TEST(Renamer, RenameNeverOverwritesAnExistingFile) {
  TempFolder f;
  f.WriteFile("a.dat", "first");
  f.WriteFile("b.dat", "second");
  f.WriteFile("c.dat", "third");
  f.WriteFile("My2.dat", "bystander");  // not in the list: the mask takes one-letter names
  EXPECT_EQ(ListAndRename(f.Path(), "?.dat", "My", 0).size(), 3u);
  EXPECT_EQ(f.Contents(), (Contents{{"My1.dat", "file:first"},
                                    {"b.dat", "file:second"},
                                    {"My2.dat", "file:bystander"},
                                    {"My3.dat", "file:third"}}));
}

TEST(Renamer, DotInTheFolderIsNoExtension) {
  TempFolder f;
  f.MakeDir("photos.2024");
  const std::string folder = f.Path() + "photos.2024/";
  ASSERT_EQ(symlink("x", (folder + "plain").c_str()), 0);
  ListAndRename(folder, "*.*", "My", 0);
  EXPECT_EQ(TempFolder::ContentsOf(folder), (Contents{{"My1", "link:x"}}));
}

TEST(Renamer, LongestNamesSurviveAndTooLongNewNamesAreSkipped) {
  TempFolder f;
  const std::string longest = std::string(251, 'x') + ".txt";  // 255 bytes, the limit
  f.WriteFile("a", "short");
  f.WriteFile(longest, "long");
  // The second new name would be 251 + 1 + 4 = 256 bytes and cannot exist.
  const std::string prefix(251, 'p');
  ListAndRename(f.Path(), "*.*", prefix, 0);
  EXPECT_EQ(f.Contents(), (Contents{{prefix + "1", "file:short"}, {longest, "file:long"}}));

  ListAndRename(f.Path(), "x*", "My", 0);
  EXPECT_EQ(f.Contents(), (Contents{{prefix + "1", "file:short"}, {"My1.txt", "file:long"}}));
}

TEST(Renamer, FileDeletedAfterListingIsSkippedAndKeepsItsNumber) {
  TempFolder f;
  f.WriteFile("a.txt", "A");
  f.WriteFile("b.txt", "B");
  f.WriteFile("c.txt", "C");
  Trenamefile engine;
  const std::vector<std::string> names = engine.ListFiles(f.Path() + "*.*");
  ASSERT_EQ(unlink((f.Path() + "b.txt").c_str()), 0);
  engine.RenameAll(f.Path(), names, "My", 0);
  EXPECT_EQ(f.Contents(), (Contents{{"My1.txt", "file:A"}, {"My3.txt", "file:C"}}));
}

TEST(Renamer, LinksAreRenamedNotTheirTargets) {
  TempFolder f;
  TempFolder elsewhere;
  elsewhere.WriteFile("target.txt", "T");
  f.MakeLink("dangling.lnk", "no-such-file");
  f.MakeLink("real.lnk", elsewhere.Path() + "target.txt");
  ListAndRename(f.Path(), "*.*", "My", 0);
  EXPECT_EQ(f.Contents(), (Contents{{"My1.lnk", "link:no-such-file"},
                                    {"My2.lnk", "link:" + elsewhere.Path() + "target.txt"}}));
  EXPECT_EQ(elsewhere.Contents(), (Contents{{"target.txt", "file:T"}}));
}

TEST(Renamer, ShorterListThanTheCountIsNotReadPastItsEnd) {
  TempFolder f;
  f.WriteFile("a", "A");
  f.WriteFile("b", "B");
  f.WriteFile("c", "C");
  Trenamefile engine;
  ASSERT_EQ(engine.ListFiles(f.Path() + "*").size(), 3u);
  engine.RenameAll(f.Path(), {"a"}, "My", 0);
  EXPECT_EQ(f.Contents(), (Contents{{"My1", "file:A"}, {"b", "file:B"}, {"c", "file:C"}}));
}

TEST(Renamer, APrefixThatIsNoNamePartRenamesNothing) {
  TempFolder f;
  f.MakeDir("sub");
  f.WriteFile("a.txt", "A");
  f.WriteFile("b.txt", "B");
  const std::string nul("x\0y", 3);
  for (const std::string& prefix : {std::string("../"), std::string("sub/"), std::string("/"), nul}) {
    Trenamefile engine;
    ASSERT_EQ(engine.ListFiles(f.Path() + "*.txt").size(), 2u);
    engine.RenameAll(f.Path(), {"a.txt", "b.txt"}, prefix, 0);
  }
  EXPECT_EQ(f.Contents(), (Contents{{"a.txt", "file:A"}, {"b.txt", "file:B"}, {"sub", "dir"}}));
}

TEST(Renamer, OnlyBareNamesOfTheFolderAreRenamedAndNumbersStillAdvance) {
  TempFolder f;
  f.MakeDir("sub");
  f.WriteFile("sub/inner.txt", "I");
  f.WriteFile("a.txt", "A");
  f.WriteFile("z.txt", "Z");
  Trenamefile engine;
  ASSERT_EQ(engine.ListFiles(f.Path() + "*").size(), 2u);
  // A list handed back with paths in it: ".", "..", "sub/inner.txt" are skipped.
  engine.RenameAll(f.Path(), {"..", "a.txt"}, "My", 0);
  ASSERT_EQ(engine.ListFiles(f.Path() + "*").size(), 2u);
  engine.RenameAll(f.Path(), {"sub/inner.txt", "z.txt"}, "N", 0);
  EXPECT_EQ(f.Contents(), (Contents{{"My2.txt", "file:A"}, {"N2.txt", "file:Z"}, {"sub", "dir"}}));
  EXPECT_EQ(TempFolder::ContentsOf(f.Path() + "sub/"), (Contents{{"inner.txt", "file:I"}}));
}

TEST(Renamer, APatternThatIsNoAbsolutePathListsNothing) {
  TempFolder f;
  f.WriteFile("a.txt", "A");
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(f.Path().c_str()), 0);
  Trenamefile engine;
  const auto relative = engine.ListFiles("*.txt");
  const int count = engine.FileCount();
  const auto empty = engine.ListFiles("");
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_TRUE(relative.empty());
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(empty.empty());
}

TEST(Renamer, LongerListThanTheCountRenamesOnlyTheCount) {
  TempFolder f;
  f.WriteFile("a", "A");
  f.WriteFile("z", "Z");
  Trenamefile engine;
  ASSERT_EQ(engine.ListFiles(f.Path() + "a").size(), 1u);
  engine.RenameAll(f.Path(), {"a", "z"}, "My", 0);
  EXPECT_EQ(f.Contents(), (Contents{{"My1", "file:A"}, {"z", "file:Z"}}));
}

TEST(Renamer, PaddedNumbersTakeTheDigitsOfTheBatchsLastNumber) {
  const struct {
    const char* What;
    int32_t Start;
    std::size_t Count, Index;
    int Width;
    const char* Name;
  } cases[] = {
      {"120 files: three digits, first", 0, 120, 0, 3, "My001.jpg"},
      {"120 files: three digits, last", 0, 120, 119, 3, "My120.jpg"},
      {"7 to 9 stay one digit", 6, 3, 0, 1, "My7.jpg"},
      {"8 to 10: the first gets a zero", 7, 3, 0, 2, "My08.jpg"},
      {"8 to 10: the last has its own two", 7, 3, 2, 2, "My10.jpg"},
      {"one file", 0, 1, 0, 1, "My1.jpg"},
      {"no files", 0, 0, 0, 0, "My1.jpg"},
      {"the sign stays before the zeros", -101, 200, 95, 2, "My-05.jpg"},
      {"a number wider than the width is not cut", -101, 200, 0, 2, "My-100.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberWidth(c.Start, c.Count), c.Width) << c.What;
    EXPECT_EQ(RenamedName("photo.jpg", "My", RenameNumber(c.Start, c.Index), c.Width), c.Name) << c.What;
  }
}

// Exit codes of the unprivileged child below.
constexpr int kChildDone = 0;
constexpr int kChildCannotDrop = 10;
constexpr int kChildCannotReach = 11;
constexpr int kChildCanStillWrite = 12;
constexpr int kChildListedWrong = 13;

// Lists and renames the folder; in the child, as "nobody", since root ignores
// the folder's permissions.
int ListAndRenameUnprivileged(const std::string& folder, bool dropPrivileges) {
  const auto attempt = [&] {
    if (dropPrivileges) {
      constexpr uid_t kNobody = 65534;
      if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
        return kChildCannotDrop;
    }
    if (access(folder.c_str(), R_OK | X_OK) != 0) return kChildCannotReach;
    if (access(folder.c_str(), W_OK) == 0) return kChildCanStillWrite;
    Trenamefile engine;
    const std::vector<std::string> names = engine.ListFiles(folder + "*.*");
    if (engine.FileCount() != 3) return kChildListedWrong;
    engine.RenameAll(folder, names, "My", 0);
    return kChildDone;
  };
  if (!dropPrivileges) return attempt();
  const pid_t pid = fork();
  if (pid == 0) _exit(attempt());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(Renamer, ReadOnlyFolderLosesNothing) {
  TempFolder f(QStringLiteral("/tmp/renamer-readonly-XXXXXX"));  // reachable by everyone
  f.WriteFile("a.txt", "A");
  f.WriteFile("b.jpg", "B");
  f.WriteFile(".c", "C");
  const Contents before = f.Contents();
  ASSERT_EQ(chmod(f.Path().c_str(), 0555), 0);
  const int outcome = ListAndRenameUnprivileged(f.Path(), geteuid() == 0);
  ASSERT_EQ(chmod(f.Path().c_str(), 0700), 0);
  switch (outcome) {
    case kChildCannotDrop: GTEST_SKIP() << "running as root and cannot switch to uid 65534";
    case kChildCannotReach: GTEST_SKIP() << "uid 65534 cannot reach " << f.Path();
    case kChildCanStillWrite: GTEST_SKIP() << "the process can write despite mode 0555";
    default: break;
  }
  EXPECT_EQ(outcome, kChildDone);
  EXPECT_EQ(f.Contents(), before);
}

}  // namespace
