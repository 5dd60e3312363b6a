// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/findfile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "tempfolder.h"

namespace {

using Listing = std::vector<std::pair<std::string, int>>;  // name, attributes

Listing Find(const std::string& pattern, int attr) {
  Listing result;
  TSearchRec rec;
  if (FindFirst(pattern, attr, rec) == 0) {
    do result.emplace_back(rec.Name, rec.Attr);
    while (FindNext(rec) == 0);
  }
  FindClose(rec);
  return result;
}

// A folder with one entry of every kind the search tells apart.
class FindFileFolder : public testing::Test {
protected:
  void SetUp() override {
    F.WriteFile("a.txt", "a");
    F.WriteFile(".hidden", "h");
    F.MakeDir("sub");
    F.MakeDir(".hiddendir");
    F.MakeLink("todir", "sub");
    F.MakeLink("tofile", "a.txt");
    F.MakeLink("dangling", "no-such-target");
  }
  TempFolder F;
};

TEST_F(FindFileFolder, ListingSelectionShowsHiddenFilesAndNoDirectories) {
  const Listing expected = {
      {".hidden", faHidden}, {"a.txt", 0}, {"dangling", 0}, {"tofile", 0}};
  EXPECT_EQ(Find(F.Path() + "*.*", 0x46), expected);
}

TEST_F(FindFileFolder, EachMissingAttributeExcludesItsEntries) {
  const Listing plainFiles = {{"a.txt", 0}, {"dangling", 0}, {"tofile", 0}};
  EXPECT_EQ(Find(F.Path() + "*", 0), plainFiles);

  const Listing withDirs = {{"a.txt", 0},
                            {"dangling", 0},
                            {"sub", faDirectory},
                            {"todir", faDirectory},
                            {"tofile", 0}};
  EXPECT_EQ(Find(F.Path() + "*", faDirectory), withDirs);

  const Listing everything = {{".hidden", faHidden},
                              {".hiddendir", faHidden | faDirectory},
                              {"a.txt", 0},
                              {"dangling", 0},
                              {"sub", faDirectory},
                              {"todir", faDirectory},
                              {"tofile", 0}};
  EXPECT_EQ(Find(F.Path() + "*", faHidden | faDirectory | faSysFile | faVolumeID), everything);
}

TEST_F(FindFileFolder, MaskFiltersAndDotEntriesNeverAppear) {
  EXPECT_EQ(Find(F.Path() + "*.txt", 0x46), (Listing{{"a.txt", 0}}));
  EXPECT_EQ(Find(F.Path() + ".*", 0xFF), (Listing{{".hidden", faHidden},
                                                  {".hiddendir", faHidden | faDirectory}}));
}

TEST(FindFile, DeliversNamesInNaturalOrder) {
  TempFolder f;
  for (const char* name : {"file10", "file2", "File1", "file1", "b", "A"}) f.WriteFile(name, "");
  std::vector<std::string> names;
  for (const auto& [name, attr] : Find(f.Path() + "*", 0x46)) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "File1", "file1", "file2", "file10"}));
}

TEST(FindFile, NamesComeBackByteForByte) {
  TempFolder f;
  const std::vector<std::string> odd = {"\xFF\xFE invalid", "line\nbreak", "  leading blanks",
                                         std::string(255, 'n')};
  for (const auto& name : odd) f.WriteFile(name, "x");
  std::vector<std::string> names;
  for (const auto& [name, attr] : Find(f.Path() + "*.*", 0x46)) names.push_back(name);
  std::vector<std::string> expected = odd;
  std::sort(expected.begin(), expected.end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
}

TEST(FindFile, APatternThatIsNotAnAbsolutePathListsNothingFromTheCurrentDirectory) {
  TempFolder f;
  f.WriteFile("here.txt", "");
  f.MakeDir("桌面");
  f.WriteFile("桌面/inside.txt", "");
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(f.Path().c_str()), 0);
  TSearchRec rec;
  // A bare mask, a virtual folder's display name, an empty pattern: all malformed.
  const int bare = FindFirst("*.txt", 0x46, rec);
  const int display = FindFirst("桌面/*.*", 0x46, rec);
  const int empty = FindFirst("", 0x46, rec);
  const int dotted = FindFirst("./*.txt", 0x46, rec);
  FindClose(rec);
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_EQ(bare, EINVAL);
  EXPECT_EQ(display, EINVAL);
  EXPECT_EQ(empty, EINVAL);
  EXPECT_EQ(dotted, EINVAL);
  EXPECT_EQ(Find(f.Path() + "*.txt", 0x46), (Listing{{"here.txt", 0}})) << "the absolute path still lists";
}

TEST(FindFile, FailuresReportAnErrorAndCloseSafely) {
  TempFolder f;
  f.MakeDir("only-a-dir");
  TSearchRec rec;
  EXPECT_EQ(FindFirst(f.Path() + "missing/*.*", 0x46, rec), ENOENT);
  FindClose(rec);
  FindClose(rec);
  EXPECT_EQ(FindFirst(f.Path() + "*.*", 0x46, rec), ENOENT) << "only a directory: nothing matches";
  EXPECT_NE(FindNext(rec), 0);
  FindClose(rec);
  f.WriteFile("plain", "");
  EXPECT_EQ(FindFirst(f.Path() + "plain/*", 0x46, rec), ENOTDIR);
  FindClose(rec);
}

TEST(FindFile, EndOfListIsReportedAndStaysReported) {
  TempFolder f;
  f.WriteFile("one", "");
  TSearchRec rec;
  ASSERT_EQ(FindFirst(f.Path() + "*", 0x46, rec), 0);
  EXPECT_EQ(rec.Name, "one");
  EXPECT_EQ(FindNext(rec), ENOENT);
  EXPECT_EQ(FindNext(rec), ENOENT);
  FindClose(rec);
  EXPECT_EQ(FindNext(rec), ENOENT) << "after close";
}

}  // namespace
