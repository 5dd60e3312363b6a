// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/movefile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <string>

#include "tempfolder.h"

namespace {

using Contents = std::map<std::string, std::string>;

// Both the kernel's no-replace rename and the fallback must keep this contract.
using MoveFunction = bool (*)(const std::string&, const std::string&);

class MoveContract : public testing::TestWithParam<MoveFunction> {};

TEST_P(MoveContract, ExistingTargetIsNeverReplaced) {
  TempFolder f;
  f.WriteFile("old.txt", "old bytes");
  f.WriteFile("new.txt", "new bytes");
  errno = 0;
  EXPECT_FALSE(GetParam()(f.Path() + "old.txt", f.Path() + "new.txt"));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(f.Contents(), (Contents{{"old.txt", "file:old bytes"}, {"new.txt", "file:new bytes"}}));
}

TEST_P(MoveContract, ExistingDanglingLinkIsNeverReplaced) {
  TempFolder f;
  f.WriteFile("old", "bytes");
  f.MakeLink("new", "nowhere");
  EXPECT_FALSE(GetParam()(f.Path() + "old", f.Path() + "new"));
  EXPECT_EQ(f.Contents(), (Contents{{"old", "file:bytes"}, {"new", "link:nowhere"}}));
}

TEST_P(MoveContract, EmptyDirectoryTargetIsNeverReplaced) {
  TempFolder f;
  f.MakeDir("old");
  f.MakeDir("new");
  f.WriteFile("old/inside", "kept");
  EXPECT_FALSE(GetParam()(f.Path() + "old", f.Path() + "new"));
  EXPECT_EQ(f.Contents(), (Contents{{"old", "dir"}, {"new", "dir"}}));
  EXPECT_EQ(TempFolder::ReadAll(f.Path() + "old/inside"), "kept");
}

TEST_P(MoveContract, MovesAFileWithItsBytes) {
  TempFolder f;
  f.WriteFile("old", "payload");
  EXPECT_TRUE(GetParam()(f.Path() + "old", f.Path() + "new"));
  EXPECT_EQ(f.Contents(), (Contents{{"new", "file:payload"}}));
}

TEST_P(MoveContract, MovesALinkNotItsTarget) {
  TempFolder f;
  f.WriteFile("target", "t");
  f.MakeLink("link", "target");
  EXPECT_TRUE(GetParam()(f.Path() + "link", f.Path() + "moved"));
  EXPECT_EQ(f.Contents(), (Contents{{"target", "file:t"}, {"moved", "link:target"}}));
}

TEST_P(MoveContract, MissingSourceFails) {
  TempFolder f;
  errno = 0;
  EXPECT_FALSE(GetParam()(f.Path() + "missing", f.Path() + "new"));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_TRUE(f.Contents().empty());
}

TEST_P(MoveContract, TooLongTargetFailsAndKeepsTheFile) {
  TempFolder f;
  f.WriteFile("old", "x");
  EXPECT_FALSE(GetParam()(f.Path() + "old", f.Path() + std::string(256, 'n')));
  EXPECT_EQ(errno, ENAMETOOLONG);
  EXPECT_EQ(f.Contents(), (Contents{{"old", "file:x"}}));
}

INSTANTIATE_TEST_SUITE_P(Kernel, MoveContract, testing::Values(&MoveFile));
INSTANTIATE_TEST_SUITE_P(Fallback, MoveContract, testing::Values(&MoveFileByLinkOrCheck));

}  // namespace
